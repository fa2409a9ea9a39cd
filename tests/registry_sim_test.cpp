// The simulated registry keeps the Windows contracts the engine relies on.
#include <cstring>

#include "support.h"

namespace {

using test::Fixture;
using SimRegistry = Fixture;

const char key[] = "Software\\Test";

os::HKEY open(const char* path, os::DWORD access = os::KEY_READ) {
    os::HKEY h = nullptr;
    EXPECT_EQ(os::RegOpenKeyExA(os::hkeyLocalMachine(), path, 0, access, &h), os::ERROR_SUCCESS)
        << path;
    return h;
}

TEST_F(SimRegistry, QueryCopiesAsStoredAndTerminatesOnlyWithRoom) {
    struct Row {
        const char* what;
        os::DWORD type;
        std::string stored;
        os::DWORD bufferSize;
        os::LONG rc;
        os::DWORD sizeOut;
        std::string expected;  // the buffer's bytes up to bufferSize + 1
    };
    const std::string bd(1, '\xbd');
    const Row rows[] = {
        {"fits exactly: no terminator", os::REG_SZ, "Window", 6, 0, 6, "Window" + bd},
        {"room: a zero after the data", os::REG_SZ, "Window", 8, 0, 6, "Window" + std::string(1, '\0') + bd + bd},
        {"own terminator", os::REG_SZ, std::string("VLR\0", 4), 8, 0, 4,
         std::string("VLR\0", 4) + bd + bd + bd + bd + bd},
        {"too small", os::REG_SZ, "Window", 4, os::ERROR_MORE_DATA, 6, "Wind" + bd},
        {"number", os::REG_DWORD, std::string("\x05\0\0\0", 4), 8, 0, 4,
         std::string("\x05\0\0\0", 4) + bd + bd + bd + bd + bd},
        {"empty string: buffer untouched", os::REG_SZ, "", 4, 0, 0, bd + bd + bd + bd + bd},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        m().registry.setValue(key, "Value", row.type, row.stored);
        os::HKEY h = open(key);
        unsigned char buffer[32];
        std::memset(buffer, 0xbd, sizeof buffer);
        os::DWORD size = row.bufferSize;
        os::DWORD type = 99;
        EXPECT_EQ(os::RegQueryValueExA(h, "vALUE", nullptr, &type, buffer, &size), row.rc);
        EXPECT_EQ(size, row.sizeOut);
        EXPECT_EQ(type, row.type);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), row.bufferSize + 1), row.expected);
        os::RegCloseKey(h);
    }
}

