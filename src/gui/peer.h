// The GUI library's backend: what the portable core asks of the real Win32
// peers (gui/native/) or of the simulated machine's headless peers (sim/).
// The core owns every state and decision; a peer only mirrors the state on
// a native window and reports the user's input back through gui/Events.h.
#pragma once

#include <algorithm>
#include <string>

#include "gui/Geometry.h"
#include "platform/os.h"

namespace gui::peer {

os::HWND desktopWindow();
void desktopSize(int* width, int* height);

// Shows a message box and answers the button pressed (IDOK, IDCANCEL, ...).
int messageBox(os::HWND owner, const std::string& text, const std::string& title, unsigned style,
               unsigned long helpId);

// Ends the process with the given exit code after the C runtime's exit
// processing (static destructors among it).
[[noreturn]] void exitProcess(int code);

// A hidden top-level window without title, owned by the desktop; null when it
// cannot be created.
os::HWND createObjectWindow();
void destroyWindow(os::HWND window);

// ---- windows of the class library -------------------------------------------

// The kinds of native window the core makes.
enum class Kind {
    frame,        // a top-level frame of the library's registered class
    viewPort,     // scrolls its one child
    canvas,       // holds children, paints its background, passes their commands on
    staticText,   // STATIC
    pushButton,   // BUTTON, push
    radioButton,  // BUTTON, radio; the core keeps the group rule
    listBox,      // LISTBOX, notifying
    infoArea,     // STATIC with a sunken border, wrapping
};

// Native style details, the library's own bits (the peers translate them).
namespace style {
constexpr unsigned long visible = 0x1;
constexpr unsigned long tabStop = 0x2;
// frame
constexpr unsigned long titleBar = 0x100;
constexpr unsigned long systemMenu = 0x200;
constexpr unsigned long minimizeButton = 0x400;
constexpr unsigned long maximizeButton = 0x800;
constexpr unsigned long sizingBorder = 0x1000;
// list box
constexpr unsigned long horizontalScroll = 0x10000;
constexpr unsigned long verticalScroll = 0x20000;
constexpr unsigned long multipleSelect = 0x40000;
constexpr unsigned long border = 0x80000;
}  // namespace style

// Alignment of a static text's words.
enum class Alignment {
    topLeft,          // one line, no wrapping
    topLeftWrapping,  // wraps onto further lines at blanks
    centerLeft,       // one line, centred vertically
};

struct WindowSpec {
    Kind kind = Kind::canvas;
    os::HWND parent = nullptr;  // the desktop's handle for a top-level frame
    os::HWND owner = nullptr;
    unsigned long id = 0;
    unsigned long style = 0;
    Rect rect;
    std::string text;
};

// Makes the native window; null when it cannot be made (the reason is in
// os::GetLastError()).
os::HWND createWindow(const WindowSpec& spec);

void setText(os::HWND window, const std::string& text);
void setEnabled(os::HWND window, bool enabled);
void setVisible(os::HWND window, bool visible);
void setRect(os::HWND window, const Rect& rect);  // in the parent's client area
void setId(os::HWND window, unsigned long id);
void setBackground(os::HWND window, const Colour& colour);
void setAlignment(os::HWND window, Alignment alignment);
void setChecked(os::HWND window, bool checked);
void appendItem(os::HWND list, const std::string& item);
void selectItem(os::HWND list, int index);  // -1 clears; sends no notification
int selectedItem(os::HWND list);            // -1 when none
void setIcon(os::HWND frame, os::HANDLE icon);
// The view port's scroll bars for a child of `content` size seen through a
// view of `view` size, scrolled to `position`.
void setScrollBars(os::HWND viewPort, const Size& content, const Size& view,
                   const Point& position);
// The pixels by which a click on a scroll bar's arrow moves the view.
constexpr int scrollLine = 10;
// The user's requests on a scroll bar (SB_LINEUP ... SB_BOTTOM).
enum class ScrollRequest {
    lineUp = 0,
    lineDown = 1,
    pageUp = 2,
    pageDown = 3,
    thumbPosition = 4,  // the thumb let go at `thumb`
    thumbTrack = 5,     // the thumb dragged to `thumb`
    top = 6,
    bottom = 7,
};
// The position that a request gives on a bar whose range is 0 to
// content - 1 with a page of `page`, from `position`: never before 0 nor
// past content - page. Any other request (SB_ENDSCROLL) keeps the position.
inline int scrolledPosition(int position, int page, int content, ScrollRequest request,
                            int thumb) {
    switch (request) {
    case ScrollRequest::lineUp: position -= scrollLine; break;
    case ScrollRequest::lineDown: position += scrollLine; break;
    case ScrollRequest::pageUp: position -= page; break;
    case ScrollRequest::pageDown: position += page; break;
    case ScrollRequest::thumbPosition:
    case ScrollRequest::thumbTrack: position = thumb; break;
    case ScrollRequest::top: position = 0; break;
    case ScrollRequest::bottom: position = content - 1; break;
    default: break;
    }
    return std::max(0, std::min(position, content - page));
}

// The client area of a window (for a frame: inside its borders and title
// bar; for a view port: inside its scroll bars).
Size clientSize(os::HWND frame);
// The size of `text` on one line in the window's font, and its line height.
Size textSize(os::HWND window, const std::string& text);
// The size of a radio button's round box.
Size radioBoxSize();
// The width of a vertical scroll bar and the height of a horizontal one.
Size scrollBarSize();

// Input focus: whether the foreground window belongs to this thread; the
// keyboard focus (SetFocus); the foreground (SetForegroundWindow).
bool foregroundIsOwnThread();
void setFocus(os::HWND window);
void setForeground(os::HWND window);

// A close request (WM_CLOSE) posted to the window; false when it failed.
bool postClose(os::HWND window);

// A one-shot-or-repeating timer of the window; reported to events::timer.
void startTimer(os::HWND window, unsigned id, unsigned milliseconds);
void stopTimer(os::HWND window, unsigned id);

// The message loop of the calling thread, until quit is posted.
void runMessageLoop();
void postQuit(int code);

// The program's own module and the icon of the given resource id in it;
// null when there is none.
os::HANDLE ownModule();
os::HANDLE loadIcon(os::HANDLE module, unsigned long id);

// What a native window reports to the core.
enum class Command {
    clicked,           // BN_CLICKED
    selectionChanged,  // LBN_SELCHANGE, by the user
};

}  // namespace gui::peer
