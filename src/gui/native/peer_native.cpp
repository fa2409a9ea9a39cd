// The GUI library's Win32 peers for the desktop, message boxes, the process's
// end and the hidden object window (the library's windows: window_peers.cpp).
// Our headers come first: the Windows headers define macros named like
// the seam's constants.
#include "gui/peer.h"

#include <windows.h>

#include <cstdlib>


namespace gui::peer {

namespace {
::HWND native(os::HWND window) { return reinterpret_cast<::HWND>(window); }

const char objectWindowClass[] = "AutorunObjectWindow";

bool registerObjectClass() {
    static bool registered = false;
    if (registered) return true;
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = objectWindowClass;
    registered = RegisterClassA(&wc) != 0;
    return registered;
}
}  // namespace

os::HWND desktopWindow() { return reinterpret_cast<os::HWND>(GetDesktopWindow()); }

void desktopSize(int* width, int* height) {
    RECT r = {};
    GetWindowRect(GetDesktopWindow(), &r);
    *width = r.right - r.left;
    *height = r.bottom - r.top;
}

int messageBox(os::HWND owner, const std::string& text, const std::string& title, unsigned style,
               unsigned long helpId) {
    MSGBOXPARAMSA params = {};
    params.cbSize = sizeof params;
    params.hwndOwner = native(owner);
    params.hInstance = GetModuleHandleA(nullptr);
    params.lpszText = text.c_str();
    params.lpszCaption = title.c_str();
    params.dwStyle = style;
    params.dwContextHelpId = helpId;
    return MessageBoxIndirectA(&params);
}

void exitProcess(int code) { std::exit(code); }

os::HWND createObjectWindow() {
    if (!registerObjectClass()) return nullptr;
    return reinterpret_cast<os::HWND>(CreateWindowExA(0, objectWindowClass, "", 0, 0, 0, 0, 0,
                                                      nullptr, nullptr, GetModuleHandleA(nullptr),
                                                      nullptr));
}


}  // namespace gui::peer