TEST_F(SimRegistry, MissingKeysAndValuesAnswerFileNotFound) {
    os::HKEY h = reinterpret_cast<os::HKEY>(8);
    EXPECT_EQ(os::RegOpenKeyExA(os::hkeyLocalMachine(), "Software\\Nothing", 0, os::KEY_READ, &h),
              os::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(h, nullptr);
    m().registry.addKey(key);
    h = open("SOFTWARE\\test");
    char buffer[8];
    os::DWORD size = sizeof buffer;
    EXPECT_EQ(os::RegQueryValueExA(h, "Absent", nullptr, nullptr,
                                   reinterpret_cast<os::BYTE*>(buffer), &size),
              os::ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(os::RegQueryValueExA(h, nullptr, nullptr, nullptr,
                                   reinterpret_cast<os::BYTE*>(buffer), &size),
              os::ERROR_FILE_NOT_FOUND);  // no default value either
    os::RegCloseKey(h);
}

TEST_F(SimRegistry, SetValueStoresTheSizeGivenOrTheZeroRightAfterIt) {
    os::HKEY h = nullptr;
    os::DWORD disposition = 0;
    ASSERT_EQ(os::RegCreateKeyExA(os::hkeyLocalMachine(), "Software\\New\\Deep", 0, nullptr,
                                  os::REG_OPTION_NON_VOLATILE, os::KEY_WRITE, nullptr, &h,
                                  &disposition),
              os::ERROR_SUCCESS);
    EXPECT_EQ(disposition, 1u);  // REG_CREATED_NEW_KEY
    EXPECT_NE(m().registry.findKey("Software\\New"), nullptr);

    const char terminated[] = "Window";      // a zero follows the six bytes
    const char followed[] = "WindowXYZ";     // "X" follows the six bytes
    const os::BYTE* t = reinterpret_cast<const os::BYTE*>(terminated);
    const os::BYTE* f = reinterpret_cast<const os::BYTE*>(followed);
    EXPECT_EQ(os::RegSetValueExA(h, "A", 0, os::REG_SZ, t, 6), os::ERROR_SUCCESS);
    EXPECT_EQ(os::RegSetValueExA(h, "B", 0, os::REG_SZ, f, 6), os::ERROR_SUCCESS);
    EXPECT_EQ(os::RegSetValueExA(h, "C", 0, os::REG_BINARY, t, 6), os::ERROR_SUCCESS);
    EXPECT_EQ(m().registry.findValue("Software\\New\\Deep", "a")->data, std::string("Window\0", 7));
    EXPECT_EQ(m().registry.findValue("Software\\New\\Deep", "b")->data, "Window");
    EXPECT_EQ(m().registry.findValue("Software\\New\\Deep", "c")->data, "Window");
    ASSERT_EQ(m().registry.writes.size(), 3u);
    EXPECT_EQ(m().registry.writes[0].size, 6u);

    // A key opened for reading takes no writes.
    os::RegCloseKey(h);
    h = open("Software\\New\\Deep");
    EXPECT_EQ(os::RegSetValueExA(h, "A", 0, os::REG_SZ, t, 6), os::ERROR_ACCESS_DENIED);
    os::RegCloseKey(h);
}

TEST_F(SimRegistry, KeysThatRefuseWriting) {
    m().registry.addKey("Software\\Locked").refuseWrites = true;
    os::HKEY h = reinterpret_cast<os::HKEY>(8);
    EXPECT_EQ(os::RegCreateKeyExA(os::hkeyLocalMachine(), "Software\\Locked", 0, nullptr, 0,
                                  os::KEY_WRITE, nullptr, &h, nullptr),
              os::ERROR_ACCESS_DENIED);
    EXPECT_EQ(h, nullptr);
    EXPECT_EQ(os::RegCreateKeyExA(os::hkeyLocalMachine(), "Software\\Locked\\Below", 0, nullptr,
                                  0, os::KEY_WRITE, nullptr, &h, nullptr),
              os::ERROR_ACCESS_DENIED);
    EXPECT_EQ(m().registry.findKey("Software\\Locked\\Below"), nullptr);
    EXPECT_EQ(os::RegOpenKeyExA(os::hkeyLocalMachine(), "Software\\Locked", 0, os::KEY_WRITE, &h),
              os::ERROR_ACCESS_DENIED);
    os::RegCloseKey(open("Software\\Locked"));  // reading is allowed
}

TEST_F(SimRegistry, EnumerationIsAlphabeticalIgnoringCaseAndEnds) {
    for (const char* name : {"b", "Settings", "2.10.0", "a", "2.3.4", "C"})
        m().registry.addKey(std::string("Software\\Reader\\") + name);
    m().registry.addKey("Software\\Reader\\a\\below");
    os::HKEY h = open("Software\\Reader");
    std::vector<std::string> names;
    char name[16];
    os::LONG rc;
    for (os::DWORD i = 0;; ++i) {
        os::DWORD size = sizeof name;
        rc = os::RegEnumKeyExA(h, i, name, &size, nullptr, nullptr, nullptr, nullptr);
        if (rc != os::ERROR_SUCCESS) break;
        EXPECT_EQ(size, std::strlen(name));
        names.push_back(name);
    }
    EXPECT_EQ(rc, os::ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(names, (std::vector<std::string>{"2.10.0", "2.3.4", "a", "b", "C", "Settings"}));

    // A name that does not fit: ERROR_MORE_DATA, buffer and size untouched.
    std::memset(name, 0xbd, sizeof name);
    os::DWORD size = 6;
    EXPECT_EQ(os::RegEnumKeyExA(h, 0, name, &size, nullptr, nullptr, nullptr, nullptr),
              os::ERROR_MORE_DATA);
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(static_cast<unsigned char>(name[0]), 0xbd);
    os::RegCloseKey(h);
}

TEST_F(SimRegistry, HandlesAreTrackedUntilClosedOnce) {
    m().registry.addKey(key);
    os::HKEY a = open(key);
    os::HKEY b = open(key);
    EXPECT_NE(a, b);
    EXPECT_EQ(m().registry.openHandles.size(), 2u);
    EXPECT_EQ(os::RegCloseKey(a), os::ERROR_SUCCESS);
    EXPECT_EQ(os::RegCloseKey(a), os::ERROR_INVALID_HANDLE);
    EXPECT_EQ(os::RegCloseKey(b), os::ERROR_SUCCESS);
    EXPECT_TRUE(m().registry.openHandles.empty());
    EXPECT_EQ(m().registry.badCloses, std::vector<os::HKEY>{a});
    m().registry.badCloses.clear();  // the fixture's own check would flag it
}

}  // namespace
