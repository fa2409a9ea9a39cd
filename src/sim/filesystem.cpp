#include "sim/filesystem.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <vector>

#include "gui/Text.h"
#include "sim/machine.h"

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

namespace {

// Whether an open that asks for `access` with `share` can stand beside a
// handle already open on the file: each side's access must be allowed by
// the other side's share mode.
bool compatible(os::DWORD access, os::DWORD share, const FileSystem::OpenFile& open) {
    const auto allows = [](os::DWORD access, os::DWORD share) {
        return !((access & os::GENERIC_READ) && !(share & os::FILE_SHARE_READ)) &&
               !((access & os::GENERIC_WRITE) && !(share & os::FILE_SHARE_WRITE)) &&
               !((access & os::DELETE) && !(share & os::FILE_SHARE_DELETE));
    };
    return allows(access, open.share) && allows(open.access, share);
}

constexpr os::DWORD keptAttributes =
    os::FILE_ATTRIBUTE_READONLY | os::FILE_ATTRIBUTE_HIDDEN | os::FILE_ATTRIBUTE_SYSTEM;

}  // namespace

// The checks: the folder, the disposition against what is there, a folder
// that takes no new file, the attributes, then the share modes of the
// handles open on the file (a folder's refusal to take new files leaves its
// existing files writable, as a folder's permissions do). CREATE_ALWAYS and TRUNCATE_EXISTING empty the
// file, which counts as writing for the share modes, and leave an ordinary,
// empty file; CREATE_ALWAYS over a hidden or system file must give those
// attributes again.
void* FileSystem::open(const std::string& path, os::DWORD access, os::DWORD share,
                       os::DWORD disposition, os::DWORD flagsAndAttributes, bool otherProgram,
                       os::DWORD* error) {
    const auto fail = [error](os::DWORD code) -> void* {
        *error = code;
        return nullptr;
    };
    const std::string k = key(path);
    const std::string parent = parentKey(k);
    const Entry* folder = parent.empty() ? nullptr : find(parent + "\\");
    if (path.empty() || !folder || !folder->folder) return fail(os::ERROR_PATH_NOT_FOUND);
    if (disposition == os::TRUNCATE_EXISTING && !(access & os::GENERIC_WRITE))
        return fail(errorInvalidParameter);

    const bool deleteOnClose = (flagsAndAttributes & os::FILE_FLAG_DELETE_ON_CLOSE) != 0;
    const os::DWORD granted = access | (deleteOnClose ? os::DELETE : 0);
    const auto it = entries.find(k);
    Entry* existing = it == entries.end() ? nullptr : &it->second;
    const bool emptied =
        existing && (disposition == os::CREATE_ALWAYS || disposition == os::TRUNCATE_EXISTING);
    if (!existing) {
        if (disposition == os::OPEN_EXISTING || disposition == os::TRUNCATE_EXISTING)
            return fail(os::ERROR_FILE_NOT_FOUND);
        if (folder->unwritable) return fail(os::ERROR_ACCESS_DENIED);
    } else {
        if (disposition == os::CREATE_NEW) return fail(errorFileExists);
        if (existing->folder || existing->unreadable) return fail(os::ERROR_ACCESS_DENIED);
        const bool changes = (access & os::GENERIC_WRITE) || emptied || deleteOnClose;
        if (changes && (existing->attributes & os::FILE_ATTRIBUTE_READONLY))
            return fail(os::ERROR_ACCESS_DENIED);
        const os::DWORD hiddenOrSystem =
            existing->attributes & (os::FILE_ATTRIBUTE_HIDDEN | os::FILE_ATTRIBUTE_SYSTEM);
        if (disposition == os::CREATE_ALWAYS && (hiddenOrSystem & ~flagsAndAttributes))
            return fail(os::ERROR_ACCESS_DENIED);
        const os::DWORD checked = granted | (emptied ? os::GENERIC_WRITE : 0);
        for (const auto& [handle, open] : openFiles)
            if (open.key == k && !compatible(checked, share, open))
                return fail(os::ERROR_SHARING_VIOLATION);
    }

    if (!existing || emptied) {
        Entry fresh;
        if (existing) fresh.shortName = existing->shortName;
        if (!existing || disposition == os::CREATE_ALWAYS)
            fresh.attributes = (flagsAndAttributes & keptAttributes) | os::FILE_ATTRIBUTE_ARCHIVE;
        else
            fresh.attributes = existing->attributes;
        entries[k] = fresh;
    }
    if (deleteOnClose) entries[k].deleteOnClose = true;
    void* h = reinterpret_cast<void*>(nextHandle);
    nextHandle += 4;
    openFiles[h] = {k, granted, share, 0, otherProgram};
    const bool metExisting =
        existing && (disposition == os::CREATE_ALWAYS || disposition == os::OPEN_ALWAYS);
    *error = metExisting ? errorAlreadyExists : 0;
    return h;
}

namespace {

// The locks' own lock, and the signal of a lock released.
std::mutex lockTable;
std::condition_variable lockReleased;
unsigned waiting = 0;

bool overlaps(const FileSystem::Lock& lock, const std::string& key, std::uint64_t offset,
              std::uint64_t length) {
    return length > 0 && lock.key == key && offset < lock.offset + lock.length &&
           lock.offset < offset + length;
}

}  // namespace

