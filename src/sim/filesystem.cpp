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
}

void FileSystem::addFile(const std::string& path, const std::string& content) {
    const std::string k = key(path);
    for (std::string p = parentKey(k); !p.empty(); p = parentKey(p)) entries[p].folder = true;
    Entry& e = entries[k];
    e.folder = false;
    e.content = content;
}

void FileSystem::setShortName(const std::string& path, const std::string& shortName) {
    if (Entry* e = find(path)) e->shortName = shortName;
}

void FileSystem::remove(const std::string& path) {
    entries.erase(key(path));
}

// An empty path names nothing (the C runtime's access test answers -1).
const FileSystem::Entry* FileSystem::find(const std::string& path) const {
    if (path.empty()) return nullptr;
    const auto it = entries.find(key(path));
    return it == entries.end() ? nullptr : &it->second;
}

FileSystem::Entry* FileSystem::find(const std::string& path) {
    return const_cast<Entry*>(static_cast<const FileSystem*>(this)->find(path));
}

bool FileSystem::onEmptyDrive(const std::string& path) const {
    const std::string k = key(path);
    return k.size() >= 2 && k[1] == ':' && emptyDrives.count(k[0]) > 0;
}

std::string FileSystem::content(const std::string& path) const {
    const Entry* e = find(path);
    return e ? e->content : std::string();
}

}  // namespace sim
