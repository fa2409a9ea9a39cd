// The simulated files keep the Windows contracts: seeks from the start, the
// pointer and the end, reads and writes at the pointer; the share modes of
// open handles, the dispositions, and the attributes and flags that a file
// is created with.
#include <chrono>
#include <cstdint>
#include <future>
#include <thread>

#include "support.h"

namespace {

using test::Fixture;
using SimFiles = Fixture;

const char path[] = "C:\\data.txt";

os::HANDLE openFile(os::DWORD access) {
    return os::CreateFileA(path, access, os::FILE_SHARE_READ, nullptr, os::OPEN_EXISTING,
                           os::FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Reads up to `size` bytes at the pointer.
std::string readAt(os::HANDLE file, os::DWORD size) {
    std::string bytes(size, '\xbd');
    os::DWORD read = 99;
    EXPECT_TRUE(os::ReadFile(file, &bytes[0], size, &read, nullptr));
    bytes.resize(read);
    return bytes;
}

os::LARGE_INTEGER distance(std::int64_t bytes) {
    os::LARGE_INTEGER d{};
    d.QuadPart = bytes;
    return d;
}

TEST_F(SimFiles, SeekThenRead) {
    struct Row {
        const char* what;
        void (*arrange)(sim::FileSystem::Entry&);
        os::DWORD method;
        std::int64_t distance;
        bool moved;
        std::int64_t pointer;  // when moved: the new pointer; otherwise the last error
        std::string read;      // what a read of 8 bytes gives afterwards
    };
    const auto none = [](sim::FileSystem::Entry&) {};
    const Row rows[] = {
        {"the end", none, os::FILE_END, 0, true, 5, ""},
        {"back from the end", none, os::FILE_END, -2, true, 3, "de"},
        {"from the start", none, os::FILE_BEGIN, 1, true, 1, "bcde"},
        {"from the pointer", none, os::FILE_CURRENT, 4, true, 4, "e"},
        {"past the end: allowed, nothing to read", none, os::FILE_BEGIN, 9, true, 9, ""},
        {"before the start: refused, the pointer stays", none, os::FILE_BEGIN, -1, false,
         sim::errorNegativeSeek, "abcde"},
        {"before the start from the end", none, os::FILE_END, -6, false, sim::errorNegativeSeek,
         "abcde"},
        {"a sparse file: its end, its unwritten part read as zeros",
         [](sim::FileSystem::Entry& e) { e.sparseSize = 7; }, os::FILE_BEGIN, 3, true, 3,
         std::string("de\0\0", 4)},
        {"a sparse file over 4 GiB",
         [](sim::FileSystem::Entry& e) { e.sparseSize = (std::int64_t(1) << 32) + 1; },
         os::FILE_END, -1, true, std::int64_t(1) << 32, std::string(1, '\0')},
        {"a device: its end lies at 0, its reads fill the buffer",
         [](sim::FileSystem::Entry& e) {
             e.device = true;
             e.deviceByte = 'z';
         },
         os::FILE_END, 0, true, 0, "zzzzzzzz"},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        m().files.addFile(path, "abcde");
        row.arrange(*m().files.find(path));
        const os::HANDLE file = openFile(os::GENERIC_READ);
        os::LARGE_INTEGER pointer = distance(-99);
        EXPECT_EQ(os::SetFilePointerEx(file, distance(row.distance), &pointer, row.method) != 0,
                  row.moved);
        if (row.moved)
            EXPECT_EQ(pointer.QuadPart, row.pointer);
        else
            EXPECT_EQ(os::GetLastError(), static_cast<os::DWORD>(row.pointer));
        EXPECT_EQ(readAt(file, 8), row.read);
        os::CloseHandle(file);
    }
}

TEST_F(SimFiles, WritesGoToThePointer) {
    m().files.addFile(path, "abcd");
    const os::HANDLE file = openFile(os::GENERIC_WRITE);
    os::DWORD written = 0;
    EXPECT_TRUE(os::SetFilePointerEx(file, distance(1), nullptr, os::FILE_BEGIN));
    EXPECT_TRUE(os::WriteFile(file, "X", 1, &written, nullptr));
    EXPECT_EQ(m().files.content(path), "aXcd");
    EXPECT_TRUE(os::SetFilePointerEx(file, distance(2), nullptr, os::FILE_END));
    EXPECT_TRUE(os::WriteFile(file, "Y", 1, &written, nullptr));
    EXPECT_EQ(m().files.content(path), std::string("aXcd\0\0Y", 7));
    EXPECT_EQ(written, 1u);
    os::CloseHandle(file);
}

TEST_F(SimFiles, SeekNeedsAnOpenFile) {
    EXPECT_FALSE(os::SetFilePointerEx(reinterpret_cast<os::HANDLE>(0x44), distance(0), nullptr,
                                      os::FILE_BEGIN));
    EXPECT_EQ(os::GetLastError(), static_cast<os::DWORD>(os::ERROR_INVALID_HANDLE));
}

// Opens `path` as the program does, with the last error it left.
struct Opened {
    os::HANDLE handle;
    os::DWORD error;
    bool ok() const { return handle != os::invalidHandle(); }
};
Opened open(const std::string& name, os::DWORD access, os::DWORD share, os::DWORD disposition,
            os::DWORD flags = os::FILE_ATTRIBUTE_NORMAL) {
    const os::HANDLE h =
        os::CreateFileA(name.c_str(), access, share, nullptr, disposition, flags, nullptr);
    return {h, os::GetLastError()};
}

const os::DWORD R = os::GENERIC_READ, W = os::GENERIC_WRITE;
const os::DWORD shareR = os::FILE_SHARE_READ, shareW = os::FILE_SHARE_WRITE,
                shareD = os::FILE_SHARE_DELETE;

// Another program holds the file open; the program's open must allow that
// program's access by its share mode, and ask for no access that the other's
// share mode refuses. Emptying the file counts as writing to it.
TEST_F(SimFiles, ShareModesOfOpenHandles) {
    struct Row {
        const char* what;
        os::DWORD heldAccess, heldShare;
        os::DWORD access, share, disposition;
        os::DWORD error;  // 0: opens
    };
    const Row rows[] = {
        {"a viewer that shares writing, a writer", R, shareR | shareW, W, shareR | shareW,
         os::CREATE_ALWAYS, sim::errorAlreadyExists},
        {"a viewer that shares reading only, a writer", R, shareR, W, shareR | shareW,
         os::OPEN_EXISTING, 32},
        {"a viewer, a writer that denies reading", R, shareR | shareW, W, shareW,
         os::OPEN_EXISTING, 32},
        {"a writer, a viewer that denies writing", W, shareR | shareW, R, shareR,
         os::OPEN_EXISTING, 32},
        {"a writer, a viewer that shares writing", W, shareR | shareW, R, shareR | shareW,
         os::OPEN_EXISTING, 0},
        {"two writers that share everything", W, shareR | shareW, W, shareR | shareW,
         os::CREATE_ALWAYS, sim::errorAlreadyExists},
        {"two readers that share reading", R, shareR, R, shareR, os::OPEN_EXISTING, 0},
        {"emptying for reading: the holder shares no writing", R, shareR, R, shareR,
         os::CREATE_ALWAYS, 32},
        {"emptying for reading: the holder shares writing", R, shareR | shareW, R, shareR,
         os::CREATE_ALWAYS, sim::errorAlreadyExists},
        {"a holder that shares nothing", R, 0, R, shareR | shareW | shareD, os::OPEN_EXISTING, 32},
        {"no other handle: sharing nothing is fine", 0, 0, W, 0, os::CREATE_ALWAYS,
         sim::errorAlreadyExists},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        m().files.addFile(path, "older");
        void* held = nullptr;
        if (row.heldAccess) {
            held = m().files.openByOtherProgram(path, row.heldAccess, row.heldShare);
            ASSERT_NE(held, nullptr);
        }
        const Opened second = open(path, row.access, row.share, row.disposition);
        EXPECT_EQ(second.ok(), row.error == 0 || row.error == sim::errorAlreadyExists);
        EXPECT_EQ(second.error, row.error);
        const bool emptied = second.ok() && row.disposition == os::CREATE_ALWAYS;
        EXPECT_EQ(m().files.content(path), emptied ? "" : "older");
        if (second.ok()) os::CloseHandle(second.handle);
        if (held) m().files.close(held);
    }
}

// CREATE_ALWAYS and TRUNCATE_EXISTING leave an empty, ordinary file, whatever
// stood there; the other dispositions leave an existing file as it is.
TEST_F(SimFiles, DispositionsOverWhatIsThere) {
    struct Row {
        const char* what;
        void (*arrange)(sim::FileSystem::Entry&);
        os::DWORD disposition;
        os::DWORD flags;
        os::DWORD error;       // the last error; 5 and 80: the open fails
        std::string content;   // read whole afterwards, when it opened
        os::DWORD attributes;  // afterwards
    };
    const auto none = [](sim::FileSystem::Entry&) {};
    const auto sparse = [](sim::FileSystem::Entry& e) { e.sparseSize = 1 << 20; };
    const auto device = [](sim::FileSystem::Entry& e) {
        e.device = true;
        e.deviceByte = 'z';
    };
    const auto growing = [](sim::FileSystem::Entry& e) { e.appendedOnRead = "more"; };
    const auto readOnly = [](sim::FileSystem::Entry& e) {
        e.attributes |= os::FILE_ATTRIBUTE_READONLY;
    };
    const auto hidden = [](sim::FileSystem::Entry& e) {
        e.attributes |= os::FILE_ATTRIBUTE_HIDDEN;
    };
    const auto system = [](sim::FileSystem::Entry& e) {
        e.attributes |= os::FILE_ATTRIBUTE_SYSTEM;
    };
    const os::DWORD normal = os::FILE_ATTRIBUTE_NORMAL;
    const os::DWORD ordinary = os::FILE_ATTRIBUTE_ARCHIVE;
    const Row rows[] = {
        {"CREATE_ALWAYS over a file", none, os::CREATE_ALWAYS, normal, 183, "", ordinary},
        {"CREATE_ALWAYS over a sparse file", sparse, os::CREATE_ALWAYS, normal, 183, "", ordinary},
        {"CREATE_ALWAYS over a device", device, os::CREATE_ALWAYS, normal, 183, "", ordinary},
        {"CREATE_ALWAYS over a growing file", growing, os::CREATE_ALWAYS, normal, 183, "",
         ordinary},
        {"CREATE_ALWAYS over a read-only file", readOnly, os::CREATE_ALWAYS, normal, 5, "",
         ordinary | os::FILE_ATTRIBUTE_READONLY},
        {"CREATE_ALWAYS over a hidden file, not hidden", hidden, os::CREATE_ALWAYS, normal, 5, "",
         ordinary | os::FILE_ATTRIBUTE_HIDDEN},
        {"CREATE_ALWAYS over a system file, not system", system, os::CREATE_ALWAYS, normal, 5, "",
         ordinary | os::FILE_ATTRIBUTE_SYSTEM},
        {"CREATE_ALWAYS over a hidden file, hidden again", hidden, os::CREATE_ALWAYS,
         os::FILE_ATTRIBUTE_HIDDEN, 183, "", ordinary | os::FILE_ATTRIBUTE_HIDDEN},
        {"TRUNCATE_EXISTING over a hidden file keeps it hidden", hidden, os::TRUNCATE_EXISTING,
         normal, 0, "", ordinary | os::FILE_ATTRIBUTE_HIDDEN},
        {"TRUNCATE_EXISTING over a read-only file", readOnly, os::TRUNCATE_EXISTING, normal, 5, "",
         ordinary | os::FILE_ATTRIBUTE_READONLY},
        {"OPEN_ALWAYS keeps the content", none, os::OPEN_ALWAYS, normal, 183, "older", ordinary},
        {"OPEN_ALWAYS of a read-only file for writing", readOnly, os::OPEN_ALWAYS, normal, 5, "",
         ordinary | os::FILE_ATTRIBUTE_READONLY},
        {"OPEN_EXISTING keeps the content", none, os::OPEN_EXISTING, normal, 0, "older", ordinary},
        {"CREATE_NEW over a file", none, os::CREATE_NEW, normal, 80, "", ordinary},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        m().files.addFile(path, "older");
        row.arrange(*m().files.find(path));
        const Opened opened = open(path, R | W, 0, row.disposition, row.flags);
        EXPECT_EQ(opened.error, row.error);
        ASSERT_EQ(opened.ok(), row.error == 0 || row.error == 183);
        if (opened.ok()) {
            EXPECT_EQ(readAt(opened.handle, 16), row.content);
            os::CloseHandle(opened.handle);
        }
        const sim::FileSystem::Entry& after = *m().files.find(path);
        EXPECT_EQ(after.attributes, row.attributes);
        if (opened.ok() && row.content.empty()) {
            EXPECT_EQ(after.size(), 0u);
            EXPECT_FALSE(after.device);
            EXPECT_EQ(after.content, "") << "nothing is added to a new file";
        }
    }
}

TEST_F(SimFiles, DispositionsOfAMissingFile) {
    struct Row {
        os::DWORD disposition;
        os::DWORD access;
        os::DWORD error;
    };
    const Row rows[] = {
        {os::CREATE_ALWAYS, W, 0}, {os::CREATE_NEW, W, 0},          {os::OPEN_ALWAYS, R, 0},
        {os::OPEN_EXISTING, R, 2}, {os::TRUNCATE_EXISTING, W, 2}, {os::TRUNCATE_EXISTING, R, 87},
    };
    for (const Row& row : rows) {
        const std::string name = "disposition " + std::to_string(row.disposition) + ", access " +
                                 std::to_string(row.access);
        nextRow(name);
        SCOPED_TRACE(name);
        const Opened opened = open(path, row.access, 0, row.disposition);
        EXPECT_EQ(opened.error, row.error);
        EXPECT_EQ(opened.ok(), row.error == 0);
        EXPECT_EQ(m().files.exists(path), row.error == 0);
        if (opened.ok()) os::CloseHandle(opened.handle);
    }
    // A folder that refuses writing takes no new file, whatever the access.
    m().files.find("C:\\")->unwritable = true;
    EXPECT_EQ(open(path, R, 0, os::OPEN_ALWAYS).error, 5u);
    EXPECT_FALSE(m().files.exists(path));
    // Its existing files stay writable.
    m().files.addFile("C:\\kept.txt", "older");
    const Opened kept = open("C:\\kept.txt", W, 0, os::CREATE_ALWAYS);
    EXPECT_EQ(kept.error, sim::errorAlreadyExists);
    if (kept.ok()) os::CloseHandle(kept.handle);
    EXPECT_EQ(m().files.content("C:\\kept.txt"), "");
}

// The attributes given at creation stay with the file: its own handle writes,
// later opens for writing are refused.
TEST_F(SimFiles, ReadOnlyFileKeepsRefusingWrites) {
    const Opened created = open(path, W, 0, os::CREATE_ALWAYS, os::FILE_ATTRIBUTE_READONLY);
    ASSERT_TRUE(created.ok());
    os::DWORD written = 0;
    EXPECT_TRUE(os::WriteFile(created.handle, "abc", 3, &written, nullptr));
    os::CloseHandle(created.handle);
    EXPECT_EQ(m().files.find(path)->attributes,
              os::FILE_ATTRIBUTE_READONLY | os::FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(open(path, W, shareR, os::OPEN_EXISTING).error, 5u);
    EXPECT_EQ(open(path, R, shareR, os::CREATE_ALWAYS).error, 5u);
    const Opened reader = open(path, R, shareR, os::OPEN_EXISTING);
    ASSERT_TRUE(reader.ok());
    EXPECT_EQ(readAt(reader.handle, 8), "abc");
    os::CloseHandle(reader.handle);
}

// A file opened for deletion on close goes at the last close of any handle;
// until then, every other open must share deletion, and it must share the
// access of the handles open before it.
TEST_F(SimFiles, DeleteOnCloseRemovesTheFileAtItsLastClose) {
    const Opened doomed =
        open(path, W, shareR | shareD, os::CREATE_ALWAYS, os::FILE_FLAG_DELETE_ON_CLOSE);
    ASSERT_TRUE(doomed.ok());
    EXPECT_EQ(open(path, R, shareR | shareW, os::OPEN_EXISTING).error, 32u);
    const Opened other = open(path, R, shareR | shareW | shareD, os::OPEN_EXISTING);
    ASSERT_TRUE(other.ok());
    os::CloseHandle(doomed.handle);
    EXPECT_TRUE(m().files.exists(path)) << "a handle is still open";
    os::CloseHandle(other.handle);
    EXPECT_FALSE(m().files.exists(path));

    m().files.addFile(path, "kept");
    const Opened holder = open(path, R, shareR | shareW, os::OPEN_EXISTING);
    EXPECT_EQ(open(path, R, shareR | shareW | shareD, os::OPEN_EXISTING,
                   os::FILE_FLAG_DELETE_ON_CLOSE)
                  .error,
              32u);
    os::CloseHandle(holder.handle);
    EXPECT_EQ(m().files.content(path), "kept");
}

// The Nth read of a file fails with the given error; the reads before it
// deliver their bytes, the handle stays open until it is closed.
TEST_F(SimFiles, ReadFailsPartWay) {
    m().files.addFile(path, "abcdefgh");
    m().files.find(path)->failingRead = 2;
    m().files.find(path)->failingReadError = 23;  // ERROR_CRC: a scratched disc
    const os::HANDLE file = openFile(os::GENERIC_READ);
    EXPECT_EQ(readAt(file, 3), "abc");
    char buffer[3];
    os::DWORD read = 99;
    EXPECT_FALSE(os::ReadFile(file, buffer, sizeof buffer, &read, nullptr));
    EXPECT_EQ(read, 0u);
    EXPECT_EQ(os::GetLastError(), 23u);
    EXPECT_EQ(m().files.openFiles.size(), 1u);
    os::CloseHandle(file);
}

// Another program's handle is not one of the program's: the program can
// neither use nor close it.
TEST_F(SimFiles, AnotherProgramsHandleIsNotTheProgramsOwn) {
    m().files.addFile(path, "abc");
    void* theirs = m().files.openByOtherProgram(path, R | W, shareR | shareW);
    char buffer[4];
    os::DWORD read = 0;
    EXPECT_FALSE(os::ReadFile(theirs, buffer, sizeof buffer, &read, nullptr));
    EXPECT_FALSE(os::CloseHandle(theirs));
    EXPECT_EQ(os::GetLastError(), static_cast<os::DWORD>(os::ERROR_INVALID_HANDLE));
    EXPECT_EQ(m().files.readByOtherProgram(theirs), "abc");
    m().files.writeByOtherProgram(theirs, "d");
    EXPECT_EQ(m().files.content(path), "abcd");
    EXPECT_TRUE(m().files.close(theirs));
}

// A handle of the file for reading and writing, sharing both.
os::HANDLE openForAll() {
    return os::CreateFileA(path, R | W, shareR | shareW, nullptr, os::OPEN_EXISTING,
                           os::FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Byte-range locks of the program's handles: an exclusive lock keeps every
// other handle, the locking one's own new locks included, from the bytes of
// its range until it is unlocked exactly or its handle closed; ranges that
// only touch do not meet; a range may lie far beyond the end.
TEST_F(SimFiles, ExclusiveByteRangeLocks) {
    m().files.addFile(path, "abcdef");
    const os::HANDLE one = openForAll(), two = openForAll();
    const auto range = [](std::uint64_t offset) {
        os::OVERLAPPED at{};
        at.Offset = static_cast<os::DWORD>(offset);
        at.OffsetHigh = static_cast<os::DWORD>(offset >> 32);
        return at;
    };
    // Answers the last error, 0 when the call succeeded.
    const auto lock = [&](os::HANDLE file, std::uint64_t offset, os::DWORD length,
                          os::DWORD reserved = 0) {
        os::OVERLAPPED at = range(offset);
        sim::setLastError(0);
        const os::DWORD flags = os::LOCKFILE_EXCLUSIVE_LOCK | os::LOCKFILE_FAIL_IMMEDIATELY;
        return os::LockFileEx(file, flags, reserved, length, 0, &at) ? 0 : os::GetLastError();
    };
    const auto unlock = [&](os::HANDLE file, std::uint64_t offset, os::DWORD length) {
        os::OVERLAPPED at = range(offset);
        return os::UnlockFileEx(file, 0, length, 0, &at) ? 0 : os::GetLastError();
    };
    const auto readFrom = [](os::HANDLE file, std::int64_t at, os::DWORD size) {
        os::SetFilePointerEx(file, distance(at), nullptr, os::FILE_BEGIN);
        char buffer[16];
        os::DWORD read = 0;
        sim::setLastError(0);
        return os::ReadFile(file, buffer, size, &read, nullptr) ? 0 : os::GetLastError();
    };
    const os::DWORD violation = os::ERROR_LOCK_VIOLATION;

    EXPECT_EQ(lock(one, 2, 2), 0u);                   // bytes 2 and 3
    EXPECT_EQ(lock(two, 3, 2), violation);
    EXPECT_EQ(lock(one, 3, 1), violation) << "the locking handle's own new lock";
    EXPECT_EQ(lock(two, 4, 2), 0u) << "a range that only touches";
    EXPECT_EQ(lock(two, std::uint64_t{1} << 62, 1), 0u) << "far beyond the end";
    EXPECT_EQ(lock(two, 0, 1, 1), sim::errorInvalidParameter) << "reserved not zero";

    EXPECT_EQ(readFrom(two, 0, 2), 0u);
    EXPECT_EQ(readFrom(two, 0, 3), violation) << "a read that reaches another's lock";
    EXPECT_EQ(readFrom(one, 2, 2), 0u) << "the lock's own handle";
    EXPECT_EQ(readFrom(one, 0, 6), violation);
    os::SetFilePointerEx(two, distance(3), nullptr, os::FILE_BEGIN);
    os::DWORD written = 99;
    EXPECT_FALSE(os::WriteFile(two, "x", 1, &written, nullptr));
    EXPECT_EQ(os::GetLastError(), violation);
    EXPECT_EQ(written, 0u);
    void* theirs = m().files.openByOtherProgram(path, R | W, shareR | shareW);
    os::DWORD error = 99;
    EXPECT_EQ(m().files.readByOtherProgram(theirs, &error), "");
    EXPECT_EQ(error, violation);
    m().files.writeByOtherProgram(theirs, "xyz", &error);
    EXPECT_EQ(error, violation);
    os::SetFilePointerEx(two, distance(6), nullptr, os::FILE_BEGIN);
    EXPECT_TRUE(os::WriteFile(two, "g", 1, &written, nullptr)) << "past the locks";
    EXPECT_EQ(m().files.content(path), "abcdefg");

    EXPECT_EQ(unlock(one, 2, 1), sim::errorNotLocked) << "not the range locked";
    EXPECT_EQ(unlock(two, 2, 2), sim::errorNotLocked) << "another handle's lock";
    EXPECT_EQ(unlock(one, 2, 2), 0u);
    EXPECT_EQ(unlock(one, 2, 2), sim::errorNotLocked) << "unlocked already";
    EXPECT_EQ(lock(two, 2, 2), 0u);
    os::CloseHandle(two);
    EXPECT_EQ(lock(one, 2, 4), 0u) << "the closed handle's locks are gone";
    EXPECT_EQ(m().files.readByOtherProgram(theirs, &error), "");
    EXPECT_EQ(error, violation);
    os::CloseHandle(one);
    EXPECT_EQ(m().files.readByOtherProgram(theirs, &error), "abcdefg");
    EXPECT_EQ(error, 0u);
    m().files.close(theirs);
}

// A lock request that meets another's lock waits until it is released, by
// another thread that stands for another program; one that meets its own
// thread's lock would wait for ever, and is named at once instead.
TEST_F(SimFiles, ALockRequestWaitsForTheLockInItsWay) {
    m().files.addFile(path, "abc");
    const os::HANDLE mine = openForAll(), other = openForAll();
    os::OVERLAPPED at{};
    std::promise<void> holding;
    std::thread holder([&] {
        os::OVERLAPPED its{};
        os::LockFileEx(other, os::LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &its);
        holding.set_value();
        // Until this thread's request waits.
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (m().files.lockWaiters() == 0 && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        os::UnlockFileEx(other, 0, 1, 0, &its);
    });
    holding.get_future().wait();
    EXPECT_TRUE(os::LockFileEx(mine, os::LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &at));
    holder.join();

    const auto asked = std::chrono::steady_clock::now();
    EXPECT_FALSE(os::LockFileEx(mine, os::LOCKFILE_EXCLUSIVE_LOCK, 0, 1, 0, &at));
    EXPECT_LT(std::chrono::steady_clock::now() - asked, std::chrono::seconds(5))
        << "named at once, not after the wait's limit";
    ASSERT_EQ(m().unmodeled.size(), 1u);
    EXPECT_EQ(m().unmodeled[0], "LockFileEx: a wait that never ends, at offset 0x0");
    m().unmodeled.clear();
    os::CloseHandle(mine);
    os::CloseHandle(other);
}

}  // namespace
