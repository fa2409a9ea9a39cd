/* Times a program's start from inside Windows. Usage:
     startwait window COMMANDLINE CLASS TITLE
       milliseconds from CreateProcess to a visible top-level window of that
       class and title; then closes it by its close box and waits for the end
     startwait exit COMMANDLINE
       milliseconds from CreateProcess to the end of the process
   Prints the milliseconds (with a fraction); exit code 1 on failure. */
#include <windows.h>
#include <stdio.h>
#include <string.h>

static double since(LARGE_INTEGER start, LARGE_INTEGER frequency) {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (double)(now.QuadPart - start.QuadPart) * 1000.0 / (double)frequency.QuadPart;
}

int main(int argc, char** argv) {
    STARTUPINFOA si;
    PROCESS_INFORMATION pi;
    LARGE_INTEGER frequency, start;
    char command[1024];
    double ms = -1;
    int window;
    if (argc < 3) return 1;
    window = strcmp(argv[1], "window") == 0;
    if (window && argc < 5) return 1;
    lstrcpynA(command, argv[2], sizeof command);
    memset(&si, 0, sizeof si);
    si.cb = sizeof si;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(NULL, command, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) return 1;
    if (window) {
        HWND h = NULL;
        while (since(start, frequency) < 30000) {
            h = FindWindowA(argv[3], argv[4]);
            if (h && IsWindowVisible(h)) break;
            h = NULL;
            Sleep(1);
        }
        if (!h) return 1;
        ms = since(start, frequency);
        PostMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0);
        WaitForSingleObject(pi.hProcess, 30000);
    } else {
        WaitForSingleObject(pi.hProcess, 30000);
        ms = since(start, frequency);
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    printf("%.1f\n", ms);
    return 0;
}
