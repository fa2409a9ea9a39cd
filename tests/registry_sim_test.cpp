// The simulated registry keeps the Windows contracts the engine relies on.
#include <cstdio>
#include <cstring>
#include <functional>

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

// What a handle allows is what it was opened with, generic rights mapped as
// for keys.
TEST_F(SimRegistry, AHandleAllowsWhatItWasOpenedWith) {
    struct Row {
        const char* what;
        os::DWORD access;
        os::LONG query, enumerate, set;
    };
    const Row rows[] = {
        {"KEY_READ", os::KEY_READ, 0, 0, 5},
        {"KEY_WRITE", os::KEY_WRITE, 5, 5, 0},
        {"KEY_QUERY_VALUE alone", sim::keyQueryValue, 0, 5, 5},
        {"KEY_ENUMERATE_SUB_KEYS alone", sim::keyEnumerateSubKeys, 5, 0, 5},
        {"KEY_SET_VALUE alone", sim::keySetValue, 5, 5, 0},
        {"KEY_ALL_ACCESS", sim::keyAllAccess, 0, 0, 0},
        {"GENERIC_READ", os::GENERIC_READ, 0, 0, 5},
        {"GENERIC_WRITE", os::GENERIC_WRITE, 5, 5, 0},
        {"GENERIC_ALL", sim::genericAll, 0, 0, 0},
    };
    m().registry.setString(key, "Value", "data");
    m().registry.addKey(std::string(key) + "\\Below");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        os::HKEY h = open(key, row.access);
        char buffer[16];
        os::DWORD size = sizeof buffer;
        EXPECT_EQ(os::RegQueryValueExA(h, "Value", nullptr, nullptr,
                                       reinterpret_cast<os::BYTE*>(buffer), &size),
                  row.query);
        size = sizeof buffer;
        EXPECT_EQ(os::RegEnumKeyExA(h, 0, buffer, &size, nullptr, nullptr, nullptr, nullptr),
                  row.enumerate);
        EXPECT_EQ(os::RegSetValueExA(h, "Value", 0, os::REG_SZ,
                                     reinterpret_cast<const os::BYTE*>("data"), 4),
                  row.set);
        os::RegCloseKey(h);
    }
}

// A limited user gets what each key grants users (reading, unless an
// administrator granted more or less); making a key takes the right to
// create sub-keys in the key above, whose grant the new key inherits. The
// rows run in order on one machine.
TEST_F(SimRegistry, ALimitedUserGetsWhatTheKeyGrants) {
    enum Call { openKey, createKey };
    struct Row {
        const char* what;
        Call call;
        const char* path;
        os::DWORD access;
        os::LONG rc;
    };
    const Row rows[] = {
        {"reading", openKey, "Software\\Shared", os::KEY_READ, 0},
        {"GENERIC_READ", openKey, "Software\\Shared", os::GENERIC_READ, 0},
        {"querying alone", openKey, "Software\\Shared", sim::keyQueryValue, 0},
        {"KEY_WRITE", openKey, "Software\\Shared", os::KEY_WRITE, 5},
        {"KEY_SET_VALUE alone", openKey, "Software\\Shared", sim::keySetValue, 5},
        {"KEY_READ and DELETE", openKey, "Software\\Shared", os::KEY_READ | os::DELETE, 5},
        {"KEY_ALL_ACCESS", openKey, "Software\\Shared", sim::keyAllAccess, 5},
        {"GENERIC_WRITE", openKey, "Software\\Shared", os::GENERIC_WRITE, 5},
        {"a missing key is missing", openKey, "Software\\Shared\\None", sim::keyAllAccess, 2},
        {"create an existing key for reading", createKey, "Software\\Shared", os::KEY_READ, 0},
        {"create an existing key for writing", createKey, "Software\\Shared", os::KEY_WRITE, 5},
        {"make a key in a read-only one", createKey, "Software\\Shared\\New", os::KEY_READ, 5},
        {"writing where it was granted", openKey, "Software\\Open", os::KEY_WRITE, 0},
        {"more than was granted", openKey, "Software\\Open", sim::keyAllAccess, 5},
        {"make a key where it was granted", createKey, "Software\\Open\\New\\Deeper",
         os::KEY_WRITE, 0},
        {"the new key inherits the grant", openKey, "Software\\Open\\New", os::KEY_WRITE, 0},
        {"no right at all: not even reading", openKey, "Software\\Closed", os::KEY_READ, 5},
    };
    m().registry.limitedUser = true;
    m().registry.addKey("Software\\Shared");
    m().registry.addKey("Software\\Open").usersAccess = os::KEY_READ | os::KEY_WRITE;
    m().registry.addKey("Software\\Closed").usersAccess = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        os::HKEY h = reinterpret_cast<os::HKEY>(8);
        const os::LONG rc =
            row.call == openKey
                ? os::RegOpenKeyExA(os::hkeyLocalMachine(), row.path, 0, row.access, &h)
                : os::RegCreateKeyExA(os::hkeyLocalMachine(), row.path, 0, nullptr,
                                      os::REG_OPTION_NON_VOLATILE, row.access, nullptr, &h,
                                      nullptr);
        EXPECT_EQ(rc, row.rc);
        if (rc == os::ERROR_SUCCESS)
            os::RegCloseKey(h);
        else
            EXPECT_EQ(h, nullptr);
    }
    EXPECT_EQ(m().registry.findKey("Software\\Shared\\New"), nullptr);
    // An administrator is granted what the key's users are not.
    m().registry.limitedUser = false;
    os::RegCloseKey(open("Software\\Closed", sim::keyAllAccess));
}

