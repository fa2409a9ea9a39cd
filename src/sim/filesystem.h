// The simulated machine's drives, folders and files.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "platform/os.h"

namespace sim {

class FileSystem {
public:
    struct Entry {
        bool folder = false;
        std::string content;
        bool unreadable = false;   // exists, but cannot be opened
        bool unwritable = false;   // a folder in which no new file can be created
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
        // FILE_ATTRIBUTE_READONLY, _HIDDEN and _SYSTEM as given at its
        // creation (or set by a test); an ordinary file has _ARCHIVE alone.
        os::DWORD attributes = os::FILE_ATTRIBUTE_ARCHIVE;
        // Opened with FILE_FLAG_DELETE_ON_CLOSE: removed at the last close
        // of a handle to it.
        bool deleteOnClose = false;
        // A read that fails part-way through the file (a scratched disc, a
        // medium taken out): its failingRead-th read, counted from 1, fails
        // with failingReadError. Reads counts the reads so far.
        unsigned failingRead = 0;
        os::DWORD failingReadError = 0;
        unsigned reads = 0;
        // Another program's action at the moment just before the program's
        // next write to the file, run once then (say, another instance that
        // writes a line of its own between the program's move and write).
        std::function<void()> beforeNextWrite;

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

    // Open files: handle -> the file's key, the access granted (GENERIC_READ,
    // GENERIC_WRITE, and DELETE for a file to delete on close), the share
    // mode (FILE_SHARE_READ, _WRITE, _DELETE), the file pointer, where the
    // next read starts, and whether another program holds the handle.
    struct OpenFile {
        std::string key;
        os::DWORD access = 0;
        os::DWORD share = 0;
        std::uint64_t position = 0;
        bool otherProgram = false;
    };
    std::map<void*, OpenFile> openFiles;
    unsigned long nextHandle = 0x100;

    // Opens or creates a file as CreateFileA does with these values (the
    // ones os_sim_files.cpp lets through): a handle, or null; *error is the
    // last error either way (183 when CREATE_ALWAYS or OPEN_ALWAYS met an
    // existing file).
    void* open(const std::string& path, os::DWORD access, os::DWORD share,
               os::DWORD disposition, os::DWORD flagsAndAttributes, bool otherProgram,
               os::DWORD* error);
    // Closes a handle: false when it is not open. The last close of a file
    // to delete on close removes it.
    bool close(void* handle);
    // Reads up to `size` bytes at the handle's pointer into `out`: false with
    // *error when the read fails, else true with the bytes read in *read.
    bool read(OpenFile& file, char* out, std::size_t size, std::size_t* read, os::DWORD* error);
    // Writes at the handle's pointer, over what is there and past the end (a
    // gap before it reads as zero bytes).
    void write(OpenFile& file, const char* data, std::size_t size);

    // Exclusive byte-range locks, each held through one handle on one file.
    // A handle's locks end with its close. Locks are taken, waited for and
    // released from several threads (each thread standing for a program
    // that runs beside the others), so they are kept under a lock of their
    // own; everything else is used by one thread at a time.
    struct Lock {
        void* handle;
        std::string key;
        std::uint64_t offset;
        std::uint64_t length;
        std::thread::id thread;  // the thread that took it
    };
    std::vector<Lock> locks;
    enum class LockResult { granted, conflict, neverReleased };
    // Locks the range for the handle: granted when no lock covers a byte of
    // it (the handle's own included, as on Windows); otherwise conflict at
    // once, or, when `wait`, granted once the locks in the way are gone. A
    // wait that would never end (one of the locks in the way is this
    // thread's own, or they are not released within 10 s) answers
    // neverReleased.
    LockResult lock(void* handle, std::uint64_t offset, std::uint64_t length, bool wait);
    // Releases the handle's lock of exactly this range: false when it holds none.
    bool unlock(void* handle, std::uint64_t offset, std::uint64_t length);
    // Whether a lock held through another handle than `handle` on its file
    // covers a byte of the range, which the handle may then neither read nor
    // write.
    bool lockedByOther(void* handle, std::uint64_t offset, std::uint64_t length) const;
    // The lock requests waiting now.
    unsigned lockWaiters() const;

    // Another program on the machine (a viewer, an editor, a second instance
    // of this program) opens a file, under the same rules: its handle, or
    // null with the error in *error. The test closes it with close().
    void* openByOtherProgram(const std::string& path, os::DWORD access, os::DWORD share,
                             os::DWORD disposition = os::OPEN_EXISTING,
                             os::DWORD* error = nullptr);
    // What that program reads from its pointer to the end, and what it writes
    // at its pointer; a lock of another handle over a byte of either range
    // makes the read answer nothing and the write write nothing, with error
    // 33 in *error (0 otherwise).
    std::string readByOtherProgram(void* handle, os::DWORD* error = nullptr);
    void writeByOtherProgram(void* handle, const std::string& text, os::DWORD* error = nullptr);
};

}  // namespace sim
