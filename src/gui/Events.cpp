#include "gui/Events.h"

#include "gui/Canvas.h"
#include "gui/FlyOverHelp.h"
#include "gui/FrameWindow.h"

namespace gui::events {

void command(os::HWND control, peer::Command command) {
    Window* window = Window::fromHandle(control);
    if (!window) return;
    FrameWindow::dispatch(window->frame(), [&] { window->handleCommand(command); });
}

void systemCommand(os::HWND frame, os::WPARAM wParam, os::LPARAM lParam) {
    auto* f = dynamic_cast<FrameWindow*>(Window::fromHandle(frame));
    if (!f) return;
    const WindowMessage message{WindowMessage::systemCommand, wParam, lParam};
    FrameWindow::dispatch(f, [&] { f->handleSystemCommand(message); });
}

void close(os::HWND frame) {
    if (auto* f = dynamic_cast<FrameWindow*>(Window::fromHandle(frame))) f->handleClose();
}

void destroyed(os::HWND window) {
    if (Window* w = Window::fromHandle(window)) w->handleDestroyed();
}

void resized(os::HWND window) {
    if (Window* w = Window::fromHandle(window)) w->layout();
}

void pointerOver(os::HWND window) {
    Window* w = Window::fromHandle(window);
    FrameWindow* f = w ? w->frame() : nullptr;
    if (!f || !f->flyOverHelp()) return;
    FrameWindow::dispatch(f, [&] { f->flyOverHelp()->defaultHandler().pointerOver(window); });
}

void timer(os::HWND window, unsigned id) {
    auto* f = dynamic_cast<FrameWindow*>(Window::fromHandle(window));
    if (!f || !f->flyOverHelp() || id != FlyOverHelpHandler::timerId) return;
    FrameWindow::dispatch(f, [&] { f->flyOverHelp()->defaultHandler().restElapsed(); });
}

void scrolled(os::HWND viewPort, bool vertical, int position) {
    auto* v = dynamic_cast<ViewPort*>(Window::fromHandle(viewPort));
    if (!v) return;
    Point p = v->scrollPosition();
    (vertical ? p.y : p.x) = position;
    v->scrollTo(p);
}

}  // namespace gui::events
