// The OS seam's registry services on the simulated machine, keeping the
// Windows contracts: ERROR_FILE_NOT_FOUND for a missing key or value,
// ERROR_MORE_DATA when data or a name does not fit, string data returned as
// stored, sub-keys enumerated in case-insensitive alphabetical order, names
// matched without regard to case, and handles that must be closed once.
#include <algorithm>
#include <cstring>
#include <string>

#include "gui/Text.h"
#include "platform/os.h"
#include "sim/machine.h"

namespace os {

namespace {

constexpr DWORD KEY_QUERY_VALUE = 0x0001;
constexpr DWORD KEY_SET_VALUE = 0x0002;
constexpr DWORD KEY_CREATE_SUB_KEY = 0x0004;
constexpr DWORD KEY_ENUMERATE_SUB_KEYS = 0x0008;
constexpr DWORD REG_MULTI_SZ = 7;
constexpr LONG ERROR_INVALID_PARAMETER = static_cast<LONG>(sim::errorInvalidParameter);
constexpr LONG ERROR_KEY_DELETED = 1018;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

const HKEY localMachine = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000002u));

sim::Registry& reg() { return sim::machine().registry; }

bool isString(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }

// The key path that a handle stands for; false for a handle that is not open.
bool pathOf(HKEY key, std::string* path, DWORD* access) {
    if (key == localMachine) {
        *path = "";
        if (access) *access = KEY_READ | KEY_WRITE;
        return true;
    }
    const auto it = reg().openHandles.find(key);
    if (it == reg().openHandles.end()) return false;
    *path = it->second.path;
    if (access) *access = it->second.access;
    return true;
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

// Whether writing at `path` is refused: the key itself when it exists, else
// the nearest existing key above it, in which the missing ones would be made.
bool writeRefused(const std::string& path) {
    std::string p = path;
    for (;;) {
        if (const sim::Registry::Key* k = reg().findKey(p)) return k->refuseWrites;
        const std::size_t slash = p.rfind('\\');
        if (slash == std::string::npos) {
            const sim::Registry::Key* root = reg().findKey("");
            return root && root->refuseWrites;
        }
        p = p.substr(0, slash);
    }
}

}  // namespace

HKEY hkeyLocalMachine() { return localMachine; }

LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD, char*, DWORD, DWORD desired, void*,
                     HKEY* result, DWORD* disposition) {
    if (result) *result = nullptr;
    std::string parent;
    if (!pathOf(key, &parent, nullptr)) return ERROR_INVALID_HANDLE;
    const std::string path = joined(parent, subKey);
    const bool exists = reg().findKey(path) != nullptr;
    const bool writing = (desired & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY)) != 0;
    if ((!exists || writing) && writeRefused(path)) return ERROR_ACCESS_DENIED;
    if (!exists) {
        // Spell the new names as given.
        std::string spelled = reg().findKey(parent) ? reg().findKey(parent)->name : parent;
        const std::string sub = subKey ? subKey : "";
        reg().addKey(spelled.empty() ? sub : spelled + "\\" + sub);
    }
    if (disposition) *disposition = exists ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    if (result) *result = handOut(path, desired);
    return ERROR_SUCCESS;
}

LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD, DWORD desired, HKEY* result) {
    if (result) *result = nullptr;
    std::string parent;
    if (!pathOf(key, &parent, nullptr)) return ERROR_INVALID_HANDLE;
    const std::string path = joined(parent, subKey);
    const sim::Registry::Key* k = reg().findKey(path);
    if (!k) return ERROR_FILE_NOT_FOUND;
    if ((desired & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY)) && k->refuseWrites)
        return ERROR_ACCESS_DENIED;
    if (result) *result = handOut(path, desired);
    return ERROR_SUCCESS;
}

// As on Windows NT, string data whose size leaves out a terminating zero
// that stands right after it is stored with that zero.
LONG RegSetValueExA(HKEY key, const char* valueName, DWORD, DWORD type, const BYTE* data,
                    DWORD size) {
    std::string path;
    DWORD access = 0;
    const std::string name = valueName ? valueName : "";
    if (!pathOf(key, &path, &access)) return ERROR_INVALID_HANDLE;
    LONG rc = ERROR_SUCCESS;
    const auto failing = reg().failingWrites.find(gui::upper(name));
    if (!(access & KEY_SET_VALUE))
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
LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD*, DWORD* type, BYTE* data,
                      DWORD* size) {
    std::string path;
    DWORD access = 0;
    if (!pathOf(key, &path, &access)) return ERROR_INVALID_HANDLE;
    if (!(access & KEY_QUERY_VALUE)) return ERROR_ACCESS_DENIED;
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
LONG RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* nameSize, DWORD*, char* keyClass,
                   DWORD* classSize, FILETIME* lastWriteTime) {
    std::string path;
    DWORD access = 0;
    if (!pathOf(key, &path, &access)) return ERROR_INVALID_HANDLE;
    if (!(access & KEY_ENUMERATE_SUB_KEYS)) return ERROR_ACCESS_DENIED;
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
