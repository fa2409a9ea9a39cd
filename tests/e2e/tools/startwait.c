/* Times a program's start from inside Windows. Usage:
     startwait COMMANDLINE CLASS TITLE
   Prints the milliseconds (with a fraction) from CreateProcess to a visible
   top-level window of that class and title, then closes that window by its
   close box and waits for the program's end (at most 30 s). Exit code 1 on
   failure. */
#include <windows.h>
#include <stdio.h>

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
    HWND h = NULL;
    double ms;
    int ended;
    if (argc != 4) return 1;
    lstrcpynA(command, argv[1], sizeof command);
    memset(&si, 0, sizeof si);
    si.cb = sizeof si;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(NULL, command, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) return 1;
    while (since(start, frequency) < 30000) {
        h = FindWindowA(argv[2], argv[3]);
        if (h && IsWindowVisible(h)) break;
        h = NULL;
        Sleep(1);
    }
    if (!h) return 1;
    ms = since(start, frequency);
    PostMessageA(h, WM_SYSCOMMAND, SC_CLOSE, 0);
    ended = WaitForSingleObject(pi.hProcess, 30000) == WAIT_OBJECT_0;
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (!ended) return 1;
    printf("%.1f\n", ms);
    return 0;
}
