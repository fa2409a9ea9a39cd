/* Leftovers of a run that did not end in time: prints the visible
   top-level windows of every process of one program (by its file name, e.g.
   autorun.exe), one line each, and asks each to close (WM_CLOSE):
     box "TITLE": TEXT        a message box (dialog class #32770), with its
                              static text (control id 0xFFFF)
     window CLASS "TITLE"     any other window
   Prints nothing when the program shows no window.
   Usage: leftover NAME */
#include <windows.h>
#include <tlhelp32.h>
#include <stdio.h>
#include <string.h>

#define MAX_PIDS 64
static DWORD pids[MAX_PIDS];
static int pidCount = 0;

static int ofProgram(DWORD pid) {
    int i;
    for (i = 0; i < pidCount; ++i)
        if (pids[i] == pid) return 1;
    return 0;
}

static void printText(const char* text) {
    for (; *text; ++text) {
        if (*text == '\n') fputs("\\n", stdout);
        else if (*text != '\r') putchar(*text);
    }
}

static BOOL CALLBACK visit(HWND h, LPARAM unused) {
    char cls[64], title[512], text[2048];
    DWORD pid = 0;
    HWND label;
    (void)unused;
    GetWindowThreadProcessId(h, &pid);
    if (!ofProgram(pid) || !IsWindowVisible(h)) return TRUE;
    GetClassNameA(h, cls, sizeof cls);
    GetWindowTextA(h, title, sizeof title);
    if (strcmp(cls, "#32770") == 0) {
        text[0] = '\0';
        label = GetDlgItem(h, 0xFFFF);
        if (label) GetWindowTextA(label, text, sizeof text);
        printf("box \"%s\": ", title);
        printText(text);
        putchar('\n');
    } else {
        printf("window %s \"%s\"\n", cls, title);
    }
    PostMessageA(h, WM_CLOSE, 0, 0);
    return TRUE;
}

int main(int argc, char** argv) {
    PROCESSENTRY32 entry;
    HANDLE all;
    if (argc != 2) return 2;
    all = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (all == INVALID_HANDLE_VALUE) return 1;
    entry.dwSize = sizeof entry;
    if (Process32First(all, &entry)) {
        do {
            if (_stricmp(entry.szExeFile, argv[1]) == 0 && pidCount < MAX_PIDS)
                pids[pidCount++] = entry.th32ProcessID;
        } while (Process32Next(all, &entry));
    }
    CloseHandle(all);
    EnumWindows(visit, 0);
    return 0;
}
