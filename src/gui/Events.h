// The entries through which the peers hand native events to the portable
// core. Each finds the core object of the handle; unknown handles are
// ignored. Events for the same frame that arrive while one of its
// notifications is being handled (inside a message box's loop) are handled
// at once, except a close request, which waits until the outermost handler
// has returned.
#pragma once

#include "gui/peer.h"
#include "platform/os.h"

namespace gui::events {

// WM_COMMAND from a control: a click or a user's change of the selection.
void command(os::HWND control, peer::Command command);
// WM_SYSCOMMAND to a frame, before the system acts on it.
void systemCommand(os::HWND frame, os::WPARAM wParam, os::LPARAM lParam);
// WM_CLOSE to a frame: the core destroys the native window (now or later).
void close(os::HWND frame);
// WM_NCDESTROY: the native window is gone; auto-delete objects are deleted.
void destroyed(os::HWND window);
// The frame's or view port's client area has a new size.
void resized(os::HWND window);
// The mouse pointer moved onto or over the window.
void pointerOver(os::HWND window);
// A timer of the window elapsed.
void timer(os::HWND window, unsigned id);
// The user moved a scroll bar of a view port to `position`.
void scrolled(os::HWND viewPort, bool vertical, int position);

}  // namespace gui::events
