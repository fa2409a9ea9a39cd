// The simulated machine's side of the GUI library's windows: the state that
// the headless peers keep per native window, the user's queued actions that
// the message loop runs, timers on a simulated clock, and scripted failures.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "gui/Geometry.h"
#include "gui/peer.h"
#include "platform/os.h"

namespace sim {

struct GuiWindow {
    gui::peer::Kind kind = gui::peer::Kind::canvas;
    os::HWND parent = nullptr;
    unsigned long id = 0;
    unsigned long style = 0;
    std::string text;
    bool enabled = true;
    bool visible = false;
    bool checked = false;
    gui::Rect rect;
    bool hasBackground = false;
    gui::Colour background;
    gui::peer::Alignment alignment = gui::peer::Alignment::topLeft;
    std::vector<std::string> items;
    int selected = -1;
    os::HANDLE icon = nullptr;
    // A view port's scroll bars as SetScrollInfo left them: per bar the
    // content (the range), the view (the page) and the position, and
    // whether the bar is shown.
    gui::Size scrollContent;
    gui::Size scrollView;
    gui::Point scrollPosition;
    bool horizontalBar = false;
    bool verticalBar = false;
};

struct GuiTimer {
    os::HWND window;
    unsigned id;
    unsigned period;
    unsigned long due;
};

class Gui {
public:
    // Fonts: every character is `charWidth` wide and a line `lineHeight` high.
    static constexpr int charWidth = 6;
    static constexpr int lineHeight = 13;
    // A frame's borders and title bar: its client area is this much smaller.
    static constexpr int frameBorderWidth = 8;    // left and right together
    static constexpr int frameBorderHeight = 27;  // title bar and borders
    // The smallest frame that the user can drag its border to (SM_CXMINTRACK,
    // SM_CYMINTRACK).
    static constexpr int minTrackWidth = 112;
    static constexpr int minTrackHeight = 27;
    // A scroll bar's thickness (SM_CXVSCROLL, SM_CYHSCROLL).
    static constexpr int scrollBarWidth = 16;

    std::map<os::HWND, GuiWindow> windows;  // the GUI library's native windows

    // The Nth window that the library creates (counted from 1 since the
    // machine was reset) cannot be created; 0 fails none.
    int failWindowCreation = 0;
    int windowsCreated = 0;

    // What the user does, one action at a time, while the message loop waits
    // for input. With nothing left to do the user closes a shown frame with
    // its close box (SC_CLOSE), as an unscripted box is closed by Escape.
    std::deque<std::function<void()>> actions;
    bool quitPosted = false;

    unsigned long clock = 0;  // milliseconds
    std::vector<GuiTimer> timers;

    os::HWND focus = nullptr;
    os::HWND foreground = nullptr;
    bool foregroundIsOwnThread = true;

    const GuiWindow* find(os::HWND window) const;
    GuiWindow* find(os::HWND window);
    // The library's window of that id.
    os::HWND withId(unsigned long id) const;
};

namespace detail {
// Fires the earliest library timer due by `until` (the headless peers keep
// the timers); false when none is.
bool fireTimerBy(unsigned long until);
}  // namespace detail

}  // namespace sim
