// The simulated registry: keys under the local machine, their values (type
// and raw bytes), keys that refuse writing, and the key handles handed out.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/os.h"

namespace sim {

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
