#include "engine/RegistryText.h"

#include <algorithm>

os::LONG openForReading(const char* path, os::HKEY* key) {
    return os::RegOpenKeyExA(os::hkeyLocalMachine(), path, 0, os::KEY_READ, key);
}

os::LONG queryRegistryText(os::HKEY key, const char* valueName, std::string* text) {
    // One byte beyond the size told to the registry, so the text can always
    // be ended there.
    char buffer[registryBufferSize + 1] = {};
    os::DWORD size = registryBufferSize;
    os::DWORD type = 0;
    const os::LONG rc = os::RegQueryValueExA(key, valueName, nullptr, &type,
                                             reinterpret_cast<os::BYTE*>(buffer), &size);
    if (rc != os::ERROR_SUCCESS) return rc;
    buffer[std::min(size, registryBufferSize)] = '\0';
    *text = buffer;
    return rc;
}
