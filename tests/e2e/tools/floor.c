/* The yardstick of the start-up benchmarks: makes the system calls that
   autorun.exe cannot do without on the measured path, in its order and with
   its arguments, and nothing else. Put on the disc beside autorun.exe and
   started the same way:
     floor /p   as autorun.exe /p with the saved choice KitIndex: the
                start-up checks, the browser associated with the disc's
                vmframe.htm started with the disc root as working folder,
                the settings written back
     floor      the start-up checks, then a frame window with the
                preferences window's controls at their places, in its
                font, with an icon, brought to the foreground and shown;
                when it is closed, the settings written back
   Nothing is decided from what is read: the benchmark's machine has no
   window to close and one saved choice. What autorun.exe adds to this is
   its own work: its runtime, its layout (measuring texts, placing the
   controls after creating them) and its event plumbing. */
#include <windows.h>
#include <shellapi.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static const char settingsKey[] = "Software\\Zantic\\Vm_Autorun";
static const char windowTitle[] = "Autorun Preferences for Zantic Collections";
static char drive[4]; /* "E:\" */

static void path(char* out, size_t size, const char* name) {
    _snprintf(out, size, "%s%s", drive, name);
    out[size - 1] = '\0';
}

static LONG queryText(HKEY key, const char* name, char* text, DWORD size) {
    DWORD type = 0;
    LONG rc = RegQueryValueExA(key, name, NULL, &type, (BYTE*)text, &size);
    text[rc == ERROR_SUCCESS ? size : 0] = '\0';
    return rc;
}

static void writeDate(void) {
    time_t now = time(NULL);
    struct tm* local = localtime(&now);
    char order[80], separator[80], date[16];
    HKEY key;
    DWORD disposition;
    GetLocaleInfoA(GetUserDefaultLCID(), LOCALE_IDATE, order, sizeof order);
    GetLocaleInfoA(GetUserDefaultLCID(), LOCALE_SDATE, separator, sizeof separator);
    sprintf(date, "%02d%c%02d%c%02d", local ? local->tm_mon + 1 : 1, separator[0],
            local ? local->tm_mday : 1, separator[0], local ? local->tm_year % 100 : 0);
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, settingsKey, 0, NULL, REG_OPTION_NON_VOLATILE,
                        KEY_WRITE, NULL, &key, &disposition) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key, "Date", 0, REG_SZ, (const BYTE*)date, (DWORD)strlen(date));
    RegCloseKey(key);
}

/* The titles of the top-level windows, read through a hidden window. */
static void walkWindows(void) {
    static int registered;
    char title[1024];
    HWND hidden, w;
    if (!registered) {
        WNDCLASSA wc;
        memset(&wc, 0, sizeof wc);
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(NULL);
        wc.lpszClassName = "FloorObjectWindow";
        registered = RegisterClassA(&wc) != 0;
    }
    hidden = CreateWindowExA(0, "FloorObjectWindow", "", 0, 0, 0, 0, 0, NULL, NULL,
                             GetModuleHandleA(NULL), NULL);
    if (!hidden) return;
    for (w = GetWindow(hidden, GW_HWNDFIRST); w; w = GetWindow(w, GW_HWNDNEXT))
        if (GetWindowTextLengthA(w) > 0) GetWindowTextA(w, title, sizeof title);
    /* The program's second pass, which on a desktop that holds still meets
       no new window. */
    for (w = GetWindow(hidden, GW_HWNDFIRST); w; w = GetWindow(w, GW_HWNDNEXT)) {}
    DestroyWindow(hidden);
}

/* Read in pieces of 64 KiB, as the program reads it: no further than the
   size it has when opened, nor than its first zero byte. */
