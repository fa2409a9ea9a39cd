// The operating-system seam: the Windows and C-runtime services the engine
// calls, each with its Windows name, argument order, buffer rules and result
// codes. The Windows build forwards to the real API (native/), the host build
// answers from the simulated machine (sim/). No <windows.h> here.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>

namespace os {

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using UINT = unsigned int;
using BOOL = int;
using LCID = DWORD;
using LCTYPE = DWORD;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using INT_PTR = std::intptr_t;

struct HKEY__;
using HKEY = HKEY__*;
struct HWND__;
using HWND = HWND__*;
using HANDLE = void*;

// ---- errors -----------------------------------------------------------------
constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_PATH_NOT_FOUND = 3;
constexpr LONG ERROR_ACCESS_DENIED = 5;
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_SHARING_VIOLATION = 32;
constexpr LONG ERROR_LOCK_VIOLATION = 33;
constexpr LONG ERROR_MORE_DATA = 234;
constexpr LONG ERROR_NO_MORE_ITEMS = 259;

// ---- registry ---------------------------------------------------------------
HKEY hkeyLocalMachine();  // HKEY_LOCAL_MACHINE
constexpr DWORD KEY_READ = 0x20019;
constexpr DWORD KEY_WRITE = 0x20006;
constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;

struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD reserved, char* keyClass, DWORD options,
                     DWORD desired, void* securityAttributes, HKEY* result, DWORD* disposition);
LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, DWORD desired, HKEY* result);
LONG RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD size);
LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data,
                      DWORD* size);
LONG RegEnumKeyExA(HKEY key, DWORD index, char* name, DWORD* nameSize, DWORD* reserved,
                   char* keyClass, DWORD* classSize, FILETIME* lastWriteTime);
LONG RegCloseKey(HKEY key);

// ---- files ------------------------------------------------------------------
constexpr UINT SEM_FAILCRITICALERRORS = 0x0001;
UINT SetErrorMode(UINT mode);

// The C runtime's _access: 0 when the path names an existing file or folder,
// -1 otherwise. Mode 0 tests existence only.
int _access(const char* path, int mode);

DWORD GetShortPathNameA(const char* longPath, char* shortPath, DWORD bufferSize);

constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD GENERIC_WRITE = 0x40000000;
constexpr DWORD DELETE = 0x00010000;
constexpr DWORD FILE_SHARE_READ = 0x1;
constexpr DWORD FILE_SHARE_WRITE = 0x2;
constexpr DWORD FILE_SHARE_DELETE = 0x4;
constexpr DWORD CREATE_NEW = 1;
constexpr DWORD CREATE_ALWAYS = 2;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD OPEN_ALWAYS = 4;
constexpr DWORD TRUNCATE_EXISTING = 5;
constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x1;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x2;
constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x4;
constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD FILE_FLAG_DELETE_ON_CLOSE = 0x04000000;
inline HANDLE invalidHandle() { return reinterpret_cast<HANDLE>(static_cast<std::intptr_t>(-1)); }

// Security attributes are always NULL here: handles are never inherited.
HANDLE CreateFileA(const char* name, DWORD access, DWORD share, void* securityAttributes,
                   DWORD disposition, DWORD flags, HANDLE templateFile);
BOOL ReadFile(HANDLE file, void* buffer, DWORD size, DWORD* read, void* overlapped);
// A 64-bit file position, laid out as Windows lays it out.
union LARGE_INTEGER {
    struct {
        DWORD LowPart;
        LONG HighPart;
    } u;
    std::int64_t QuadPart;
};
constexpr DWORD FILE_BEGIN = 0;
constexpr DWORD FILE_CURRENT = 1;
constexpr DWORD FILE_END = 2;
// Moves the file pointer by `distance` from the start (FILE_BEGIN), the
// pointer or the end, and answers the new pointer through `newPointer` when
// it is not null. A position before the start fails (error 131, a negative
// seek) and leaves the pointer; one past the end is allowed. The end of a
// character device (under Wine, a link to /dev/zero) lies at 0.
BOOL SetFilePointerEx(HANDLE file, LARGE_INTEGER distance, LARGE_INTEGER* newPointer,
                      DWORD moveMethod);
