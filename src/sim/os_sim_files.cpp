// The OS seam's file, handle, error-mode, locale and clock services on the
// simulated machine, keeping the Windows contracts.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <functional>
#include <iterator>
#include <string>
#include <utility>

#include "platform/os.h"
#include "sim/machine.h"

namespace os {

namespace {
sim::FileSystem& fs() { return sim::machine().files; }
using sim::setLastError;
}  // namespace

// Only the flag that suppresses the critical-error box is modelled.
UINT SetErrorMode(UINT mode) {
    const UINT previous = sim::machine().errorMode;
    if (sim::isModelled(!(mode & ~SEM_FAILCRITICALERRORS), "SetErrorMode", "mode", mode))
        sim::machine().errorMode = mode;
    return previous;
}

// Mode 0, existence alone, is the one modelled.
int _access(const char* path, int mode) {
    if (!sim::isModelled(mode == 0, "_access", "mode", static_cast<unsigned long>(mode)))
        return -1;
    fs().accessed.push_back(path);
    if (fs().onEmptyDrive(path)) {
        if (!(sim::machine().errorMode & SEM_FAILCRITICALERRORS))
            fs().criticalErrorPrompts.push_back(path);
        return -1;
    }
    return fs().exists(path) ? 0 : -1;
}

// Each component that has an 8.3 alias is replaced by it; the others stay as
// given. The path must exist. A buffer that is too small gets nothing and the
// answer is the size needed, terminator included.
DWORD GetShortPathNameA(const char* longPath, char* shortPath, DWORD bufferSize) {
    const std::string path = longPath ? longPath : "";
    if (path.empty() || !fs().exists(path)) {
        setLastError(path.empty() ? ERROR_INVALID_HANDLE : ERROR_FILE_NOT_FOUND);
        return 0;
    }
    std::string result;
    std::size_t i = 0;
    while (i < path.size()) {
        std::size_t j = path.find_first_of("\\/", i);
        if (j == std::string::npos) j = path.size();
        const std::string name = path.substr(i, j - i);
        const std::string upTo = path.substr(0, j);
        const sim::FileSystem::Entry* e = name.empty() ? nullptr : fs().find(upTo);
        result += (e && !e->shortName.empty()) ? e->shortName : name;
        if (j < path.size()) result += path[j];
        i = j + 1;
    }
    if (result.size() + 1 > bufferSize) return static_cast<DWORD>(result.size() + 1);
    std::memmove(shortPath, result.c_str(), result.size() + 1);
    return static_cast<DWORD>(result.size());
}

namespace {

constexpr DWORD modelledFlagsAndAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                             FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                             FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE;

}  // namespace

// Reading, writing or both; the three share bits; the five dispositions;
// the read-only, hidden, system and archive attributes and deletion on
// close. No security attributes (the handle is not inherited) and no
// template. See FileSystem::open for the rules.
HANDLE CreateFileA(const char* name, DWORD access, DWORD share, void* securityAttributes,
                   DWORD disposition, DWORD flags, HANDLE templateFile) {
    const char* const call = "CreateFileA";
    bool modelled = sim::isModelled(access != 0 && !(access & ~(GENERIC_READ | GENERIC_WRITE)),
                                    call, "access", access);
    modelled &= sim::isModelled(
        !(share & ~(FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE)), call, "share mode",
        share);
    modelled &= sim::isModelled(disposition >= CREATE_NEW && disposition <= TRUNCATE_EXISTING,
                                call, "disposition", disposition);
    modelled &= sim::isModelled(!(flags & ~modelledFlagsAndAttributes), call,
                                "flags and attributes", flags & ~modelledFlagsAndAttributes);
    modelled &= sim::isModelledNull(securityAttributes, call, "security attributes");
    modelled &= sim::isModelledNull(templateFile, call, "template file");
    if (!modelled) {
        setLastError(sim::errorInvalidParameter);
        return invalidHandle();
    }
    DWORD error = 0;
    void* h = fs().open(name ? name : "", access, share, disposition, flags, false, &error);
    setLastError(error);
    return h ? h : invalidHandle();
}

namespace {

// The program's open file behind a handle, when it was opened with
// `access`; null with the last error set otherwise.
sim::FileSystem::OpenFile* openFile(HANDLE file, DWORD access) {
    const auto it = fs().openFiles.find(file);
    if (it == fs().openFiles.end() || it->second.otherProgram) {
        setLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    if (!(it->second.access & access)) {
        setLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    return &it->second;
}

// Reads and writes are synchronous: an OVERLAPPED structure is not modelled.
bool synchronous(const char* call, void* overlapped) {
    return sim::isModelledElseInvalid(!overlapped, call, "overlapped",
                                      reinterpret_cast<std::uintptr_t>(overlapped));
}

// Whether another handle's lock covers a byte of the `size` bytes from the
// handle's pointer: then the error is set to a lock violation.
bool lockViolation(HANDLE file, const sim::FileSystem::OpenFile& open, DWORD size) {
    if (!fs().lockedByOther(file, open.position, size)) return false;
    setLastError(ERROR_LOCK_VIOLATION);
    return true;
}

}  // namespace

// The count is set to zero before anything else, as on Windows.
BOOL ReadFile(HANDLE file, void* buffer, DWORD size, DWORD* read, void* overlapped) {
    if (read) *read = 0;
    if (!synchronous("ReadFile", overlapped)) return 0;
    sim::FileSystem::OpenFile* open = openFile(file, GENERIC_READ);
    if (!open || lockViolation(file, *open, size)) return 0;
    std::size_t n = 0;
    DWORD error = 0;
    if (!fs().read(*open, static_cast<char*>(buffer), size, &n, &error)) {
        setLastError(error);
        return 0;
    }
    if (read) *read = static_cast<DWORD>(n);
    return 1;
}

BOOL SetFilePointerEx(HANDLE file, LARGE_INTEGER distance, LARGE_INTEGER* newPointer,
                      DWORD moveMethod) {
    if (!sim::isModelledElseInvalid(moveMethod <= FILE_END, "SetFilePointerEx", "move method",
                                    moveMethod))
        return 0;
    sim::FileSystem::OpenFile* open = openFile(file, GENERIC_READ | GENERIC_WRITE);
    if (!open) return 0;
    const sim::FileSystem::Entry& entry = fs().entries[open->key];
    std::int64_t from = 0;
    if (moveMethod == FILE_CURRENT)
        from = static_cast<std::int64_t>(open->position);
    else if (moveMethod == FILE_END)
        from = entry.device ? 0 : static_cast<std::int64_t>(entry.size());
    const std::int64_t to = from + distance.QuadPart;
    if (to < 0) {
        setLastError(sim::errorNegativeSeek);
        return 0;
    }
    open->position = static_cast<std::uint64_t>(to);
    if (newPointer) newPointer->QuadPart = to;
    return 1;
}

BOOL WriteFile(HANDLE file, const void* data, DWORD size, DWORD* written, void* overlapped) {
    if (written) *written = 0;
    if (!synchronous("WriteFile", overlapped)) return 0;
    sim::FileSystem::OpenFile* open = openFile(file, GENERIC_WRITE);
    if (!open) return 0;
    std::function<void()> before;
    std::swap(before, fs().entries[open->key].beforeNextWrite);  // run once
    if (before) before();
    if (lockViolation(file, *open, size)) return 0;
    fs().write(*open, static_cast<const char*>(data), size);
    if (written) *written = size;
    return 1;
}

namespace {

// The checks that LockFileEx and UnlockFileEx share: a range from the
// offset in `overlapped`, of a length that is not zero and ends within 64
// bits; no event, as for a synchronous handle; reserved zero; a handle open
// for reading or writing.
bool lockRange(const char* call, HANDLE file, DWORD reserved, DWORD lengthLow, DWORD lengthHigh,
               const OVERLAPPED* overlapped, std::uint64_t* offset, std::uint64_t* length) {
    if (!sim::isModelledElseInvalid(overlapped != nullptr, call, "overlapped", 0) ||
        !sim::isModelledElseInvalid(!overlapped->hEvent, call, "event",
                                    reinterpret_cast<std::uintptr_t>(overlapped->hEvent)))
        return false;
    *offset = (std::uint64_t{overlapped->OffsetHigh} << 32) | overlapped->Offset;
    *length = (std::uint64_t{lengthHigh} << 32) | lengthLow;
    if (!sim::isModelledElseInvalid(*length != 0, call, "length", 0) ||
        !sim::isModelledElseInvalid(*offset + *length >= *offset, call, "range end past 64 bits",
                                    static_cast<unsigned long>(*offset)))
        return false;
    if (reserved != 0) {  // Windows answers an invalid parameter
        setLastError(sim::errorInvalidParameter);
        return false;
    }
    return openFile(file, GENERIC_READ | GENERIC_WRITE) != nullptr;
}

}  // namespace

// Exclusive locks, waiting or failing at once; shared locks are not modelled.
BOOL LockFileEx(HANDLE file, DWORD flags, DWORD reserved, DWORD lengthLow, DWORD lengthHigh,
                OVERLAPPED* overlapped) {
    const char* const call = "LockFileEx";
    if (!sim::isModelledElseInvalid(
            (flags & LOCKFILE_EXCLUSIVE_LOCK) &&
                !(flags & ~(LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY)),
            call, "flags", flags))
        return 0;
    std::uint64_t offset = 0, length = 0;
    if (!lockRange(call, file, reserved, lengthLow, lengthHigh, overlapped, &offset, &length))
        return 0;
    switch (fs().lock(file, offset, length, !(flags & LOCKFILE_FAIL_IMMEDIATELY))) {
    case sim::FileSystem::LockResult::granted:
        return 1;
    case sim::FileSystem::LockResult::conflict:
        setLastError(ERROR_LOCK_VIOLATION);
        return 0;
    case sim::FileSystem::LockResult::neverReleased:
        // Windows would wait for ever.
        sim::isModelledElseInvalid(false, call, "a wait that never ends, at offset",
                                   static_cast<unsigned long>(offset));
        return 0;
    }
    return 0;
}

BOOL UnlockFileEx(HANDLE file, DWORD reserved, DWORD lengthLow, DWORD lengthHigh,
                  OVERLAPPED* overlapped) {
    std::uint64_t offset = 0, length = 0;
    if (!lockRange("UnlockFileEx", file, reserved, lengthLow, lengthHigh, overlapped, &offset,
                   &length))
        return 0;
    if (fs().unlock(file, offset, length)) return 1;
    setLastError(sim::errorNotLocked);
    return 0;
}

// A file, process or thread handle of the program.
BOOL CloseHandle(HANDLE handle) {
    const auto file = fs().openFiles.find(handle);
    if (file != fs().openFiles.end() && !file->second.otherProgram && fs().close(handle)) return 1;
    if (sim::machine().processes.handles.erase(handle) > 0) return 1;
    setLastError(ERROR_INVALID_HANDLE);
    return 0;
}

DWORD GetLastError() { return sim::machine().lastError; }

LCID GetUserDefaultLCID() { return sim::machine().userLocale; }

BOOL IsDBCSLeadByte(BYTE testChar) { return sim::machine().dbcsLeadBytes.count(testChar) ? 1 : 0; }

namespace {

// The standard date order and separator of the locales the machine knows.
struct LocaleDates {
    LCID locale;
    const char* iDate;
    const char* sDate;
};
const LocaleDates knownLocales[] = {
    {0x0409, "0", "/"},  // English (United States): 2/8/2002
    {0x0407, "1", "."},  // German (Germany): 08.02.2002
    {0x040C, "1", "/"},  // French (France): 08/02/2002
};

}  // namespace

// Answers for the locale asked about: the pseudo-locales stand for the
// user's and the system's locale; the user's locale answers the user's
// regional settings unless LOCALE_NOUSEROVERRIDE asks for its standard
// values, which every other locale answers. Copies the answer with its
// terminator and answers the characters copied, terminator included; 0 when
// the buffer is too small. Size 0 asks the size.
int GetLocaleInfoA(LCID locale, LCTYPE type, char* data, int size) {
    const char* const call = "GetLocaleInfoA";
    const sim::Machine& m = sim::machine();
    const LCTYPE asked = type & ~sim::localeNoUserOverride;
    if (!sim::isModelledElseInvalid(asked == LOCALE_IDATE || asked == LOCALE_SDATE, call, "type",
                                    type) ||
        !sim::isModelledElseInvalid(size == 0 || (size > 0 && data), call, "buffer size",
                                    static_cast<unsigned long>(size)))
        return 0;
    const LCID id = locale == sim::localeUserDefault     ? m.userLocale
                    : locale == sim::localeSystemDefault ? m.systemLocale
                                                         : locale;
    std::string value;
    if (id == m.userLocale && !(type & sim::localeNoUserOverride)) {
        value = asked == LOCALE_IDATE ? m.localeIDate : m.localeSDate;
    } else {
        const auto known = std::find_if(std::begin(knownLocales), std::end(knownLocales),
                                        [id](const LocaleDates& l) { return l.locale == id; });
        if (!sim::isModelledElseInvalid(known != std::end(knownLocales), call, "locale", locale))
            return 0;
        value = asked == LOCALE_IDATE ? known->iDate : known->sDate;
    }
    const int needed = static_cast<int>(value.size()) + 1;
    if (size == 0) return needed;
    if (size < needed) {
        setLastError(sim::errorInsufficientBuffer);
        return 0;
    }
    std::memcpy(data, value.c_str(), static_cast<std::size_t>(needed));
    return needed;
}

TIME64 time() { return sim::machine().now; }

// As the C runtime's localtime over a 64-bit time_t: no answer for a time
// before 1970 or after 31 December 3000, 23:59:59 (UTC); otherwise the
// calendar at the machine's offset from UTC.
bool localtime(TIME64 t, std::tm* local) {
    constexpr TIME64 last = 32535215999;
    if (t < 0 || t > last) return false;
    const std::time_t shifted =
        t + static_cast<std::time_t>(sim::machine().localOffsetMinutes) * 60;
    return gmtime_r(&shifted, local) != nullptr;
}

}  // namespace os
