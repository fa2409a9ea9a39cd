/* Opens a top-level window with the given title and keeps it until the
   window is closed or the process is ended. Creates READYFILE once the
   window exists. Usage: titledwindow TITLE READYFILE */
#include <windows.h>

static LRESULT CALLBACK proc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(h, msg, w, l);
}

int main(int argc, char** argv) {
    WNDCLASSA wc;
    HWND h;
    MSG msg;
    HANDLE ready;
    if (argc != 3) return 2;
    ZeroMemory(&wc, sizeof wc);
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = "E2ETitledWindow";
    if (!RegisterClassA(&wc)) return 3;
    h = CreateWindowA(wc.lpszClassName, argv[1], WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, NULL,
                      NULL, wc.hInstance, NULL);
    if (!h) return 4;
    ShowWindow(h, SW_SHOWNORMAL);
    ready = CreateFileA(argv[2], GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (ready != INVALID_HANDLE_VALUE) CloseHandle(ready);
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