// A restart ends every volatile key with what is below it; stable keys stay,
// and no handle outlives it. A stable key cannot be made in a volatile one,
// and the volatile option counts only for the keys a call makes.
TEST_F(SimRegistry, VolatileKeysEndAtARestart) {
    const auto create = [](const char* path, os::DWORD options, os::HKEY* h) {
        return os::RegCreateKeyExA(os::hkeyLocalMachine(), path, 0, nullptr, options,
                                   os::KEY_WRITE, nullptr, h, nullptr);
    };
    m().registry.setString("Software\\Kept", "Value", "stays");
    os::HKEY h = nullptr;
    ASSERT_EQ(create("Software\\Kept", sim::regOptionVolatile, &h), os::ERROR_SUCCESS);
    os::RegCloseKey(h);
    ASSERT_EQ(create("Software\\Run\\Once", sim::regOptionVolatile, &h), os::ERROR_SUCCESS);
    EXPECT_EQ(os::RegSetValueExA(h, "Value", 0, os::REG_SZ,
                                 reinterpret_cast<const os::BYTE*>("gone"), 4),
              os::ERROR_SUCCESS);
    os::RegCloseKey(h);
    EXPECT_EQ(create("Software\\Run\\Once\\Stable", os::REG_OPTION_NON_VOLATILE, &h),
              sim::errorChildMustBeVolatile);
    EXPECT_EQ(h, nullptr);
    EXPECT_EQ(m().registry.findKey("Software\\Run\\Once\\Stable"), nullptr);
    ASSERT_EQ(create("Software\\Run\\Once\\Also", sim::regOptionVolatile, &h), os::ERROR_SUCCESS);
    os::RegCloseKey(h);
    ASSERT_EQ(create("Software\\Stable", os::REG_OPTION_NON_VOLATILE, &h), os::ERROR_SUCCESS);
    os::HKEY held = h;  // open across the restart

    m().registry.restart();
    for (const char* gone : {"Software\\Run", "Software\\Run\\Once", "Software\\Run\\Once\\Also"})
        EXPECT_EQ(m().registry.findKey(gone), nullptr) << gone;
    EXPECT_NE(m().registry.findKey("Software\\Stable"), nullptr);
    ASSERT_NE(m().registry.findValue("Software\\Kept", "Value"), nullptr);
    EXPECT_EQ(m().registry.findValue("Software\\Kept", "Value")->data, "stays");
    EXPECT_EQ(os::RegSetValueExA(held, "Value", 0, os::REG_SZ,
                                 reinterpret_cast<const os::BYTE*>("late"), 4),
              os::ERROR_INVALID_HANDLE);
    EXPECT_EQ(os::RegCloseKey(held), os::ERROR_INVALID_HANDLE);
    m().registry.badCloses.clear();  // the fixture's own check would flag it
}

// A pointer as the machine names it when it reports one.
std::string hex(const void* pointer) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%lX",
                  static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(pointer)));
    return text;
}

