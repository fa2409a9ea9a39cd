// The OS seam's registry services on the simulated machine, keeping the
// Windows contracts: ERROR_FILE_NOT_FOUND for a missing key or value,
// ERROR_MORE_DATA when data or a name does not fit, string data returned as
// stored, sub-keys enumerated in case-insensitive alphabetical order, names
// matched without regard to case, and handles that must be closed once.
// Access is checked as Windows checks it: an open or create gets a handle
// only when every right asked for (generic rights mapped as for keys) is
// granted on the key, and the handle then allows what was asked for and no
// more. A key created volatile lasts until the machine restarts. An
// argument that the machine does not model is reported (sim::unmodeled) and
// the call fails as with an invalid parameter.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "gui/Text.h"
#include "platform/os.h"
#include "sim/machine.h"

namespace os {

namespace {

constexpr DWORD REG_MULTI_SZ = 7;
constexpr LONG ERROR_INVALID_PARAMETER = static_cast<LONG>(sim::errorInvalidParameter);
constexpr LONG ERROR_KEY_DELETED = 1018;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

const HKEY localMachine = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000002u));

sim::Registry& reg() { return sim::machine().registry; }

bool isString(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// The value types whose data is kept as the bytes given.
bool isModelledType(DWORD type) {
    return isString(type) || type == REG_NONE || type == REG_BINARY || type == REG_DWORD;
}

// Reports an argument that the machine does not model; the call then fails
// as Windows fails an invalid parameter.
LONG notModelled(const char* call, const char* what, unsigned long value) {
    sim::unmodeled(call, what, value);
    return ERROR_INVALID_PARAMETER;
}

unsigned long valueOf(const void* pointer) {
    return static_cast<unsigned long>(reinterpret_cast<std::uintptr_t>(pointer));
}

// The rights that an access mask asks for, its generic rights mapped as for
// registry keys (GENERIC_READ and GENERIC_EXECUTE to KEY_READ, GENERIC_WRITE
// to KEY_WRITE, GENERIC_ALL to KEY_ALL_ACCESS). False for a mask that asks
// for nothing or holds a bit beyond those: MAXIMUM_ALLOWED, SYNCHRONIZE,
// ACCESS_SYSTEM_SECURITY, the WOW64 view flags, unknown bits.
bool rightsAskedFor(DWORD desired, DWORD* rights) {
    constexpr DWORD generic = GENERIC_READ | GENERIC_WRITE | sim::genericExecute | sim::genericAll;
    if (desired == 0 || (desired & ~(sim::keyAllAccess | generic)) != 0) return false;
    DWORD asked = desired & sim::keyAllAccess;
    if (desired & (GENERIC_READ | sim::genericExecute)) asked |= KEY_READ;
    if (desired & GENERIC_WRITE) asked |= KEY_WRITE;
    if (desired & sim::genericAll) asked |= sim::keyAllAccess;
    *rights = asked;
    return true;
}

std::string parentOf(const std::string& path) {
    const std::size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// The key at `path`, or when it does not exist the nearest key above it, in
// which the missing ones would be made; null when there is none.
const sim::Registry::Key* keyAtOrAbove(std::string path) {
    for (;;) {
        if (const sim::Registry::Key* k = reg().findKey(path)) return k;
        if (path.empty()) return nullptr;
        path = parentOf(path);
    }
}

// The rights that the user who runs the program has on a key: all of them
// for an administrator, the key's own grant for a limited user, and no more
// than reading where the key refuses writing.
DWORD rightsOn(const sim::Registry::Key* key) {
    DWORD rights = sim::keyAllAccess;
    if (reg().limitedUser) rights = key ? key->usersAccess : KEY_READ;
    if (key && key->refuseWrites) rights &= KEY_READ;
    return rights;
}

// The key path that a handle stands for and the rights it was opened with.
// HKEY_LOCAL_MACHINE stands for the root; the machine has no other
// predefined key.
LONG pathOf(const char* call, HKEY key, std::string* path, DWORD* access) {
    if (key == localMachine) {
        *path = "";
        *access = rightsOn(reg().findKey(""));
        return ERROR_SUCCESS;
    }
    const std::uintptr_t value = reinterpret_cast<std::uintptr_t>(key);
    if (value >= 0x80000000u && value <= 0x800000FFu)
        return notModelled(call, "predefined key", static_cast<unsigned long>(value));
    const auto it = reg().openHandles.find(key);
    if (it == reg().openHandles.end()) return ERROR_INVALID_HANDLE;
    *path = it->second.path;
    *access = it->second.access;
    return ERROR_SUCCESS;
}

std::string joined(const std::string& parent, const char* subKey) {
    const std::string sub = sim::Registry::keyOf(subKey ? subKey : "");
    if (parent.empty()) return sub;
    if (sub.empty()) return parent;
    return parent + "\\" + sub;
}

HKEY handOut(const std::string& path, DWORD access) {
    HKEY h = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(reg().nextHandle));
    reg().nextHandle += 4;  // never reused, so a second close is seen
    reg().openHandles[h] = {path, access};
    reg().handedOut.push_back(h);
    return h;
}

}  // namespace

