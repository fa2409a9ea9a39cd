#include "sim/filesystem.h"

#include <vector>

#include "gui/Text.h"

namespace sim {

std::string FileSystem::key(const std::string& path) const {
    std::string p = path;
    for (char& c : p)
        if (c == '/') c = '\\';
    const bool absolute = p.size() >= 2 && p[1] == ':';
    if (!absolute && !p.empty() && p[0] == '\\' && !(p.size() > 1 && p[1] == '\\'))
        p = workingFolder.substr(0, 2) + p;  // rooted on the working folder's drive
    else if (!absolute && !(p.size() > 1 && p[0] == '\\' && p[1] == '\\'))
        p = workingFolder + "\\" + p;
    // Resolve "." and ".." and drop empty names.
    std::string prefix;
    std::size_t start = 0;
    if (p.size() >= 2 && p[1] == ':') {
        prefix = p.substr(0, 2);
        start = 2;
    } else {
        prefix = "\\";  // a UNC path keeps one leading backslash in the key
        start = 1;
    }
    std::vector<std::string> names;
    std::size_t i = start;
    while (i <= p.size()) {
        std::size_t j = p.find('\\', i);
        if (j == std::string::npos) j = p.size();
        std::string name = p.substr(i, j - i);
        if (name == "..") {
            if (!names.empty()) names.pop_back();
        } else if (!name.empty() && name != ".") {
            names.push_back(name);
        }
        i = j + 1;
    }
    if (!names.empty()) {
        std::string& last = names.back();
        while (!last.empty() && (last.back() == '.' || last.back() == ' ')) last.pop_back();
        if (last.empty()) names.pop_back();
    }
    // A name may be given by its 8.3 alias, as Windows accepts everywhere.
    std::string k = gui::upper(prefix);
    for (const std::string& n : names) {
        const std::string longKey = k + "\\" + gui::upper(n);
        std::string aliasKey;
        if (entries.find(longKey) == entries.end())
            for (const auto& e : entries)
                if (!e.second.shortName.empty() && gui::upper(e.second.shortName) == gui::upper(n) &&
                    parentKey(e.first) == k) {
                    aliasKey = e.first;
                    break;
                }
        k = aliasKey.empty() ? longKey : aliasKey;
    }
    return k;
}

std::string FileSystem::parentKey(const std::string& key) {
    const std::size_t slash = key.rfind('\\');
    if (slash == std::string::npos || slash < 2) return "";
    return key.substr(0, slash);
}

void FileSystem::addFolder(const std::string& path) {
    const std::string k = key(path);
    for (std::string p = parentKey(k); !p.empty(); p = parentKey(p)) entries[p].folder = true;
    entries[k].folder = true;
    spelling[k] = path;
}

void FileSystem::addFile(const std::string& path, const std::string& content) {
    const std::string k = key(path);
    for (std::string p = parentKey(k); !p.empty(); p = parentKey(p)) entries[p].folder = true;
    Entry& e = entries[k];
    e.folder = false;
    e.content = content;
    spelling[k] = path;
}

void FileSystem::setShortName(const std::string& path, const std::string& shortName) {
    if (Entry* e = find(path)) e->shortName = shortName;
}

void FileSystem::remove(const std::string& path) {
    entries.erase(key(path));
    spelling.erase(key(path));
}

const FileSystem::Entry* FileSystem::find(const std::string& path) const {
    const std::string k = key(path);
    const auto it = entries.find(k);
    if (it != entries.end()) return &it->second;
    // A drive's root exists while anything is on the drive.
    if (k.size() == 2) {
        const auto below = entries.lower_bound(k + "\\");
        if (below != entries.end() && below->first.compare(0, 3, k + "\\") == 0) {
            static const Entry root = [] {
                Entry e;
                e.folder = true;
                return e;
            }();
            return &root;
        }
    }
    return nullptr;
}

FileSystem::Entry* FileSystem::find(const std::string& path) {
    const auto it = entries.find(key(path));
    return it == entries.end() ? nullptr : &it->second;
}

std::string FileSystem::content(const std::string& path) const {
    const Entry* e = find(path);
    return e ? e->content : std::string();
}

}  // namespace sim
