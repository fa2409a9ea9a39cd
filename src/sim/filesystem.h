// The simulated machine's drives, folders and files.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace sim {

class FileSystem {
public:
    struct Entry {
        bool folder = false;
        std::string content;
        bool unreadable = false;   // exists, but cannot be opened
        bool unwritable = false;   // a folder in which no file can be created
        std::string shortName;     // 8.3 name of the last component; empty: the name itself
        // A file larger than its content, the rest never written (a sparse
        // file): it reads as zero bytes up to this size.
        std::uint64_t sparseSize = 0;
        // Another program appends this to the file after each read of it.
        std::string appendedOnRead;
        // A character device in the file's place (under Wine, a link to
        // /dev/zero): its end lies at 0, and every read fills the whole
        // buffer with deviceByte, without end.
        bool device = false;
        char deviceByte = '\0';
        // The bytes that reads have delivered from the file so far.
        std::uint64_t bytesRead = 0;

        // Where the file ends: after its content, or its sparse size.
        std::uint64_t size() const {
            return content.size() > sparseSize ? content.size() : sparseSize;
        }
    };

    // Paths are full ("C:\dir\file") or relative to the working folder.
    void addFile(const std::string& path, const std::string& content = "");
    void addFolder(const std::string& path);
    void setShortName(const std::string& path, const std::string& shortName);
    void remove(const std::string& path);

    const Entry* find(const std::string& path) const;
    Entry* find(const std::string& path);
    std::string content(const std::string& path) const;  // "" when absent
    bool exists(const std::string& path) const { return find(path) != nullptr; }

    // The key under which a path is kept: absolute, "\" separators, upper
    // case, trailing dots and blanks of the last name dropped, as Windows
    // matches names.
    std::string key(const std::string& path) const;
    // The folder part of a key, or "" for a drive's root.
    static std::string parentKey(const std::string& key);

    // Whether the path lies on one of `emptyDrives`.
    bool onEmptyDrive(const std::string& path) const;

    std::string workingFolder = "C:\\WORK";
    std::map<std::string, Entry> entries;

    // Drives without a medium (an empty CD drive), by upper-case letter:
    // nothing on them exists, and touching one makes Windows ask the user to
    // insert a disc unless the error mode suppresses critical-error boxes.
    std::set<char> emptyDrives;
    // The paths for which that prompt would have been shown.
    std::vector<std::string> criticalErrorPrompts;

    // Every path given to the access test, in order.
    std::vector<std::string> accessed;

    // Open files: handle -> the file's key, the access asked for (GENERIC_READ,
    // GENERIC_WRITE) and the file pointer, where the next read starts.
    struct OpenFile {
        std::string key;
        unsigned long access = 0;
        std::uint64_t position = 0;
    };
    std::map<void*, OpenFile> openFiles;
    unsigned long nextHandle = 0x100;
};

}  // namespace sim
