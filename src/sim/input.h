// The user's input to the GUI library's windows on the simulated machine, as
// Windows delivers it: a click or a selection reaches the control only when
// it and its ancestors are enabled and visible, and reports to the core as
// the native control's notification would.
#pragma once

#include <functional>

#include "gui/peer.h"
#include "platform/os.h"

namespace sim::input {

// A mouse click on a button (push or radio).
void click(os::HWND control);
// The user clicks the list item: it becomes the selection, and LBN_SELCHANGE
// follows on the button's release whether or not the selection changed, as
// the list box sends it. An index outside the items does nothing.
void selectItem(os::HWND list, int index);
// A system command to a frame: the close box, the system menu's Close and
// Alt+F4 all give 0xF060 (SC_CLOSE); 0xF020 minimise, 0xF010 move.
void systemCommand(os::HWND frame, os::WPARAM command);
// The user drags the frame's sizing border until the frame is `width` by
// `height`, its corner staying: Windows keeps it at least the minimum
// tracking size and sends WM_SIZE when its size changed. A frame without a
// sizing border, or not shown, cannot be dragged.
void resize(os::HWND frame, int width, int height);
using Scroll = gui::peer::ScrollRequest;
// The user works a view port's horizontal or vertical scroll bar: the view
// port gets WM_HSCROLL or WM_VSCROLL and its peer turns the request into a
// position within the bar's range, as the native peer does. A bar that is
// not shown (the child fits the view that way) takes no input.
void scroll(os::HWND viewPort, bool vertical, Scroll request, int thumb = 0);
// The pointer moves onto the window; restPointer also lets it rest there
// for the help's 100 ms.
void movePointer(os::HWND window);
void restPointer(os::HWND window);
// Time passes; due timers fire.
void elapse(unsigned milliseconds);

// Queues an action for the message loop, which runs it when it waits for
// input; `whileOpen` of sim::BoxAnswer runs actions while a box is open.
void later(std::function<void()> action);

// The library's window of the given id (15000 + n for the preferences
// window's parts), or null.
os::HWND control(unsigned long id);
// The top-level frame of the library with this title, or null.
os::HWND frame(const char* title);

}  // namespace sim::input