BOOL WriteFile(HANDLE file, const void* data, DWORD size, DWORD* written, void* overlapped);

// Laid out as Windows lays it out. A lock's range starts at Offset and
// OffsetHigh; the other members stay zero for a synchronous handle.
struct OVERLAPPED {
    std::uintptr_t Internal;
    std::uintptr_t InternalHigh;
    DWORD Offset;
    DWORD OffsetHigh;
    HANDLE hEvent;
};
constexpr DWORD LOCKFILE_FAIL_IMMEDIATELY = 0x1;
constexpr DWORD LOCKFILE_EXCLUSIVE_LOCK = 0x2;
// Byte-range locks of a handle. A range may lie beyond the file's end. An
// exclusive lock keeps every other handle from locking, reading or writing
// any byte of its range (error 33, a lock violation) until it is unlocked or
// its handle closed; a request that meets another lock waits for it, or
// fails at once with LOCKFILE_FAIL_IMMEDIATELY. An unlock names a locked
// range exactly.
BOOL LockFileEx(HANDLE file, DWORD flags, DWORD reserved, DWORD lengthLow, DWORD lengthHigh,
                OVERLAPPED* overlapped);
BOOL UnlockFileEx(HANDLE file, DWORD reserved, DWORD lengthLow, DWORD lengthHigh,
                  OVERLAPPED* overlapped);
BOOL CloseHandle(HANDLE handle);

// ---- processes --------------------------------------------------------------
// Laid out as Windows lays them out, so the native backend passes them on.
struct STARTUPINFOA {
    DWORD cb;
    char* lpReserved;
    char* lpDesktop;
    char* lpTitle;
    DWORD dwX;
    DWORD dwY;
    DWORD dwXSize;
    DWORD dwYSize;
    DWORD dwXCountChars;
    DWORD dwYCountChars;
    DWORD dwFillAttribute;
    DWORD dwFlags;
    WORD wShowWindow;
    WORD cbReserved2;
    BYTE* lpReserved2;
    HANDLE hStdInput;
    HANDLE hStdOutput;
    HANDLE hStdError;
};

struct PROCESS_INFORMATION {
    HANDLE hProcess;
    HANDLE hThread;
    DWORD dwProcessId;
    DWORD dwThreadId;
};

BOOL CreateProcessA(const char* applicationName, char* commandLine, void* processAttributes,
                    void* threadAttributes, BOOL inheritHandles, DWORD creationFlags,
                    void* environment, const char* currentDirectory, STARTUPINFOA* startupInfo,
                    PROCESS_INFORMATION* processInformation);
DWORD GetLastError();
void Sleep(DWORD milliseconds);

// Shell: above 32 on success; 31 (SE_ERR_NOASSOC) when nothing is associated.
constexpr INT_PTR SE_ERR_NOASSOC = 31;
INT_PTR FindExecutableA(const char* file, const char* directory, char* result);

// ---- windows ----------------------------------------------------------------
constexpr UINT GW_HWNDFIRST = 0;
constexpr UINT GW_HWNDNEXT = 2;
constexpr UINT WM_CLOSE = 0x0010;

HWND GetWindow(HWND window, UINT command);
int GetWindowTextLengthA(HWND window);
int GetWindowTextA(HWND window, char* buffer, int bufferSize);
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// ---- locale and clock -------------------------------------------------------
constexpr LCTYPE LOCALE_SDATE = 0x1D;
constexpr LCTYPE LOCALE_IDATE = 0x21;
LCID GetUserDefaultLCID();
// Whether a byte opens a double-byte character in the ANSI code page.
BOOL IsDBCSLeadByte(BYTE testChar);
int GetLocaleInfoA(LCID locale, LCTYPE type, char* data, int size);

// The C runtime's clock: the current time and its local calendar form. Its
// 64-bit form (_time64, _localtime64) in both builds: the 32-bit one ends in
// January 2038.
using TIME64 = std::int64_t;
TIME64 time();
bool localtime(TIME64 t, std::tm* local);

}  // namespace os
