// The user's input on the simulated machine, delivered to the GUI library's
// core as the native controls report it.
#include "sim/input.h"

#include <algorithm>

#include "gui/Events.h"
#include "gui/Notification.h"
#include "sim/machine.h"

namespace sim::input {

namespace {

// Whether the window and all its ancestors are shown and enabled, as a click
// needs.
bool reachable(os::HWND window) {
    const Gui& g = machine().gui;
    for (const GuiWindow* w = g.find(window); w; w = g.find(w->parent)) {
        if (!w->enabled || !w->visible) return false;
        if (!w->parent) return true;
    }
    return false;
}

}  // namespace

void click(os::HWND control) {
    const GuiWindow* w = machine().gui.find(control);
    if (!w || !reachable(control)) return;
    if (w->kind != gui::peer::Kind::pushButton && w->kind != gui::peer::Kind::radioButton) return;
    gui::events::command(control, gui::peer::Command::clicked);  // BN_CLICKED
}

void selectItem(os::HWND list, int index) {
    GuiWindow* w = machine().gui.find(list);
    if (!w || w->kind != gui::peer::Kind::listBox || !reachable(list)) return;
    if (index < 0 || index >= static_cast<int>(w->items.size())) return;
    w->selected = index;
    gui::events::command(list, gui::peer::Command::selectionChanged);  // LBN_SELCHANGE
}

void systemCommand(os::HWND frame, os::WPARAM command) {
    Machine& m = machine();
    if (!m.gui.find(frame)) return;
    gui::events::systemCommand(frame, command, 0);
    // What DefWindowProc then does: SC_CLOSE sends WM_CLOSE; the others
    // (minimise, move, ...) change nothing that the program sees.
    if ((command & 0xFFF0) == 0xF060 && m.gui.find(frame)) gui::events::close(frame);
}

void resize(os::HWND frame, int width, int height) {
    GuiWindow* w = machine().gui.find(frame);
    if (!w || w->kind != gui::peer::Kind::frame || !w->visible ||
        !(w->style & gui::peer::style::sizingBorder))
        return;
    const gui::Rect rect = gui::Rect::at(w->rect.left, w->rect.top,
                                         std::max(width, Gui::minTrackWidth),
                                         std::max(height, Gui::minTrackHeight));
    if (rect.size() == w->rect.size()) return;
    w->rect = rect;
    gui::events::resized(frame);  // WM_SIZE
}

void scroll(os::HWND viewPort, bool vertical, Scroll request, int thumb) {
    const GuiWindow* w = machine().gui.find(viewPort);
    if (!w || w->kind != gui::peer::Kind::viewPort || !reachable(viewPort)) return;
    const int content = vertical ? w->scrollContent.height : w->scrollContent.width;
    const int page = vertical ? w->scrollView.height : w->scrollView.width;
    if (content <= page) return;
    const int pos = vertical ? w->scrollPosition.y : w->scrollPosition.x;
    gui::events::scrolled(viewPort, vertical,
                          gui::peer::scrolledPosition(pos, page, content, request, thumb));
}

void movePointer(os::HWND window) {
    if (machine().gui.find(window)) gui::events::pointerOver(window);
}

void elapse(unsigned milliseconds) {
    Gui& g = machine().gui;
    const unsigned long until = g.clock + milliseconds;
    while (detail::fireTimerBy(until)) {
    }
    g.clock = until;
}

void restPointer(os::HWND window) {
    movePointer(window);
    elapse(100);
}

void later(std::function<void()> action) { machine().gui.actions.push_back(std::move(action)); }

os::HWND control(unsigned long id) { return machine().gui.withId(id); }

os::HWND frame(const char* title) {
    for (const auto& entry : machine().gui.windows)
        if (entry.second.kind == gui::peer::Kind::frame && entry.second.text == title)
            return entry.first;
    return nullptr;
}

}  // namespace sim::input
