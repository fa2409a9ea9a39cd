// The simulated registry: keys under the local machine, their values (type
// and raw bytes) and keys that refuse writing.
#pragma once

#include <map>
#include <string>

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

    // Paths below HKEY_LOCAL_MACHINE, such as "Software\Zantic\Vm_Autorun".
    // Missing parent keys are created.
    Key& addKey(const std::string& path);
    void setValue(const std::string& path, const std::string& name, os::DWORD type,
                  const std::string& data);
    void setString(const std::string& path, const std::string& name, const std::string& text) {
        setValue(path, name, os::REG_SZ, text);
    }
    const Key* findKey(const std::string& path) const;
    const Value* findValue(const std::string& path, const std::string& name) const;

    std::map<std::string, Key> keys;  // by upper-cased path
};

}  // namespace sim