HKEY hkeyLocalMachine() { return localMachine; }

// Opens the key, or makes it and any missing key above it. Making a key
// takes the right to create sub-keys in the key it is made in; the new key
// inherits that key's rights for a limited user. The volatile option counts
// only for keys that are made, and a stable key cannot be made in a volatile
// one.
LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD reserved, char* keyClass, DWORD options,
                     DWORD desired, void* securityAttributes, HKEY* result, DWORD* disposition) {
    const char* const call = "RegCreateKeyExA";
    if (result) *result = nullptr;
    if (reserved != 0) return notModelled(call, "reserved", reserved);
    if (keyClass) return notModelled(call, "class", valueOf(keyClass));
    if (options & ~sim::regOptionVolatile) return notModelled(call, "options", options);
    if (securityAttributes)
        return notModelled(call, "security attributes", valueOf(securityAttributes));
    if (!subKey) return notModelled(call, "sub-key", 0);
    if (!result) return notModelled(call, "result", 0);
    DWORD asked = 0;
    if (!rightsAskedFor(desired, &asked)) return notModelled(call, "access", desired);
    std::string parent;
    DWORD parentAccess = 0;  // creation is checked against the key, not the handle
    if (const LONG rc = pathOf(call, key, &parent, &parentAccess)) return rc;

    const std::string path = joined(parent, subKey);
    const bool exists = reg().findKey(path) != nullptr;
    const sim::Registry::Key* holder = keyAtOrAbove(path);
    const DWORD rights = rightsOn(holder);
    if (!exists && !(rights & sim::keyCreateSubKey)) return ERROR_ACCESS_DENIED;
    if (asked & ~rights) return ERROR_ACCESS_DENIED;
    const bool makeVolatile = (options & sim::regOptionVolatile) != 0;
    if (!exists && holder && holder->isVolatile && !makeVolatile)
        return sim::errorChildMustBeVolatile;
    if (!exists) {
        const DWORD inherited = holder ? holder->usersAccess : KEY_READ;
        std::vector<std::string> made;
        for (std::string p = path; !p.empty() && !reg().findKey(p); p = parentOf(p))
            made.push_back(p);
        // Spell the new names as given.
        const std::string spelled = reg().findKey(parent) ? reg().findKey(parent)->name : parent;
        reg().addKey(spelled.empty() ? subKey : spelled + "\\" + subKey);
        for (const std::string& p : made) {
            sim::Registry::Key* k = reg().findKey(p);
            k->isVolatile = makeVolatile;
            k->usersAccess = inherited;
        }
    }
    if (disposition) *disposition = exists ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    *result = handOut(path, asked);
    return ERROR_SUCCESS;
}

LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, DWORD desired, HKEY* result) {
    const char* const call = "RegOpenKeyExA";
    if (result) *result = nullptr;
    if (options != 0) return notModelled(call, "options", options);
    if (!result) return notModelled(call, "result", 0);
    DWORD asked = 0;
    if (!rightsAskedFor(desired, &asked)) return notModelled(call, "access", desired);
    // Windows answers the predefined key itself for no sub-key.
    if (key == localMachine && (!subKey || !*subKey)) return notModelled(call, "sub-key", 0);
    std::string parent;
    DWORD parentAccess = 0;
    if (const LONG rc = pathOf(call, key, &parent, &parentAccess)) return rc;
    const std::string path = joined(parent, subKey);
    const sim::Registry::Key* k = reg().findKey(path);
    if (!k) return ERROR_FILE_NOT_FOUND;
    if (asked & ~rightsOn(k)) return ERROR_ACCESS_DENIED;
    *result = handOut(path, asked);
    return ERROR_SUCCESS;
}

