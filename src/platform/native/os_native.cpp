// The OS seam over the real Windows API: one forwarder per function.
// Our headers come first: the Windows headers define macros named like
// the seam's constants.
#include "platform/os.h"

#include <windows.h>
#include <shellapi.h>

#include <io.h>

#include <cstddef>
#include <ctime>

namespace os {

// The seam's types are Windows' own, at 32 and at 64 bits: its integers
// keep their widths, its pointer-sized ones follow the pointer, and the
// structures it passes on are laid out alike.
static_assert(sizeof(DWORD) == sizeof(::DWORD) && sizeof(LONG) == sizeof(::LONG), "32-bit integers");
static_assert(sizeof(WPARAM) == sizeof(::WPARAM) && sizeof(LPARAM) == sizeof(::LPARAM) &&
                  sizeof(INT_PTR) == sizeof(::INT_PTR),
              "pointer-sized integers");
static_assert(sizeof(STARTUPINFOA) == sizeof(::STARTUPINFOA) &&
                  offsetof(STARTUPINFOA, lpReserved2) == offsetof(::STARTUPINFOA, lpReserved2) &&
                  offsetof(STARTUPINFOA, hStdError) == offsetof(::STARTUPINFOA, hStdError),
              "STARTUPINFOA layout");
static_assert(sizeof(PROCESS_INFORMATION) == sizeof(::PROCESS_INFORMATION) &&
                  offsetof(PROCESS_INFORMATION, dwProcessId) ==
                      offsetof(::PROCESS_INFORMATION, dwProcessId),
              "PROCESS_INFORMATION layout");
static_assert(sizeof(FILETIME) == sizeof(::FILETIME), "FILETIME layout");
static_assert(sizeof(LARGE_INTEGER) == sizeof(::LARGE_INTEGER), "LARGE_INTEGER layout");
static_assert(sizeof(OVERLAPPED) == sizeof(::OVERLAPPED) &&
                  offsetof(OVERLAPPED, Offset) == offsetof(::OVERLAPPED, Offset) &&
                  offsetof(OVERLAPPED, hEvent) == offsetof(::OVERLAPPED, hEvent),
              "OVERLAPPED layout");

namespace {
::HKEY native(HKEY key) { return reinterpret_cast<::HKEY>(key); }
::HWND native(HWND window) { return reinterpret_cast<::HWND>(window); }
}  // namespace

HKEY hkeyLocalMachine() { return reinterpret_cast<HKEY>(HKEY_LOCAL_MACHINE); }

LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD reserved, char* keyClass, DWORD options,
                     DWORD desired, void* securityAttributes, HKEY* result, DWORD* disposition) {
    ::HKEY out = nullptr;
    ::DWORD disp = 0;
    const LONG rc = ::RegCreateKeyExA(native(key), subKey, reserved, keyClass, options, desired,
                                      static_cast<LPSECURITY_ATTRIBUTES>(securityAttributes), &out,
                                      &disp);
    if (result) *result = reinterpret_cast<HKEY>(out);
    if (disposition) *disposition = disp;
    return rc;
}

LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, DWORD desired, HKEY* result) {
    ::HKEY out = nullptr;
    const LONG rc = ::RegOpenKeyExA(native(key), subKey, options, desired, &out);
    if (result) *result = reinterpret_cast<HKEY>(out);
    return rc;
}

LONG RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD size) {
    return ::RegSetValueExA(native(key), valueName, reserved, type, data, size);
}

LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data,
                      DWORD* size) {
    return ::RegQueryValueExA(native(key), valueName, reinterpret_cast<LPDWORD>(reserved),
                              reinterpret_cast<LPDWORD>(type), data,
                              reinterpret_cast<LPDWORD>(size));
}

LONG RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* nameSize, DWORD* reserved,
                   char* keyClass, DWORD* classSize, FILETIME* lastWriteTime) {
    return ::RegEnumKeyExA(native(key), index, name, reinterpret_cast<LPDWORD>(nameSize),
                           reinterpret_cast<LPDWORD>(reserved), keyClass,
                           reinterpret_cast<LPDWORD>(classSize),
                           reinterpret_cast<::FILETIME*>(lastWriteTime));
}

LONG RegCloseKey(HKEY key) { return ::RegCloseKey(native(key)); }

UINT SetErrorMode(UINT mode) { return ::SetErrorMode(mode); }

int _access(const char* path, int mode) { return ::_access(path, mode); }