FileSystem::LockResult FileSystem::lock(void* handle, std::uint64_t offset, std::uint64_t length,
                                        bool wait) {
    const std::string k = openFiles.at(handle).key;
    std::unique_lock<std::mutex> guard(lockTable);
    const auto inTheWay = [&](bool ownOnly) {
        return std::any_of(locks.begin(), locks.end(), [&](const Lock& l) {
            return overlaps(l, k, offset, length) &&
                   (!ownOnly || l.thread == std::this_thread::get_id());
        });
    };
    if (inTheWay(false)) {
        if (!wait) return LockResult::conflict;
        // A lock of this thread's own in the way is never released while it waits.
        if (inTheWay(true)) return LockResult::neverReleased;
        ++waiting;
        const bool freed = lockReleased.wait_for(guard, std::chrono::seconds(10),
                                                 [&] { return !inTheWay(false); });
        --waiting;
        if (!freed) return LockResult::neverReleased;
    }
    locks.push_back({handle, k, offset, length, std::this_thread::get_id()});
    return LockResult::granted;
}

bool FileSystem::unlock(void* handle, std::uint64_t offset, std::uint64_t length) {
    std::lock_guard<std::mutex> guard(lockTable);
    const auto it = std::find_if(locks.begin(), locks.end(), [&](const Lock& l) {
        return l.handle == handle && l.offset == offset && l.length == length;
    });
    if (it == locks.end()) return false;
    locks.erase(it);
    lockReleased.notify_all();
    return true;
}

bool FileSystem::lockedByOther(void* handle, std::uint64_t offset, std::uint64_t length) const {
    const std::string& k = openFiles.at(handle).key;
    std::lock_guard<std::mutex> guard(lockTable);
    return std::any_of(locks.begin(), locks.end(), [&](const Lock& l) {
        return l.handle != handle && overlaps(l, k, offset, length);
    });
}

unsigned FileSystem::lockWaiters() const {
    std::lock_guard<std::mutex> guard(lockTable);
    return waiting;
}

bool FileSystem::close(void* handle) {
    const auto it = openFiles.find(handle);
    if (it == openFiles.end()) return false;
    const std::string k = it->second.key;
    openFiles.erase(it);
    {
        std::lock_guard<std::mutex> guard(lockTable);
        const auto held = [handle](const Lock& l) { return l.handle == handle; };
        locks.erase(std::remove_if(locks.begin(), locks.end(), held), locks.end());
        lockReleased.notify_all();
    }
    for (const auto& [h, open] : openFiles)
        if (open.key == k) return true;
    const auto e = entries.find(k);
    if (e != entries.end() && e->second.deleteOnClose) entries.erase(e);
    return true;
}

// At or past the end of the file a read succeeds with nothing read; a
// device fills the whole buffer every time.
bool FileSystem::read(OpenFile& open, char* out, std::size_t size, std::size_t* read,
                      os::DWORD* error) {
    *read = 0;
    Entry& entry = entries[open.key];
    if (++entry.reads == entry.failingRead) {
        *error = entry.failingReadError;
        return false;
    }
    std::size_t n = size;
    if (entry.device) {
        std::memset(out, entry.deviceByte, n);
    } else {
        // What is left before the end: from the content, then from the
        // unwritten part of a sparse file.
        const std::uint64_t at = open.position;
        const auto left = [at](std::uint64_t end) { return at < end ? end - at : 0; };
        n = static_cast<std::size_t>(std::min<std::uint64_t>(size, left(entry.size())));
        const std::size_t fromContent =
            static_cast<std::size_t>(std::min<std::uint64_t>(n, left(entry.content.size())));
        if (fromContent > 0) std::memcpy(out, entry.content.data() + at, fromContent);
        std::memset(out + fromContent, 0, n - fromContent);
        open.position += n;
    }
    entry.bytesRead += n;
    entry.content += entry.appendedOnRead;
    *read = n;
    return true;
}

void FileSystem::write(OpenFile& open, const char* data, std::size_t size) {
    std::string& content = entries[open.key].content;
    const std::size_t at = static_cast<std::size_t>(open.position);
    if (content.size() < at) content.resize(at, '\0');
    content.replace(at, size, data, size);
    open.position += size;
}

void* FileSystem::openByOtherProgram(const std::string& path, os::DWORD access,
                                     os::DWORD share, os::DWORD disposition, os::DWORD* error) {
    os::DWORD ignored = 0;
    return open(path, access, share, disposition, os::FILE_ATTRIBUTE_NORMAL, true,
                error ? error : &ignored);
}

std::string FileSystem::readByOtherProgram(void* handle, os::DWORD* error) {
    OpenFile& open = openFiles.at(handle);
    const Entry& entry = entries[open.key];
    const std::size_t at =
        static_cast<std::size_t>(std::min<std::uint64_t>(open.position, entry.content.size()));
    const bool locked = lockedByOther(handle, at, entry.content.size() - at);
    if (error) *error = locked ? os::ERROR_LOCK_VIOLATION : 0;
    if (locked) return "";
    const std::string text = entry.content.substr(at);
    open.position += text.size();
    return text;
}

void FileSystem::writeByOtherProgram(void* handle, const std::string& text, os::DWORD* error) {
    OpenFile& open = openFiles.at(handle);
    const bool locked = lockedByOther(handle, open.position, text.size());
    if (error) *error = locked ? os::ERROR_LOCK_VIOLATION : 0;
    if (!locked) write(open, text.data(), text.size());
}

}  // namespace sim