// As on Windows NT, string data whose size leaves out a terminating zero
// that stands right after it is stored with that zero.
LONG RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD size) {
    const char* const call = "RegSetValueExA";
    if (reserved != 0) return notModelled(call, "reserved", reserved);
    if (!isModelledType(type)) return notModelled(call, "type", type);
    if (!data && size > 0) return notModelled(call, "data", 0);
    std::string path;
    DWORD access = 0;
    const std::string name = valueName ? valueName : "";
    if (const LONG rc = pathOf(call, key, &path, &access)) return rc;
    LONG rc = ERROR_SUCCESS;
    const auto failing = reg().failingWrites.find(gui::upper(name));
    if (!(access & sim::keySetValue))
        rc = ERROR_ACCESS_DENIED;
    else if (failing != reg().failingWrites.end())
        rc = failing->second;
    reg().writes.push_back({path, name, type, size, rc});
    if (rc != ERROR_SUCCESS) return rc;
    DWORD stored = size;
    if (data && size > 0 && isString(type) && data[size - 1] != 0 && data[size] == 0) ++stored;
    const std::string bytes = data ? std::string(reinterpret_cast<const char*>(data), stored) : "";
    sim::Registry::Key* k = reg().findKey(path);
    if (!k) return ERROR_KEY_DELETED;
    sim::Registry::Value& v = k->values[gui::upper(name)];
    v.name = name;
    v.type = type;
    v.data = bytes;
    return ERROR_SUCCESS;
}

// Copies the data as stored. String data gets a zero after it when the
// buffer has room and the data does not end in one; data that does not fit
// answers ERROR_MORE_DATA with the size needed, the buffer holding only the
// part that fitted (its contents are undefined on Windows).
LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data,
                      DWORD* size) {
    const char* const call = "RegQueryValueExA";
    if (reserved) return notModelled(call, "reserved", valueOf(reserved));
    std::string path;
    DWORD access = 0;
    if (const LONG rc = pathOf(call, key, &path, &access)) return rc;
    if (!(access & sim::keyQueryValue)) return ERROR_ACCESS_DENIED;
    const sim::Registry::Value* v = reg().findValue(path, valueName ? valueName : "");
    if (!v) return ERROR_FILE_NOT_FOUND;
    if (type) *type = v->type;
    const DWORD needed = static_cast<DWORD>(v->data.size());
    if (!data) {
        if (size) *size = needed;
        return ERROR_SUCCESS;
    }
    if (!size) return ERROR_INVALID_PARAMETER;
    const DWORD room = *size;
    *size = needed;
    if (room < needed) {
        std::memcpy(data, v->data.data(), room);
        return ERROR_MORE_DATA;
    }
    std::memcpy(data, v->data.data(), needed);
    if (isString(v->type) && needed > 0 && room > needed && v->data.back() != '\0')
        data[needed] = 0;
    return ERROR_SUCCESS;
}

// Sub-keys come in case-insensitive alphabetical order. A name that does
// not fit answers ERROR_MORE_DATA and leaves the buffer and its size alone.
LONG RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* nameSize, DWORD* reserved,
                   char* keyClass, DWORD* classSize, FILETIME* lastWriteTime) {
    const char* const call = "RegEnumKeyExA";
    if (reserved) return notModelled(call, "reserved", valueOf(reserved));
    if (keyClass && !classSize) return notModelled(call, "class size", 0);
    std::string path;
    DWORD access = 0;
    if (const LONG rc = pathOf(call, key, &path, &access)) return rc;
    if (!(access & sim::keyEnumerateSubKeys)) return ERROR_ACCESS_DENIED;
    const std::vector<std::string> names = reg().subKeyNames(path);
    if (index >= names.size()) return ERROR_NO_MORE_ITEMS;
    const std::string& found = names[index];
    if (!name || !nameSize || *nameSize <= found.size()) return ERROR_MORE_DATA;
    if (keyClass && classSize && *classSize == 0) return ERROR_MORE_DATA;
    std::memcpy(name, found.c_str(), found.size() + 1);
    *nameSize = static_cast<DWORD>(found.size());
    if (keyClass && classSize) keyClass[0] = '\0';  // no key here has a class
    if (classSize) *classSize = 0;
    if (lastWriteTime) *lastWriteTime = {0x8D170000u, 0x01C1B033u};  // 2002-02-08 00:00 UTC
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
    if (key == localMachine) return ERROR_SUCCESS;
    if (reg().openHandles.erase(key) == 0) {
        reg().badCloses.push_back(key);
        return ERROR_INVALID_HANDLE;
    }
    return ERROR_SUCCESS;
}

}  // namespace os
