// The simulated Windows machine of the host build: the world that the OS seam
// and the GUI library's headless peers answer from. Each test configures it.
#pragma once

#include <cstdint>
#include <ctime>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/os.h"
#include "sim/filesystem.h"
#include "sim/gui.h"
#include "sim/processes.h"
#include "sim/registry.h"
#include "sim/windows.h"

namespace sim {

// Thrown by the application's exit, so a test sees the end of the process
// without ending the test program.
struct ProcessExit {
    int code;
};

struct MessageBoxRecord {
    os::HWND owner;
    std::string title;
    std::string text;
    unsigned style;
    unsigned long helpId;
    int answer;
};

// How the user answers one message box; `whileOpen` runs while it is shown,
// as the window's messages do inside a box's own message loop.
struct BoxAnswer {
    int answer;
    std::function<void()> whileOpen;
};

class Machine {
public:
    void reset();

    Registry registry;
    FileSystem files;
    WindowTable windows;
    Gui gui;  // the GUI library's windows and the user's input
    Processes processes;

    // Message boxes: answered from the script in order; an unscripted box is
    // closed as by Escape (OK for an OK box, Cancel otherwise).
    std::deque<BoxAnswer> boxScript;
    std::vector<MessageBoxRecord> boxes;

    // Locale and clock. The user's locale and the system's, and the user's
    // regional settings (date order and separator): GetLocaleInfoA answers
    // the settings for the user's locale, and for any other locale that
    // locale's standard values.
    os::LCID userLocale = 0x0409;  // US English
    os::LCID systemLocale = 0x0409;
    std::string localeIDate = "0";
    std::string localeSDate = "/";
    // Lead bytes of the ANSI code page; none in a Western one (1252).
    std::set<unsigned char> dbcsLeadBytes;
    // The clock: now in seconds since 1970 (UTC), and the local time's
    // offset from UTC in minutes, east positive, daylight saving included.
    os::TIME64 now = 1013169600;  // 8 February 2002, noon
    int localOffsetMinutes = 0;

    int desktopWidth = 1024;
    int desktopHeight = 768;

    os::UINT errorMode = 0;
    os::DWORD lastError = 0;

    bool failObjectWindow = false;  // the hidden object window cannot be created

    // Each flag, option, access bit or attribute that a call passed and that
    // this machine does not model, as "Call: what 0xVALUE". The call fails as
    // Windows would fail an invalid parameter, and the test fails naming it.
    std::vector<std::string> unmodeled;
};

Machine& machine();

// Windows' error codes that the simulated machine answers with, beside the
// seam's own.
constexpr os::DWORD errorNotEnoughMemory = 8;
constexpr os::DWORD errorFileExists = 80;
constexpr os::DWORD errorInvalidParameter = 87;
constexpr os::DWORD errorInsufficientBuffer = 122;
constexpr os::DWORD errorNegativeSeek = 131;
constexpr os::DWORD errorNotLocked = 158;
constexpr os::DWORD errorAlreadyExists = 183;
constexpr os::DWORD errorInvalidWindowHandle = 1400;
constexpr os::DWORD errorResourceNameNotFound = 1814;

// The pseudo-locales of the locale calls, and the flag of GetLocaleInfoA that
// asks for a locale's standard values instead of the user's settings.
constexpr os::LCID localeUserDefault = 0x0400;      // LOCALE_USER_DEFAULT
constexpr os::LCID localeSystemDefault = 0x0800;    // LOCALE_SYSTEM_DEFAULT
constexpr os::LCTYPE localeNoUserOverride = 0x80000000;  // LOCALE_NOUSEROVERRIDE

inline void setLastError(os::DWORD error) { machine().lastError = error; }

// Records a value that a call passed and the machine does not model (see
// Machine::unmodeled) and says so on the error output at once.
void unmodeled(const char* call, const char* what, unsigned long value);
// Answers `modelled`, and records the value as unmodeled() does when it is false.
inline bool isModelled(bool modelled, const char* call, const char* what, unsigned long value) {
    if (!modelled) unmodeled(call, what, value);
    return modelled;
}
// The same for a call that tells its failures through the last error: an
// unmodelled value also sets it to 87, as an invalid parameter does.
inline bool isModelledElseInvalid(bool modelled, const char* call, const char* what,
                                  unsigned long value) {
    if (isModelled(modelled, call, what, value)) return true;
    setLastError(errorInvalidParameter);
    return false;
}
// The same for a pointer that the machine models as null alone.
inline bool isModelledNull(const void* pointer, const char* call, const char* what) {
    return isModelled(!pointer, call, what, reinterpret_cast<std::uintptr_t>(pointer));
}

}  // namespace sim
