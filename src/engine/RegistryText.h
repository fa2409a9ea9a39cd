// Reading a registry value as text, the way every value of the program is
// read: into a 1024-byte buffer whose size is told to the registry afresh.
#pragma once

#include <string>

#include "platform/os.h"

constexpr os::DWORD registryBufferSize = 1024;

// Opens a key under the local machine for reading.
os::LONG openForReading(const char* path, os::HKEY* key);

// Answers the registry's result; on success `text` holds the returned bytes
// up to the first zero byte and never more than the returned size, also when
// the data fills the whole buffer without a zero. The stored type is not
// looked at. A null name reads the key's default value.
os::LONG queryRegistryText(os::HKEY key, const char* valueName, std::string* text);
