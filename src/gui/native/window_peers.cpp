// The GUI library's Win32 peers of its windows: a registered frame class,
// view port and canvas classes, and the system's BUTTON, STATIC and LISTBOX
// controls. Window messages become core events (gui/Events.h): WM_COMMAND
// from the controls, WM_SYSCOMMAND, WM_CLOSE, WM_SIZE, WM_TIMER, scrolling,
// WM_NCDESTROY of every window, and the pointer's movement seen in the loop.
// Our headers come first: the Windows headers define macros named like
// the seam's constants.
#include "gui/Events.h"
#include "gui/peer.h"

#include <windows.h>

#include <map>

namespace gui::peer {

namespace {

::HWND native(os::HWND window) { return reinterpret_cast<::HWND>(window); }
os::HWND ours(::HWND window) { return reinterpret_cast<os::HWND>(window); }

const char frameClass[] = "AutorunFrame";
const char viewPortClass[] = "AutorunViewPort";
const char canvasClass[] = "AutorunCanvas";

// The background colours set on windows, by window.
std::map<::HWND, COLORREF>& backgrounds() {
    static std::map<::HWND, COLORREF> map;
    return map;
}
std::map<::HWND, WNDPROC>& controlProcs() {
    static std::map<::HWND, WNDPROC> map;
    return map;
}

HBRUSH brushOf(COLORREF colour) {
    static std::map<COLORREF, HBRUSH> brushes;
    auto it = brushes.find(colour);
    if (it != brushes.end()) return it->second;
    return brushes[colour] = CreateSolidBrush(colour);
}

// The colour a window's background shows: its own, else its nearest
// ancestor's, else the system's face colour.
COLORREF backgroundOf(::HWND window) {
    for (::HWND w = window; w; w = GetParent(w)) {
        auto it = backgrounds().find(w);
        if (it != backgrounds().end()) return it->second;
    }
    return GetSysColor(COLOR_BTNFACE);
}

// The library's font for every control: the dialog face at 13 pixels
// (10 points on a 96-dpi screen).
HFONT guiFont() {
    static HFONT font = CreateFontA(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                    DEFAULT_PITCH | FF_SWISS, "MS Shell Dlg");
    return font ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

bool commonMessage(::HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(window, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, brushOf(backgroundOf(window)));
        *result = 1;
        return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        const COLORREF colour = backgroundOf(window);
        SetBkColor(reinterpret_cast<HDC>(wParam), colour);
        *result = reinterpret_cast<LRESULT>(brushOf(colour));
        return true;
    }
    case WM_COMMAND: {
        const ::HWND control = reinterpret_cast<::HWND>(lParam);
        if (!control) return false;
        const WORD code = HIWORD(wParam);
        char cls[16] = {};
        GetClassNameA(control, cls, sizeof cls);
        if (lstrcmpiA(cls, "Button") == 0 && code == BN_CLICKED)
            events::command(ours(control), Command::clicked);
        else if (lstrcmpiA(cls, "ListBox") == 0 && code == LBN_SELCHANGE)
            events::command(ours(control), Command::selectionChanged);
        *result = 0;
        return true;
    }
    case WM_NCDESTROY:
        backgrounds().erase(window);
        events::destroyed(ours(window));
        return false;  // DefWindowProc still runs
    default:
        return false;
    }
}

LRESULT CALLBACK frameProc(::HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    switch (message) {
    case WM_SYSCOMMAND:
        events::systemCommand(ours(window), wParam, lParam);
        if (!IsWindow(window)) return 0;
        break;  // the system acts on it too
    case WM_CLOSE:
        events::close(ours(window));
        return 0;
    case WM_SIZE:
        events::resized(ours(window));
        return 0;
    case WM_TIMER:
        events::timer(ours(window), static_cast<unsigned>(wParam));
        return 0;
    default:
        if (commonMessage(window, message, wParam, lParam, &result)) return result;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK canvasProc(::HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (commonMessage(window, message, wParam, lParam, &result)) return result;
    return DefWindowProcA(window, message, wParam, lParam);
}

int scrollTo(::HWND window, int bar, WPARAM wParam) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(window, bar, &info);
    return scrolledPosition(info.nPos, static_cast<int>(info.nPage), info.nMax + 1,
                            static_cast<ScrollRequest>(LOWORD(wParam)), info.nTrackPos);
}

LRESULT CALLBACK viewPortProc(::HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        events::resized(ours(window));
        return 0;
    case WM_HSCROLL:
        events::scrolled(ours(window), false, scrollTo(window, SB_HORZ, wParam));
        return 0;
    case WM_VSCROLL:
        events::scrolled(ours(window), true, scrollTo(window, SB_VERT, wParam));
        return 0;
    default:
        return canvasProc(window, message, wParam, lParam);
    }
}

// The system's controls, subclassed so that their destruction reaches the core.
LRESULT CALLBACK controlProc(::HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto it = controlProcs().find(window);
    const WNDPROC original = it == controlProcs().end() ? DefWindowProcA : it->second;
    if (message == WM_NCDESTROY) {
        controlProcs().erase(window);
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
        const LRESULT result = CallWindowProcA(original, window, message, wParam, lParam);
        events::destroyed(ours(window));
        return result;
    }
    return CallWindowProcA(original, window, message, wParam, lParam);
}

bool registerClasses() {
    static bool registered = false;
    if (registered) return true;
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const struct {
        const char* name;
        WNDPROC proc;
    } classes[] = {{frameClass, frameProc}, {viewPortClass, viewPortProc}, {canvasClass, canvasProc}};
    for (const auto& c : classes) {
        WNDCLASSA wc = {};
        wc.style = CS_HREDRAW | CS_VREDRAW;
        wc.lpfnWndProc = c.proc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        wc.lpszClassName = c.name;
        if (!RegisterClassA(&wc)) return false;
    }
    registered = true;
    return true;
}

DWORD staticStyle(Alignment alignment) {
    switch (alignment) {
    case Alignment::topLeftWrapping: return SS_LEFT;
    case Alignment::centerLeft: return SS_LEFTNOWORDWRAP | SS_CENTERIMAGE;
    case Alignment::topLeft: break;
    }
    return SS_LEFTNOWORDWRAP;
}

// The control under the pointer: a message for a canvas (or the frame) over
// a disabled control or a static text is meant for that control.
::HWND pointed(const MSG& msg) {
    char cls[32] = {};
    GetClassNameA(msg.hwnd, cls, sizeof cls);
    if (lstrcmpA(cls, canvasClass) != 0 && lstrcmpA(cls, frameClass) != 0 &&
        lstrcmpA(cls, viewPortClass) != 0)
        return msg.hwnd;
    POINT p = {static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
    const ::HWND child = ChildWindowFromPointEx(msg.hwnd, p, CWP_SKIPINVISIBLE);
    return child ? child : msg.hwnd;
}

}  // namespace

void destroyWindow(os::HWND window) {
    if (window) DestroyWindow(native(window));
}

os::HWND createWindow(const WindowSpec& spec) {
    if (!registerClasses()) return nullptr;
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const unsigned long s = spec.style;
    const Rect& r = spec.rect;
    if (spec.kind == Kind::frame) {
        DWORD style = WS_OVERLAPPED | WS_CLIPCHILDREN;
        if (s & style::titleBar) style |= WS_CAPTION;
        if (s & style::systemMenu) style |= WS_SYSMENU;
        if (s & style::minimizeButton) style |= WS_MINIMIZEBOX;
        if (s & style::maximizeButton) style |= WS_MAXIMIZEBOX;
        if (s & style::sizingBorder) style |= WS_THICKFRAME;
        if (s & style::visible) style |= WS_VISIBLE;
        return ours(CreateWindowExA(WS_EX_CONTROLPARENT, frameClass, spec.text.c_str(), style,
                                    r.left, r.top, r.width(), r.height(), native(spec.owner),
                                    nullptr, instance, nullptr));
    }
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    if (s & style::visible) style |= WS_VISIBLE;
    if (s & style::tabStop) style |= WS_TABSTOP;
    DWORD exStyle = 0;
    const char* cls = canvasClass;
    switch (spec.kind) {
    case Kind::viewPort: cls = viewPortClass; style |= WS_CLIPCHILDREN; break;
    case Kind::canvas: cls = canvasClass; style |= WS_CLIPCHILDREN; exStyle = WS_EX_CONTROLPARENT; break;
    case Kind::staticText: cls = "STATIC"; style |= staticStyle(Alignment::topLeft); break;
    case Kind::pushButton: cls = "BUTTON"; style |= BS_PUSHBUTTON; break;
    case Kind::radioButton: cls = "BUTTON"; style |= BS_RADIOBUTTON; break;
    case Kind::listBox:
        cls = "LISTBOX";
        style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
        if (s & style::border) style |= WS_BORDER;
        if (s & style::verticalScroll) style |= WS_VSCROLL;
        if (s & style::horizontalScroll) style |= WS_HSCROLL;
        if (s & style::multipleSelect) style |= LBS_MULTIPLESEL;
        break;
    case Kind::infoArea: cls = "STATIC"; style |= SS_LEFT | SS_SUNKEN; break;
    case Kind::frame: break;
    }
    const ::HWND h = CreateWindowExA(exStyle, cls, spec.text.c_str(), style, r.left, r.top,
                                     r.width(), r.height(), native(spec.parent),
                                     reinterpret_cast<HMENU>(static_cast<UINT_PTR>(spec.id)),
                                     instance, nullptr);
    if (!h) return nullptr;
    SendMessageA(h, WM_SETFONT, reinterpret_cast<WPARAM>(guiFont()), FALSE);
    if (cls != canvasClass && cls != viewPortClass) {
        const auto original =
            reinterpret_cast<WNDPROC>(GetWindowLongPtrA(h, GWLP_WNDPROC));
        controlProcs()[h] = original;
        SetWindowLongPtrA(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(controlProc));
    }
    return ours(h);
}

void setText(os::HWND window, const std::string& text) {
    SetWindowTextA(native(window), text.c_str());
}

void setEnabled(os::HWND window, bool enabled) { EnableWindow(native(window), enabled); }

void setVisible(os::HWND window, bool visible) {
    ShowWindow(native(window), visible ? SW_SHOW : SW_HIDE);
    if (visible) UpdateWindow(native(window));
}

void setRect(os::HWND window, const Rect& rect) {
    SetWindowPos(native(window), nullptr, rect.left, rect.top, rect.width(), rect.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void setId(os::HWND window, unsigned long id) {
    SetWindowLongPtrA(native(window), GWLP_ID, static_cast<LONG_PTR>(id));
}

void setBackground(os::HWND window, const Colour& colour) {
    backgrounds()[native(window)] = RGB(colour.red, colour.green, colour.blue);
    InvalidateRect(native(window), nullptr, TRUE);
}

void setAlignment(os::HWND window, Alignment alignment) {
    const ::HWND h = native(window);
    LONG_PTR style = GetWindowLongPtrA(h, GWL_STYLE);
    style &= ~static_cast<LONG_PTR>(SS_TYPEMASK | SS_CENTERIMAGE);
    style |= staticStyle(alignment);
    SetWindowLongPtrA(h, GWL_STYLE, style);
    InvalidateRect(h, nullptr, TRUE);
}

void setChecked(os::HWND window, bool checked) {
    SendMessageA(native(window), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void appendItem(os::HWND list, const std::string& item) {
    SendMessageA(native(list), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

void selectItem(os::HWND list, int index) {
    SendMessageA(native(list), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int selectedItem(os::HWND list) {
    const LRESULT i = SendMessageA(native(list), LB_GETCURSEL, 0, 0);
    return i == LB_ERR ? -1 : static_cast<int>(i);
}

void setIcon(os::HWND frame, os::HANDLE icon) {
    SendMessageA(native(frame), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(native(frame), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void setScrollBars(os::HWND viewPort, const Size& content, const Size& view,
                   const Point& position) {
    const struct {
        int bar;
        int content, view, pos;
    } bars[] = {{SB_HORZ, content.width, view.width, position.x},
                {SB_VERT, content.height, view.height, position.y}};
    for (const auto& b : bars) {
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        info.nMin = 0;
        info.nMax = b.content > b.view ? b.content - 1 : 0;
        info.nPage = b.content > b.view ? static_cast<UINT>(b.view) : 0;
        info.nPos = b.pos;
        SetScrollInfo(native(viewPort), b.bar, &info, TRUE);
    }
}

Size clientSize(os::HWND window) {
    RECT r = {};
    GetClientRect(native(window), &r);
    return {r.right - r.left, r.bottom - r.top};
}

namespace {
// One memory DC of the screen for every measurement, kept for the process:
// a window's own DC costs a round trip to the display driver each time.
HDC measuringDC() {
    static HDC dc = CreateCompatibleDC(nullptr);
    return dc;
}
}  // namespace

Size textSize(os::HWND window, const std::string& text) {
    const ::HWND h = native(window);
    HDC shared = measuringDC();
    HDC dc = shared ? shared : GetDC(h);
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(h, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? font : guiFont());
    SIZE extent = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    if (!shared) ReleaseDC(h, dc);
    return {extent.cx, metrics.tmHeight};
}

Size radioBoxSize() { return {13, 13}; }

Size scrollBarSize() {
    return {GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL)};
}

bool foregroundIsOwnThread() {
    const ::HWND foreground = GetForegroundWindow();
    return foreground && GetWindowThreadProcessId(foreground, nullptr) == GetCurrentThreadId();
}

void setFocus(os::HWND window) { SetFocus(native(window)); }
void setForeground(os::HWND window) { SetForegroundWindow(native(window)); }

bool postClose(os::HWND window) { return PostMessageA(native(window), WM_CLOSE, 0, 0) != 0; }

void startTimer(os::HWND window, unsigned id, unsigned milliseconds) {
    SetTimer(native(window), id, milliseconds, nullptr);
}

void stopTimer(os::HWND window, unsigned id) { KillTimer(native(window), id); }

void runMessageLoop() {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_MOUSEMOVE) events::pointerOver(ours(pointed(msg)));
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

void postQuit(int code) { PostQuitMessage(code); }

os::HANDLE ownModule() { return GetModuleHandleA(nullptr); }

os::HANDLE loadIcon(os::HANDLE module, unsigned long id) {
    return LoadIconA(static_cast<HINSTANCE>(module), MAKEINTRESOURCEA(id));
}

}  // namespace gui::peer
