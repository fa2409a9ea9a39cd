// The simulated registry: keys under the local machine, their values (type
// and raw bytes), who may do what with each key, keys that live until the
// next restart, and the key handles handed out.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/os.h"

namespace sim {

// The access rights of registry keys, as Windows defines them: the specific
// rights, the standard rights that keys support, and the generic rights,
// which map onto KEY_READ, KEY_WRITE, KEY_EXECUTE (KEY_READ) and
// KEY_ALL_ACCESS.
constexpr os::DWORD keyQueryValue = 0x0001;        // KEY_QUERY_VALUE
constexpr os::DWORD keySetValue = 0x0002;          // KEY_SET_VALUE
constexpr os::DWORD keyCreateSubKey = 0x0004;      // KEY_CREATE_SUB_KEY
constexpr os::DWORD keyEnumerateSubKeys = 0x0008;  // KEY_ENUMERATE_SUB_KEYS
constexpr os::DWORD keyNotify = 0x0010;            // KEY_NOTIFY
constexpr os::DWORD keyCreateLink = 0x0020;        // KEY_CREATE_LINK
constexpr os::DWORD keyWow64Key64 = 0x0100;        // KEY_WOW64_64KEY
constexpr os::DWORD readControl = 0x00020000;      // READ_CONTROL, STANDARD_RIGHTS_READ and _WRITE
constexpr os::DWORD writeDac = 0x00040000;         // WRITE_DAC
constexpr os::DWORD writeOwner = 0x00080000;       // WRITE_OWNER
constexpr os::DWORD synchronize = 0x00100000;      // SYNCHRONIZE, which keys do not support
constexpr os::DWORD maximumAllowed = 0x02000000;   // MAXIMUM_ALLOWED
constexpr os::DWORD genericAll = 0x10000000;       // GENERIC_ALL
constexpr os::DWORD genericExecute = 0x20000000;   // GENERIC_EXECUTE
constexpr os::DWORD keyAllAccess = 0xF003F;        // KEY_ALL_ACCESS
static_assert(os::KEY_READ == (readControl | keyQueryValue | keyEnumerateSubKeys | keyNotify),
              "KEY_READ");
static_assert(os::KEY_WRITE == (readControl | keySetValue | keyCreateSubKey), "KEY_WRITE");
static_assert(keyAllAccess == (os::DELETE | readControl | writeDac | writeOwner |
                               keyQueryValue | keySetValue | keyCreateSubKey |
                               keyEnumerateSubKeys | keyNotify | keyCreateLink),
              "KEY_ALL_ACCESS");

// RegCreateKeyExA's options beside REG_OPTION_NON_VOLATILE (0).
constexpr os::DWORD regOptionVolatile = 0x1;       // REG_OPTION_VOLATILE
constexpr os::DWORD regOptionCreateLink = 0x2;     // REG_OPTION_CREATE_LINK
constexpr os::DWORD regOptionBackupRestore = 0x4;  // REG_OPTION_BACKUP_RESTORE
constexpr os::DWORD regOptionOpenLink = 0x8;       // REG_OPTION_OPEN_LINK

// A stable key cannot be created under a volatile one.
constexpr os::LONG errorChildMustBeVolatile = 1021;  // ERROR_CHILD_MUST_BE_VOLATILE

class Registry {
public:
    struct Value {
        std::string name;  // as written
        os::DWORD type = os::REG_SZ;
        std::string data;  // raw bytes, exactly as stored
    };
    struct Key {
        std::string name;  // path as created
        std::map<std::string, Value> values;  // by upper-cased name; "" is the default value
        bool refuseWrites = false;            // opening for writing answers ERROR_ACCESS_DENIED
        // The rights of a limited user on the key (see limitedUser); a key
        // that a call creates takes those of the key it is made in, as its
        // security descriptor would be inherited.
        os::DWORD usersAccess = os::KEY_READ;
        // Created with REG_OPTION_VOLATILE: gone at the next restart.
        bool isVolatile = false;
    };
    // A handle handed out by RegOpenKeyExA or RegCreateKeyExA.
    struct Handle {
        std::string path;  // upper-cased key path
        os::DWORD access;  // the access granted
    };
    // One RegSetValueExA call, as the caller made it.
    struct Write {
        std::string key;   // upper-cased key path
        std::string name;
        os::DWORD type;
        os::DWORD size;    // the size the caller passed
        os::LONG result;
    };

    // Paths below HKEY_LOCAL_MACHINE, such as "Software\Zantic\Vm_Autorun".
    // Missing parent keys are created.
    Key& addKey(const std::string& path);
    void setValue(const std::string& path, const std::string& name, os::DWORD type,
                  const std::string& data);
    void setString(const std::string& path, const std::string& name, const std::string& text) {
        setValue(path, name, os::REG_SZ, text);
    }
    const Key* findKey(const std::string& path) const;
    Key* findKey(const std::string& path);
    const Value* findValue(const std::string& path, const std::string& name) const;
    // The names of a key's direct sub-keys in the order Windows enumerates
    // them: alphabetical, without regard to case.
    std::vector<std::string> subKeyNames(const std::string& path) const;

    // The key under which a path is kept: upper case, empty names dropped.
    static std::string keyOf(const std::string& path);

    // What a restart of the machine does to the registry: volatile keys, and
    // everything below them, are gone with their values; the others stay.
    // No handle outlives it.
    void restart();

    // The program runs as a user without administrator rights: each key
    // grants only its usersAccess (KEY_READ unless said otherwise), and an
    // open or create that asks for more fails with ERROR_ACCESS_DENIED, as
    // on a machine without registry virtualization. An administrator is
    // granted every right, except writing where a key refuses it.
    bool limitedUser = false;

    std::map<std::string, Key> keys;  // by upper-cased path

    // Handles not yet closed, every handle ever handed out, and every close
    // of a handle that was not open (closed twice, or never opened).
    std::map<os::HKEY, Handle> openHandles;
    std::vector<os::HKEY> handedOut;
    std::vector<os::HKEY> badCloses;
    unsigned long nextHandle = 0x2000;

    std::vector<Write> writes;
    // Value names (upper case) whose next writes fail with the given error,
    // as a full registry or a write error of the hive would make them.
    std::map<std::string, os::LONG> failingWrites;
};

}  // namespace sim