static void readKitDescription(void) {
    static char piece[64 * 1024];
    char name[MAX_PATH];
    HANDLE file;
    LARGE_INTEGER none, end;
    ULONGLONG left = 0;
    DWORD read, want;
    path(name, sizeof name, "autohtml\\autorun.js");
    file = CreateFileA(name, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return;
    none.QuadPart = 0;
    if (SetFilePointerEx(file, none, &end, FILE_END) && end.QuadPart > 0 &&
        SetFilePointerEx(file, none, NULL, FILE_BEGIN))
        left = (ULONGLONG)end.QuadPart;
    while (left > 0) {
        want = left < sizeof piece ? (DWORD)left : (DWORD)sizeof piece;
        if (!ReadFile(file, piece, want, &read, NULL) || read == 0) break;
        left -= read < left ? read : left;
        if (memchr(piece, 0, read)) break;
    }
    CloseHandle(file);
}

static void readChoices(void) {
    static const char* const names[] = {"Version", "TndrlChoice", "MixedChoice", "PDFChoice"};
    char text[1024];
    HKEY key;
    size_t i;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, settingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    for (i = 0; i < sizeof names / sizeof *names; ++i)
        queryText(key, names[i], text, sizeof text - 1);
    RegCloseKey(key);
}

/* Reads a value of an application path key into text; false when missing. */
static int appPath(const char* program, const char* name, char* text, DWORD size) {
    char keyName[200];
    HKEY key;
    LONG rc;
    _snprintf(keyName, sizeof keyName,
              "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\%s", program);
    keyName[sizeof keyName - 1] = '\0';
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyName, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
    rc = queryText(key, name, text, size - 1);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS;
}

static void findJavaAndReader(void) {
    char value[1024], file[1100], shortPath[1024];
    HKEY key;
    if (appPath("javaw.exe", NULL, value, sizeof value) && _access(value, 0) == 0)
        GetShortPathNameA(value, shortPath, 1020);
    if (appPath("pvnshelves.jar", "Path", value, sizeof value)) {
        /* The folder that holds the reader's sys folder, in quotes. */
        char* folder = value[0] == '"' ? value + 1 : value;
        size_t n = strlen(folder);
        if (n > 0 && folder[n - 1] == '"') folder[--n] = '\0';
        _snprintf(file, sizeof file, "%s\\sys\\pvns", folder);
        file[sizeof file - 1] = '\0';
        if (_access(file, 0) == 0) {
            file[strlen(file) - 5] = '\0';
            GetShortPathNameA(file, shortPath, 1020);
            if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Zantic\\Zantic Velmora Reader", 0,
                              KEY_READ, &key) == ERROR_SUCCESS) {
                char name[1025], keyClass[1025];
                DWORD index, nameSize, classSize;
                FILETIME written;
                for (index = 0;; ++index) {
                    nameSize = classSize = 1024;
                    if (RegEnumKeyExA(key, index, name, &nameSize, NULL, keyClass, &classSize,
                                      &written) != ERROR_SUCCESS)
                        break;
                }
                RegCloseKey(key);
            }
        }
    }
}

static void startUp(int perform) {
    char name[MAX_PATH];
    writeDate();
    walkWindows(); /* other instances, by the preferences window's title */
    SetErrorMode(SEM_FAILCRITICALERRORS);
    path(name, sizeof name, "vmframe.htm");
    _access(name, 0);
    readKitDescription();
    if (perform) walkWindows(); /* the kit's own windows, by the kit title */
    readChoices();
    path(name, sizeof name, "pdf.");
    _access(name, 0);
    path(name, sizeof name, "shelves.");
    _access(name, 0);
    findJavaAndReader();
}

static void openKitIndex(void) {
    char page[MAX_PATH], browser[1024], command[2200];
    STARTUPINFOA si;
    PROCESS_INFORMATION pi;
    path(page, sizeof page, "vmframe.htm");
    if (_access(page, 0) != 0) return;
    if ((INT_PTR)FindExecutableA(page, "", browser) <= 32) return;
    GetShortPathNameA(browser, browser, 1020);
    _snprintf(command, sizeof command, "%s %s", browser, page);
    command[sizeof command - 1] = '\0';
    memset(&si, 0, sizeof si);
    si.cb = sizeof si;
    if (!CreateProcessA(NULL, command, NULL, NULL, TRUE, 0, NULL, drive, &si, &pi)) return;
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
}

