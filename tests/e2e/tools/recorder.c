/* Recorder: stands in for a program that autorun.exe starts (the browser,
   javaw.exe). It appends one record to the log file next to itself (its own
   path with ".log" for ".exe"), as raw bytes, nothing encoded:
       start=<milliseconds since 1970, UTC, when main began>
       cmd=<GetCommandLineA>
       cwd=<GetCurrentDirectoryA>
       file=<path>   one line for each handle to a file or folder that it
                     holds at its start: the inherited ones and its
                     working folder
       end
   and ends at once. A GUI program, as the programs it stands for are, so
   that Windows gives it no console. */
#define _WIN32_WINNT 0x0600
#include <windows.h>
#include <string.h>
#include <stdio.h>

static char record[40000];

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    FILETIME now;
    ULARGE_INTEGER t;
    char logPath[MAX_PATH + 8];
    char cwd[4096];
    DWORD n, written;
    HANDLE log;
    int len;
    unsigned h;

    (void)instance, (void)previous, (void)commandLine, (void)show;
    GetSystemTimeAsFileTime(&now);
    t.LowPart = now.dwLowDateTime;
    t.HighPart = now.dwHighDateTime;
    /* 100 ns ticks since 1601 to milliseconds since 1970. */
    t.QuadPart = (t.QuadPart - 116444736000000000ULL) / 10000ULL;
    len = sprintf(record, "start=%lu%03lu\n", (unsigned long)(t.QuadPart / 1000),
                  (unsigned long)(t.QuadPart % 1000));

    n = GetModuleFileNameA(NULL, logPath, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return 3;
    if (n > 4 && _stricmp(logPath + n - 4, ".exe") == 0) n -= 4;
    strcpy(logPath + n, ".log");

    cwd[0] = '\0';
    GetCurrentDirectoryA(sizeof cwd, cwd);
    len += _snprintf(record + len, sizeof record - len - 1, "cmd=%s\ncwd=%s\n",
                     GetCommandLineA(), cwd);
    if (len < 0 || len > (int)sizeof record - 1) len = (int)strlen(record);
    /* Handles are multiples of 4; the inherited ones keep the parent's
       values, which are small. Only files on a disk are named. */
    for (h = 4; h < 0x1000 && len < (int)sizeof record - MAX_PATH - 16; h += 4) {
        char name[MAX_PATH];
        HANDLE handle = (HANDLE)(ULONG_PTR)h;
        DWORD flags;
        if (!GetHandleInformation(handle, &flags) || GetFileType(handle) != FILE_TYPE_DISK) continue;
        n = GetFinalPathNameByHandleA(handle, name, sizeof name, 0);
        if (n == 0 || n >= sizeof name) continue;
        len += sprintf(record + len, "file=%s\n", name);
    }
    len += sprintf(record + len, "end\n");

    log = CreateFileA(logPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (log == INVALID_HANDLE_VALUE) return 4;
    WriteFile(log, record, (DWORD)len, &written, NULL);
    CloseHandle(log);
    return 0;
}
