// The GUI library's backend: what the portable core asks of the real Win32
// peers (gui/native/) or of the simulated machine's headless peers (sim/).
#pragma once

#include <string>

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

}  // namespace gui::peer
