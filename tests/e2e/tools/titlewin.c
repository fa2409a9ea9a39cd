/* A top-level window with a given title that logs the messages it is asked
   to close with. It writes "ready" once the window exists, "WM_CLOSE" for
   every close request, and ends on the first one, or after 300 seconds (a
   scenario's own limit). With COUNT, COUNT - 1 further hidden windows of
   that title stand below it. With "hung WAKEFILE" it is a program that has
   stopped answering: it takes no message until WAKEFILE exists (at most 300
   seconds), then goes on as usual, so that a request posted in the
   meantime is logged then. It writes "mark" for a mark:
     titlewin TITLE mark
   posts one to the window of that title and ends (exit code 1 when there is
   none); the window takes it after every message posted to it before.
   Usage: titlewin TITLE LOG [COUNT | hung WAKEFILE] */
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#define LIMIT_MS 300000
#define WM_MARK WM_APP

static const char* logPath;

static void logLine(const char* line) {
    FILE* f = fopen(logPath, "ab");
    if (!f) return;
    fprintf(f, "%s\n", line);
    fclose(f);
}

static LRESULT CALLBACK proc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    switch (msg) {
    case WM_CLOSE:
        logLine("WM_CLOSE");
        DestroyWindow(h);
        return 0;
    case WM_MARK:
        logLine("mark");
        return 0;
    case WM_TIMER:
        logLine("timeout");
        DestroyWindow(h);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(h, msg, w, l);
}

int main(int argc, char** argv) {
    WNDCLASSA wc;
    HWND h;
    MSG m;
    int i, count;
    const char* wake;
    if (argc < 3) return 2;
    if (strcmp(argv[2], "mark") == 0) {
        h = FindWindowA("E2ETitleWindow", argv[1]);
        return h && PostMessageA(h, WM_MARK, 0, 0) ? 0 : 1;
    }
    wake = argc > 4 && strcmp(argv[3], "hung") == 0 ? argv[4] : NULL;
    count = argc > 3 && !wake ? atoi(argv[3]) : 1;
    logPath = argv[2];
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "E2ETitleWindow";
    if (!RegisterClassA(&wc)) return 3;
    h = CreateWindowExA(0, wc.lpszClassName, argv[1], WS_OVERLAPPEDWINDOW, 10, 10, 300, 100, NULL,
                        NULL, wc.hInstance, NULL);
    if (!h) return 4;
    for (i = 1; i < count; ++i)
        if (!CreateWindowExA(0, wc.lpszClassName, argv[1], WS_OVERLAPPEDWINDOW, 10, 10, 300, 100,
                             NULL, NULL, wc.hInstance, NULL))
            return 4;
    ShowWindow(h, SW_SHOWNORMAL);
    SetTimer(h, 1, LIMIT_MS, NULL);
    logLine("ready");
    if (wake) {
        const DWORD start = GetTickCount();
        while (GetFileAttributesA(wake) == INVALID_FILE_ATTRIBUTES &&
               GetTickCount() - start < LIMIT_MS)
            Sleep(50);
    }
    while (GetMessageA(&m, NULL, 0, 0) > 0) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
    return 0;
}