// A value that a registry call passes and the machine does not model is
// reported, naming the call and the value, and the call fails.
TEST_F(SimRegistry, ValuesItDoesNotModelAreReported) {
    os::HKEY h = nullptr;
    ASSERT_EQ(os::RegCreateKeyExA(os::hkeyLocalMachine(), key, 0, nullptr, 0, sim::keyAllAccess,
                                  nullptr, &h, nullptr),
              os::ERROR_SUCCESS);
    const os::HKEY currentUser = reinterpret_cast<os::HKEY>(static_cast<std::uintptr_t>(0x80000001u));
    char keyClass[] = "Class";
    char buffer[16];
    os::DWORD size = sizeof buffer;
    os::DWORD reserved = 0;
    int securityAttributes = 0;
    os::HKEY out = nullptr;
    const auto openWith = [&](os::DWORD options, os::DWORD access) {
        return os::RegOpenKeyExA(os::hkeyLocalMachine(), key, options, access, &out);
    };
    const auto createWith = [&](os::DWORD reserved, char* cls, os::DWORD options,
                                os::DWORD access, void* sa) {
        return os::RegCreateKeyExA(os::hkeyLocalMachine(), key, reserved, cls, options, access, sa,
                                   &out, nullptr);
    };
    const auto setWith = [&](os::DWORD reserved, os::DWORD type) {
        return os::RegSetValueExA(h, "Value", reserved, type,
                                  reinterpret_cast<const os::BYTE*>("12345678"), 8);
    };
    struct Row {
        std::string reported;
        std::function<os::LONG()> call;
    };
    const Row rows[] = {
        {"RegOpenKeyExA: options 0x8", [&] { return openWith(sim::regOptionOpenLink, os::KEY_READ); }},
        {"RegOpenKeyExA: access 0x2000000", [&] { return openWith(0, sim::maximumAllowed); }},
        {"RegOpenKeyExA: access 0x20119",
         [&] { return openWith(0, os::KEY_READ | sim::keyWow64Key64); }},
        {"RegOpenKeyExA: access 0x120019",
         [&] { return openWith(0, os::KEY_READ | sim::synchronize); }},
        {"RegOpenKeyExA: access 0x0", [&] { return openWith(0, 0); }},
        {"RegOpenKeyExA: predefined key 0x80000001",
         [&] { return os::RegOpenKeyExA(currentUser, "Software", 0, os::KEY_READ, &out); }},
        {"RegOpenKeyExA: sub-key 0x0",
         [&] { return os::RegOpenKeyExA(os::hkeyLocalMachine(), nullptr, 0, os::KEY_READ, &out); }},
        {"RegCreateKeyExA: reserved 0x1",
         [&] { return createWith(1, nullptr, 0, os::KEY_WRITE, nullptr); }},
        {"RegCreateKeyExA: class " + hex(keyClass),
         [&] { return createWith(0, keyClass, 0, os::KEY_WRITE, nullptr); }},
        {"RegCreateKeyExA: options 0x2",
         [&] { return createWith(0, nullptr, sim::regOptionCreateLink, os::KEY_WRITE, nullptr); }},
        {"RegCreateKeyExA: options 0x5",
         [&] {
             return createWith(0, nullptr, sim::regOptionVolatile | sim::regOptionBackupRestore,
                               os::KEY_WRITE, nullptr);
         }},
        {"RegCreateKeyExA: options 0x8",
         [&] { return createWith(0, nullptr, sim::regOptionOpenLink, os::KEY_WRITE, nullptr); }},
        {"RegCreateKeyExA: access 0x20406",
         [&] { return createWith(0, nullptr, 0, os::KEY_WRITE | 0x400, nullptr); }},
        {"RegCreateKeyExA: security attributes " + hex(&securityAttributes),
         [&] { return createWith(0, nullptr, 0, os::KEY_WRITE, &securityAttributes); }},
        {"RegSetValueExA: reserved 0x1", [&] { return setWith(1, os::REG_SZ); }},
        {"RegSetValueExA: type 0xB", [&] { return setWith(0, 11); }},  // REG_QWORD
        {"RegSetValueExA: type 0x6", [&] { return setWith(0, 6); }},   // REG_LINK
        {"RegQueryValueExA: reserved " + hex(&reserved),
         [&] {
             return os::RegQueryValueExA(h, "Value", &reserved, nullptr,
                                         reinterpret_cast<os::BYTE*>(buffer), &size);
         }},
        {"RegEnumKeyExA: reserved " + hex(&reserved),
         [&] { return os::RegEnumKeyExA(h, 0, buffer, &size, &reserved, nullptr, nullptr, nullptr); }},
        {"RegEnumKeyExA: class size 0x0",
         [&] { return os::RegEnumKeyExA(h, 0, buffer, &size, nullptr, keyClass, nullptr, nullptr); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.reported);
        out = nullptr;
        EXPECT_EQ(row.call(), static_cast<os::LONG>(sim::errorInvalidParameter));
        EXPECT_EQ(out, nullptr);
        EXPECT_EQ(m().unmodeled, std::vector<std::string>{row.reported});
        m().unmodeled.clear();  // the fixture's own check would flag it
    }
    EXPECT_TRUE(m().registry.writes.empty());
    os::RegCloseKey(h);
}

}  // namespace
