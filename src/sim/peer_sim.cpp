// The GUI library's headless peers: the desktop, message boxes, the process's
// end, the hidden object window, and the library's windows kept in the
// machine's window table (so GetWindow sees the frames) with their state in
// sim::Gui. The message loop runs the user's queued actions.
#include <algorithm>
#include <stdexcept>

#include "gui/Events.h"
#include "gui/peer.h"
#include "sim/input.h"
#include "sim/machine.h"

namespace gui::peer {

namespace {
const os::HWND desktopHandle = reinterpret_cast<os::HWND>(0x10010);
const os::HANDLE moduleHandle = reinterpret_cast<os::HANDLE>(0x400000);
const os::HANDLE iconHandle = reinterpret_cast<os::HANDLE>(0x7001);

sim::Gui& gui() { return sim::machine().gui; }

// The window and its descendants, children before their parent.
void collect(os::HWND window, std::vector<os::HWND>& out) {
    for (const auto& entry : gui().windows)
        if (entry.second.parent == window) collect(entry.first, out);
    out.push_back(window);
}

// Delivers one message posted to a window of this program; false when none.
bool deliverPosted() {
    sim::Machine& m = sim::machine();
    for (auto& w : m.windows.all) {
        if (!w.alive || !w.ownProcess || w.posted.empty()) continue;
        const os::HWND target = w.handle;
        const sim::WindowTable::PostedMessage message = w.posted.front();
        w.posted.erase(w.posted.begin());
        if (message.message == os::WM_CLOSE) {
            if (m.gui.find(target)) events::close(target);
            else m.windows.destroy(target);  // DefWindowProc's answer to WM_CLOSE
        }
        return true;
    }
    return false;
}

// A shown frame of the library, or null.
os::HWND shownFrame() {
    for (const auto& entry : gui().windows)
        if (entry.second.kind == Kind::frame && entry.second.visible) return entry.first;
    return nullptr;
}

// Fires the earliest timer that is due by `until`; false when none is.
bool fireTimer(unsigned long until) {
    sim::Gui& g = gui();
    auto next = std::min_element(g.timers.begin(), g.timers.end(),
                                 [](const sim::GuiTimer& a, const sim::GuiTimer& b) {
                                     return a.due < b.due;
                                 });
    if (next == g.timers.end() || next->due > until) return false;
    const sim::GuiTimer t = *next;
    next->due += t.period ? t.period : 1;
    if (g.clock < t.due) g.clock = t.due;
    events::timer(t.window, t.id);
    return true;
}
}  // namespace

os::HWND desktopWindow() { return desktopHandle; }

void desktopSize(int* width, int* height) {
    *width = sim::machine().desktopWidth;
    *height = sim::machine().desktopHeight;
}

int messageBox(os::HWND owner, const std::string& text, const std::string& title, unsigned style,
               unsigned long helpId) {
    sim::Machine& m = sim::machine();
    const unsigned buttons = style & 0xF;
    // The Escape answer below knows OK (0) and Retry and Cancel (5) alone.
    if (!sim::isModelled(buttons == 0 || buttons == 5, "MessageBox", "buttons", buttons)) return 0;
    sim::BoxAnswer answer{buttons == 0 ? 1 : 2, nullptr};  // Escape: OK, else Cancel
    if (!m.boxScript.empty()) {
        answer = m.boxScript.front();
        m.boxScript.pop_front();
    }
    m.boxes.push_back({owner, title, text, style, helpId, answer.answer});
    if (answer.whileOpen) answer.whileOpen();
    // The box's own loop dispatches what was posted to the program's windows
    // while it was open (a close request among them).
    while (deliverPosted()) {
    }
    return answer.answer;
}

void exitProcess(int code) { throw sim::ProcessExit{code}; }

os::HWND createObjectWindow() {
    sim::Machine& m = sim::machine();
    if (m.failObjectWindow) {
        m.lastError = 1406;  // ERROR_TLW_WITH_WSCHILD: any failure of CreateWindowEx
        return nullptr;
    }
    return m.windows.create(nullptr, "", true);
}

void destroyWindow(os::HWND window) {
    sim::Machine& m = sim::machine();
    if (!m.gui.find(window)) {
        m.windows.destroy(window);
        return;
    }
    std::vector<os::HWND> gone;
    collect(window, gone);
    m.windows.destroy(window);
    for (os::HWND h : gone) {
        m.gui.windows.erase(h);
        m.gui.timers.erase(std::remove_if(m.gui.timers.begin(), m.gui.timers.end(),
                                          [&](const sim::GuiTimer& t) { return t.window == h; }),
                           m.gui.timers.end());
        if (m.gui.focus == h) m.gui.focus = nullptr;
        if (m.gui.foreground == h) m.gui.foreground = nullptr;
    }
    for (os::HWND h : gone) events::destroyed(h);  // WM_NCDESTROY, children first
}

os::HWND createWindow(const WindowSpec& spec) {
    sim::Machine& m = sim::machine();
    if (++m.gui.windowsCreated == m.gui.failWindowCreation) {
        sim::setLastError(sim::errorNotEnoughMemory);
        return nullptr;
    }
    const bool topLevel = spec.kind == Kind::frame;
    if (!topLevel && !m.gui.find(spec.parent)) {
        sim::setLastError(sim::errorInvalidWindowHandle);
        return nullptr;
    }
    const os::HWND h =
        m.windows.create(topLevel ? nullptr : spec.parent, spec.text, true);
    sim::GuiWindow w;
    w.kind = spec.kind;
    w.parent = topLevel ? nullptr : spec.parent;
    w.id = spec.id;
    w.style = spec.style;
    w.text = spec.text;
    w.visible = (spec.style & style::visible) != 0;
    w.rect = spec.rect;
    m.gui.windows[h] = w;
    return h;
}

void setText(os::HWND window, const std::string& text) {
    if (sim::GuiWindow* w = gui().find(window)) w->text = text;
    if (auto* t = sim::machine().windows.find(window)) t->title = text;
}

void setEnabled(os::HWND window, bool enabled) {
    if (sim::GuiWindow* w = gui().find(window)) w->enabled = enabled;
}

void setVisible(os::HWND window, bool visible) {
    if (sim::GuiWindow* w = gui().find(window)) w->visible = visible;
}

void setRect(os::HWND window, const Rect& rect) {
    sim::GuiWindow* w = gui().find(window);
    if (!w) return;
    const bool resized = !(w->rect.size() == rect.size());
    w->rect = rect;
    if (resized && (w->kind == Kind::frame || w->kind == Kind::viewPort))
        events::resized(window);  // WM_SIZE
}

void setId(os::HWND window, unsigned long id) {
    if (sim::GuiWindow* w = gui().find(window)) w->id = id;
}

void setBackground(os::HWND window, const Colour& colour) {
    if (sim::GuiWindow* w = gui().find(window)) {
        w->hasBackground = true;
        w->background = colour;
    }
}

void setAlignment(os::HWND window, Alignment alignment) {
    if (sim::GuiWindow* w = gui().find(window)) w->alignment = alignment;
}

void setChecked(os::HWND window, bool checked) {
    if (sim::GuiWindow* w = gui().find(window)) w->checked = checked;
}

void appendItem(os::HWND list, const std::string& item) {
    if (sim::GuiWindow* w = gui().find(list)) w->items.push_back(item);
}

void selectItem(os::HWND list, int index) {
    sim::GuiWindow* w = gui().find(list);
    if (!w) return;
    w->selected = index >= 0 && index < static_cast<int>(w->items.size()) ? index : -1;
}

int selectedItem(os::HWND list) {
    const sim::GuiWindow* w = gui().find(list);
    return w ? w->selected : -1;
}

void setIcon(os::HWND frame, os::HANDLE icon) {
    if (sim::GuiWindow* w = gui().find(frame)) w->icon = icon;
}

// As the native peer: SetScrollInfo for the horizontal bar, then for the
// vertical one, both with the values given on entry. Each call keeps the
// bar's range, page and position (Windows keeps the position at most the
// range's last value less the page plus 1) and shows the bar when the
// content is larger than the view, else hides it. A bar that appears or
// goes changes the client area: WM_SIZE reaches the view port before the
// call returns.
void setScrollBars(os::HWND viewPort, const Size& content, const Size& view,
                   const Point& position) {
    const struct {
        bool vertical;
        int content, view, pos;
    } bars[] = {{false, content.width, view.width, position.x},
                {true, content.height, view.height, position.y}};
    for (const auto& b : bars) {
        sim::GuiWindow* w = gui().find(viewPort);
        if (!w) return;
        const bool needed = b.content > b.view;
        (b.vertical ? w->scrollContent.height : w->scrollContent.width) = b.content;
        (b.vertical ? w->scrollView.height : w->scrollView.width) = b.view;
        const int last = needed ? b.content - 1 - std::max(b.view - 1, 0) : 0;
        (b.vertical ? w->scrollPosition.y : w->scrollPosition.x) =
            std::max(0, std::min(b.pos, last));
        bool& shown = b.vertical ? w->verticalBar : w->horizontalBar;
        if (shown == needed) continue;
        shown = needed;
        events::resized(viewPort);  // WM_SIZE
    }
}

Size clientSize(os::HWND window) {
    const sim::GuiWindow* w = gui().find(window);
    if (!w) return Size();
    Size s = w->rect.size();
    if (w->kind == Kind::frame) {
        s.width = std::max(0, s.width - sim::Gui::frameBorderWidth);
        s.height = std::max(0, s.height - sim::Gui::frameBorderHeight);
    }
    if (w->verticalBar) s.width = std::max(0, s.width - sim::Gui::scrollBarWidth);
    if (w->horizontalBar) s.height = std::max(0, s.height - sim::Gui::scrollBarWidth);
    return s;
}

Size textSize(os::HWND, const std::string& text) {
    return {static_cast<int>(text.size()) * sim::Gui::charWidth, sim::Gui::lineHeight};
}

Size radioBoxSize() { return {13, 13}; }

Size scrollBarSize() { return {sim::Gui::scrollBarWidth, sim::Gui::scrollBarWidth}; }

bool foregroundIsOwnThread() { return gui().foregroundIsOwnThread; }
void setFocus(os::HWND window) { gui().focus = window; }
void setForeground(os::HWND window) { gui().foreground = window; }

bool postClose(os::HWND window) {
    sim::Machine& m = sim::machine();
    auto* w = m.windows.find(window);
    if (!w) {
        sim::setLastError(sim::errorInvalidWindowHandle);
        return false;
    }
    w->posted.push_back({os::WM_CLOSE, 0, 0});
    return true;
}

void startTimer(os::HWND window, unsigned id, unsigned milliseconds) {
    stopTimer(window, id);
    gui().timers.push_back({window, id, milliseconds, gui().clock + milliseconds});
}

void stopTimer(os::HWND window, unsigned id) {
    auto& timers = gui().timers;
    timers.erase(std::remove_if(timers.begin(), timers.end(),
                                [&](const sim::GuiTimer& t) {
                                    return t.window == window && t.id == id;
                                }),
                 timers.end());
}

void runMessageLoop() {
    sim::Gui& g = gui();
    while (!g.quitPosted) {
        if (deliverPosted()) continue;
        if (!g.actions.empty()) {
            const std::function<void()> action = std::move(g.actions.front());
            g.actions.pop_front();
            action();
            continue;
        }
        if (fireTimer(~0ul)) continue;  // idle: time runs to the next timer
        // Nothing left to do: the user closes the window with its close box,
        // as an unscripted message box is closed by Escape.
        const os::HWND open = shownFrame();
        if (!open) throw std::logic_error("sim: the message loop waits with no window open");
        sim::input::systemCommand(open, 0xF060);  // SC_CLOSE
        if (g.actions.empty() && shownFrame() == open && !g.quitPosted && !deliverPosted())
            throw std::logic_error("sim: the window does not close by its close box");
    }
    g.quitPosted = false;
}

void postQuit(int) { gui().quitPosted = true; }

os::HANDLE ownModule() { return moduleHandle; }

os::HANDLE loadIcon(os::HANDLE module, unsigned long id) {
    if (module == moduleHandle && id == 1) return iconHandle;
    sim::setLastError(sim::errorResourceNameNotFound);
    return nullptr;
}

}  // namespace gui::peer

namespace sim::detail {
bool fireTimerBy(unsigned long until) { return gui::peer::fireTimer(until); }
}  // namespace sim::detail