static void writeChoices(void) {
    static const char* const values[][2] = {
        {"TndrlChoice", "KitIndex"}, {"MixedChoice", "Nothing"},
        {"PDFChoice", "Nothing"},    {"Version", "0013"}};
    HKEY key;
    DWORD disposition;
    size_t i;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, settingsKey, 0, NULL, REG_OPTION_NON_VOLATILE,
                        KEY_WRITE, NULL, &key, &disposition) != ERROR_SUCCESS)
        return;
    for (i = 0; i < sizeof values / sizeof *values; ++i)
        RegSetValueExA(key, values[i][0], 0, REG_SZ, (const BYTE*)values[i][1],
                       (DWORD)strlen(values[i][1]));
    RegCloseKey(key);
}

/* ---- the window ------------------------------------------------------------ */

static LRESULT CALLBACK frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

enum { frame, viewPort, mainCanvas, buttonCanvas, back, next, cancel, list, spare, choice,
       vlrRadio, discRadio, kitRadio };

#define CHILD (WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS)
#define CANVAS (CHILD | WS_CLIPCHILDREN)
#define PUSH (CHILD | WS_TABSTOP | BS_PUSHBUTTON)
#define RADIO (CHILD | WS_TABSTOP | BS_RADIOBUTTON)
#define LABEL (CHILD | SS_LEFTNOWORDWRAP | SS_CENTERIMAGE)

/* The preferences window's parts in their order of creation, each in its
   parent's client area where the layout puts it. */
static const struct Part {
    const char* cls;
    const char* text;
    DWORD style, exStyle;
    int parent, x, y, width, height;
} parts[] = {
    {"FloorViewPort", "", CANVAS, 0, frame, 0, 0, 612, 340},
    {"FloorCanvas", "", CANVAS, WS_EX_CONTROLPARENT, viewPort, 0, 0, 612, 340},
    {"FloorCanvas", "", CANVAS, WS_EX_CONTROLPARENT, mainCanvas, 10, 305, 592, 35},
    {"BUTTON", "<Back", PUSH, 0, buttonCanvas, 0, 6, 75, 23},
    {"BUTTON", "Next>", PUSH, 0, buttonCanvas, 81, 6, 75, 23},
    {"BUTTON", "Cancel", PUSH, 0, buttonCanvas, 162, 6, 75, 23},
    {"LISTBOX", "", CHILD | WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
     0, mainCanvas, 10, 45, 592, 55},
    {"FloorCanvas", "", CANVAS, WS_EX_CONTROLPARENT, mainCanvas, 0, 0, 0, 0},
    {"FloorCanvas", "", CANVAS, WS_EX_CONTROLPARENT, mainCanvas, 10, 120, 592, 165},
    {"BUTTON", "", RADIO, 0, choice, 0, 0, 17, 23},
    {"BUTTON", "", RADIO, 0, choice, 0, 36, 17, 23},
    {"BUTTON", "", RADIO, 0, choice, 0, 72, 17, 23},
    {"BUTTON", "", RADIO, 0, choice, 0, 135, 17, 15},
    {"BUTTON", "", RADIO, 0, choice, 0, 108, 17, 15},
    {"BUTTON", "Open the Velmora Reader now", PUSH, 0, choice, 399, 0, 193, 23},
    {"BUTTON", "Open the disc index now", PUSH, 0, choice, 399, 36, 193, 23},
    {"BUTTON", "Open the collection index now", PUSH, 0, choice, 399, 72, 193, 23},
    {"STATIC",
     "For each of the following types of Zantic collection discs, select an action to occur "
     "when a disc is inserted:",
     CHILD | SS_LEFT, 0, mainCanvas, 10, 10, 592, 35},
    {"STATIC", "Open the Zantic Velmora Reader - Corvantis", LABEL, 0, choice, 17, 0, 372, 23},
    {"STATIC", "Open the disc index", LABEL, 0, choice, 17, 36, 372, 23},
    {"STATIC", "Open the collection index", LABEL, 0, choice, 17, 72, 372, 23},
    {"STATIC", "Do nothing.  Don't start any programs.", LABEL, 0, choice, 17, 108, 372, 15},
    {"STATIC", "Don't set a preference for this type of disc.  Show", LABEL, 0, choice, 17, 135,
     372, 15},
    {"STATIC", "this preferences window again the next time", LABEL, 0, choice, 17, 150, 372, 15},
    {"STATIC", "", CHILD | SS_LEFT | SS_SUNKEN, 0, frame, 0, 340, 612, 68},
};

