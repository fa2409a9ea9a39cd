// A value that the simulated machine does not model, passed to one of its
// file, process or window calls, is named loudly and answered with an error,
// so that a changed flag cannot pass as if it were the one modelled. A call
// that tells its failures through the last error sets it to 87, as Windows
// does for an invalid parameter.
#include <functional>

#include "gui/MessageDialog.h"
#include "gui/Window.h"
#include "support.h"

namespace {

using Unmodeled = test::Fixture;

const char file[] = "C:\\WORK\\data.txt";

os::HANDLE createFile(os::DWORD access, os::DWORD share, void* security, os::DWORD disposition,
                      os::DWORD flags, os::HANDLE templateFile = nullptr) {
    return os::CreateFileA(file, access, share, security, disposition, flags, templateFile);
}

bool createFileFails(os::DWORD access, os::DWORD share, os::DWORD disposition, os::DWORD flags) {
    return createFile(access, share, nullptr, disposition, flags) == os::invalidHandle();
}

// A start of an existing program, changed by `change` first.
bool startFails(const std::function<void(os::STARTUPINFOA&, os::DWORD&, void*&)>& change) {
    sim::machine().files.addFile("C:\\Tools\\run.exe");
    char line[] = "C:\\Tools\\run.exe";
    os::STARTUPINFOA si = {};
    si.cb = sizeof si;
    os::DWORD flags = 0;
    void* environment = nullptr;
    change(si, flags, environment);
    os::PROCESS_INFORMATION pi = {};
    return !os::CreateProcessA(nullptr, line, nullptr, nullptr, 1, flags, environment, "C:\\", &si,
                               &pi);
}

// A handle of the file, opened as the program opens it.
os::HANDLE openedFile() {
    sim::machine().files.addFile(file, "abc");
    return createFile(os::GENERIC_READ | os::GENERIC_WRITE, 0, nullptr, os::OPEN_EXISTING,
                      os::FILE_ATTRIBUTE_NORMAL);
}

// A lock of the file, opened as the program opens it, that is not taken.
bool lockFails(os::DWORD flags, os::DWORD length, os::DWORD lengthHigh, os::DWORD offsetHigh,
               os::HANDLE event = nullptr) {
    const os::HANDLE h = openedFile();
    os::OVERLAPPED at{};
    at.Offset = 0xFFFFFFFF;
    at.OffsetHigh = offsetHigh;
    at.hEvent = event;
    const bool failed = !os::LockFileEx(h, flags, 0, length, lengthHigh, &at);
    const bool noLock = sim::machine().files.locks.empty();
    os::CloseHandle(h);
    return failed && noLock;
}

TEST_F(Unmodeled, ValuesAreNamedAndAnsweredWithAnError) {
    static char text[] = "x";
    struct Row {
        const char* what;
        std::string named;    // as the test's failure names it
        os::DWORD lastError;  // none: the call tells its failures otherwise
        std::function<bool()> fails;
    };
    const os::DWORD none = 0, invalid = sim::errorInvalidParameter;
    const os::DWORD R = os::GENERIC_READ, W = os::GENERIC_WRITE;
    const os::DWORD share = os::FILE_SHARE_READ | os::FILE_SHARE_WRITE;
    const os::DWORD normal = os::FILE_ATTRIBUTE_NORMAL;
    const Row rows[] = {
        {"CreateFileA, all access", "CreateFileA: access 0x10000000", invalid,
         [&] { return createFileFails(0x10000000, share, os::CREATE_ALWAYS, normal); }},
        {"CreateFileA, no access", "CreateFileA: access 0x0", invalid,
         [&] { return createFileFails(0, share, os::CREATE_ALWAYS, normal); }},
        {"CreateFileA, an unknown share bit", "CreateFileA: share mode 0x9", invalid,
         [&] { return createFileFails(W, 0x9, os::CREATE_ALWAYS, normal); }},
        {"CreateFileA, no such disposition", "CreateFileA: disposition 0x6", invalid,
         [&] { return createFileFails(W, share, 6, normal); }},
        {"CreateFileA, write-through", "CreateFileA: flags and attributes 0x80000000", invalid,
         [&] { return createFileFails(W, share, os::CREATE_ALWAYS, normal | 0x80000000); }},
        {"CreateFileA, overlapped", "CreateFileA: flags and attributes 0x40000000", invalid,
         [&] { return createFileFails(R, share, os::OPEN_ALWAYS, 0x40000000); }},
        {"CreateFileA, a temporary file", "CreateFileA: flags and attributes 0x100", invalid,
         [&] { return createFileFails(W, share, os::CREATE_ALWAYS, 0x100); }},
        {"CreateFileA, an inheritable handle", "CreateFileA: security attributes", invalid,
         [&] {
             char security[12] = {};
             return createFile(W, share, security, os::CREATE_ALWAYS, normal) ==
                    os::invalidHandle();
         }},
        {"ReadFile, overlapped", "ReadFile: overlapped", invalid,
         [&] {
             const os::HANDLE h = openedFile();
             char buffer[4], overlapped[32] = {};
             os::DWORD read = 0;
             const bool failed = !os::ReadFile(h, buffer, sizeof buffer, &read, overlapped);
             os::CloseHandle(h);
             return failed;
         }},
        {"WriteFile, overlapped", "WriteFile: overlapped", invalid,
         [&] {
             const os::HANDLE h = openedFile();
             char overlapped[32] = {};
             os::DWORD written = 0;
             const bool failed = !os::WriteFile(h, "x", 1, &written, overlapped);
             os::CloseHandle(h);
             return failed && sim::machine().files.content(file) == "abc";
         }},
        {"SetFilePointerEx, no such move method", "SetFilePointerEx: move method 0x3", invalid,
         [&] {
             const os::HANDLE h = openedFile();
             const bool failed = !os::SetFilePointerEx(h, os::LARGE_INTEGER{}, nullptr, 3);
             os::CloseHandle(h);
             return failed;
         }},
        {"LockFileEx, a shared lock", "LockFileEx: flags 0x0", invalid,
         [&] { return lockFails(0, 1, 0, 0); }},
        {"LockFileEx, an unknown flag", "LockFileEx: flags 0x6", invalid,
         [&] { return lockFails(os::LOCKFILE_EXCLUSIVE_LOCK | 4, 1, 0, 0); }},
        {"LockFileEx, an event", "LockFileEx: event 0x", invalid,
         [&] { return lockFails(os::LOCKFILE_EXCLUSIVE_LOCK, 1, 0, 0, text); }},
        {"LockFileEx, no byte", "LockFileEx: length 0x0", invalid,
         [&] { return lockFails(os::LOCKFILE_EXCLUSIVE_LOCK, 0, 0, 0); }},
        {"LockFileEx, a range past 64 bits", "LockFileEx: range end past 64 bits", invalid,
         [&] { return lockFails(os::LOCKFILE_EXCLUSIVE_LOCK, 1, 0, 0xFFFFFFFF); }},
        {"UnlockFileEx, no byte", "UnlockFileEx: length 0x0", invalid,
         [&] {
             const os::HANDLE h = openedFile();
             os::OVERLAPPED at{};
             const bool failed = !os::UnlockFileEx(h, 0, 0, 0, &at);
             os::CloseHandle(h);
             return failed;
         }},
        {"CreateProcessA, without a window", "CreateProcessA: creation flags 0x8000000", invalid,
         [&] {
             return startFails([](os::STARTUPINFOA&, os::DWORD& f, void*&) { f = 0x08000000; });
         }},
        {"CreateProcessA, a shown state", "CreateProcessA: startup info flags 0x1", invalid,
         [&] {
             return startFails([](os::STARTUPINFOA& si, os::DWORD&, void*&) {
                 si.dwFlags = 1;  // STARTF_USESHOWWINDOW
             });
         }},
        {"CreateProcessA, a desktop", "CreateProcessA: startup info desktop", invalid,
         [&] {
             return startFails(
                 [](os::STARTUPINFOA& si, os::DWORD&, void*&) { si.lpDesktop = text; });
         }},
        {"CreateProcessA, an environment", "CreateProcessA: environment", invalid,
         [&] { return startFails([](os::STARTUPINFOA&, os::DWORD&, void*& e) { e = text; }); }},
        {"GetWindow, the child", "GetWindow: command 0x5", invalid,
         [&] {
             const os::HWND w = sim::machine().windows.addTopLevel("top");
             return os::GetWindow(w, 5) == nullptr;
         }},
        {"PostMessageA, a quit message", "PostMessageA: message 0x12", invalid,
         [&] {
             const os::HWND w = sim::machine().windows.addTopLevel("top");
             return !os::PostMessageA(w, 0x12, 0, 0) &&
                    sim::machine().windows.find(w)->posted.empty();
         }},
        {"_access, the write test", "_access: mode 0x2", none,
         [&] {
             sim::machine().files.addFile(file);
             return os::_access(file, 2) == -1;
         }},
        {"SetErrorMode, no fault box", "SetErrorMode: mode 0x3", none,
         [&] {
             os::SetErrorMode(3);
             return sim::machine().errorMode == 0;
         }},
        {"a message box with Yes and No", "MessageBox: buttons 0x4", none,
         [&] {
             return gui::MessageDialog(gui::desktop().handle()).show("?", 4) == 0 &&
                    sim::machine().boxes.empty();
         }},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        m().lastError = 0;  // not the error of the row before
        EXPECT_TRUE(row.fails()) << "answered as if modelled";
        if (row.lastError != none) {
            EXPECT_EQ(os::GetLastError(), row.lastError);
        }
        ASSERT_EQ(m().unmodeled.size(), 1u);
        EXPECT_EQ(m().unmodeled[0].substr(0, row.named.size()), row.named);
        m().unmodeled.clear();
    }
}

}  // namespace
