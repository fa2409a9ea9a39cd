// The simulated files keep the Windows contracts of the file pointer: seeks
// from the start, the pointer and the end, reads and writes at the pointer.
#include <cstdint>

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
        {"no such method", none, 3, 0, false, sim::errorInvalidParameter, "abcde"},
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

}  // namespace