static void runWindow(void) {
    static const char* const classes[] = {"FloorFrame", "FloorViewPort", "FloorCanvas"};
    static const char* const discTypes[] = {"Discs with only Tandrel files",
                                            "Discs with only PDF files",
                                            "Discs with both Tandrel and PDF files"};
    HINSTANCE instance = GetModuleHandleA(NULL);
    HWND windows[1 + sizeof parts / sizeof *parts], foreground;
    HFONT font;
    HICON icon;
    MSG msg;
    size_t i;
    for (i = 0; i < sizeof classes / sizeof *classes; ++i) {
        WNDCLASSA wc;
        memset(&wc, 0, sizeof wc);
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = i == 0 ? frameProc : DefWindowProcA;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
        wc.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
        wc.lpszClassName = classes[i];
        if (!RegisterClassA(&wc)) return;
    }
    windows[frame] = CreateWindowExA(WS_EX_CONTROLPARENT, "FloorFrame", windowTitle,
                                     WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 202, 166, 620, 435,
                                     NULL, NULL, instance, NULL);
    if (!windows[frame]) return;
    font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_SWISS, "MS Shell Dlg");
    for (i = 0; i < sizeof parts / sizeof *parts; ++i) {
        const struct Part* p = &parts[i];
        HWND h = CreateWindowExA(p->exStyle, p->cls, p->text, p->style, p->x, p->y, p->width,
                                 p->height, windows[p->parent], (HMENU)(UINT_PTR)(15001 + i),
                                 instance, NULL);
        if (!h) return;
        windows[i + 1] = h;
        SendMessageA(h, WM_SETFONT, (WPARAM)font, FALSE);
    }
    for (i = 0; i < sizeof discTypes / sizeof *discTypes; ++i)
        SendMessageA(windows[list], LB_ADDSTRING, 0, (LPARAM)discTypes[i]);
    /* The program asks for the focus while the frame is still hidden. */
    foreground = GetForegroundWindow();
    if (foreground && GetWindowThreadProcessId(foreground, NULL) == GetCurrentThreadId())
        SetFocus(windows[frame]);
    else
        SetForegroundWindow(windows[frame]);
    EnableWindow(windows[back], FALSE);
    SendMessageA(windows[list], LB_SETCURSEL, 0, 0);
    SendMessageA(windows[kitRadio], BM_SETCHECK, BST_CHECKED, 0);
    /* The system's icon in place of the program's own, of the same size. */
    icon = LoadIconA(NULL, IDI_APPLICATION);
    SendMessageA(windows[frame], WM_SETICON, ICON_BIG, (LPARAM)icon);
    SendMessageA(windows[frame], WM_SETICON, ICON_SMALL, (LPARAM)icon);
    ShowWindow(windows[frame], SW_SHOW);
    UpdateWindow(windows[frame]);
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    const char* self = __argc > 0 ? __argv[0] : "";
    int perform = __argc > 1 && (strcmp(__argv[1], "/p") == 0 || strcmp(__argv[1], "/P") == 0);
    (void)instance, (void)previous, (void)commandLine, (void)show;
    if (!self[0] || self[1] != ':') return 1;
    _snprintf(drive, sizeof drive, "%c:\\", self[0]);
    startUp(perform);
    if (perform)
        openKitIndex();
    else
        runWindow();
    writeChoices();
    return 0;
}