DWORD GetShortPathNameA(const char* longPath, char* shortPath, DWORD bufferSize) {
    return ::GetShortPathNameA(longPath, shortPath, bufferSize);
}

HANDLE CreateFileA(const char* name, DWORD access, DWORD share, void* securityAttributes,
                   DWORD disposition, DWORD flags, HANDLE templateFile) {
    return ::CreateFileA(name, access, share, static_cast<LPSECURITY_ATTRIBUTES>(securityAttributes),
                         disposition, flags, templateFile);
}

BOOL ReadFile(HANDLE file, void* buffer, DWORD size, DWORD* read, void* overlapped) {
    return ::ReadFile(file, buffer, size, reinterpret_cast<LPDWORD>(read),
                      static_cast<LPOVERLAPPED>(overlapped));
}

BOOL SetFilePointerEx(HANDLE file, LARGE_INTEGER distance, LARGE_INTEGER* newPointer,
                      DWORD moveMethod) {
    ::LARGE_INTEGER move;
    move.QuadPart = distance.QuadPart;
    ::LARGE_INTEGER moved;
    const BOOL ok = ::SetFilePointerEx(file, move, newPointer ? &moved : nullptr, moveMethod);
    if (ok && newPointer) newPointer->QuadPart = moved.QuadPart;
    return ok;
}

BOOL WriteFile(HANDLE file, const void* data, DWORD size, DWORD* written, void* overlapped) {
    return ::WriteFile(file, data, size, reinterpret_cast<LPDWORD>(written),
                       static_cast<LPOVERLAPPED>(overlapped));
}

BOOL LockFileEx(HANDLE file, DWORD flags, DWORD reserved, DWORD lengthLow, DWORD lengthHigh,
                OVERLAPPED* overlapped) {
    return ::LockFileEx(file, flags, reserved, lengthLow, lengthHigh,
                        reinterpret_cast<::OVERLAPPED*>(overlapped));
}

BOOL UnlockFileEx(HANDLE file, DWORD reserved, DWORD lengthLow, DWORD lengthHigh,
                  OVERLAPPED* overlapped) {
    return ::UnlockFileEx(file, reserved, lengthLow, lengthHigh,
                          reinterpret_cast<::OVERLAPPED*>(overlapped));
}

BOOL CloseHandle(HANDLE handle) { return ::CloseHandle(handle); }

BOOL CreateProcessA(const char* applicationName, char* commandLine, void* processAttributes,
                    void* threadAttributes, BOOL inheritHandles, DWORD creationFlags,
                    void* environment, const char* currentDirectory, STARTUPINFOA* startupInfo,
                    PROCESS_INFORMATION* processInformation) {
    return ::CreateProcessA(applicationName, commandLine,
                            static_cast<LPSECURITY_ATTRIBUTES>(processAttributes),
                            static_cast<LPSECURITY_ATTRIBUTES>(threadAttributes), inheritHandles,
                            creationFlags, environment, currentDirectory,
                            reinterpret_cast<::STARTUPINFOA*>(startupInfo),
                            reinterpret_cast<::PROCESS_INFORMATION*>(processInformation));
}

DWORD GetLastError() { return ::GetLastError(); }

void Sleep(DWORD milliseconds) { ::Sleep(milliseconds); }

INT_PTR FindExecutableA(const char* file, const char* directory, char* result) {
    return reinterpret_cast<INT_PTR>(::FindExecutableA(file, directory, result));
}

HWND GetWindow(HWND window, UINT command) {
    return reinterpret_cast<HWND>(::GetWindow(native(window), command));
}

int GetWindowTextLengthA(HWND window) { return ::GetWindowTextLengthA(native(window)); }

int GetWindowTextA(HWND window, char* buffer, int bufferSize) {
    return ::GetWindowTextA(native(window), buffer, bufferSize);
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::PostMessageA(native(window), message, wParam, lParam);
}

LCID GetUserDefaultLCID() { return ::GetUserDefaultLCID(); }

BOOL IsDBCSLeadByte(BYTE testChar) { return ::IsDBCSLeadByte(testChar); }

int GetLocaleInfoA(LCID locale, LCTYPE type, char* data, int size) {
    return ::GetLocaleInfoA(locale, type, data, size);
}

TIME64 time() { return ::_time64(nullptr); }

bool localtime(TIME64 t, std::tm* local) {
    const __time64_t time = t;
    const std::tm* result = ::_localtime64(&time);
    if (!result) return false;
    *local = *result;
    return true;
}

}  // namespace os
