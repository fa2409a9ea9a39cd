// A hidden object window: top level, no title, its parent the desktop. It
// lives as long as the object.
#pragma once

#include "platform/os.h"

namespace gui {

class ObjectWindow {
public:
    ObjectWindow();  // throws gui::Exception when the window cannot be made
    ~ObjectWindow();
    ObjectWindow(const ObjectWindow&) = delete;
    ObjectWindow& operator=(const ObjectWindow&) = delete;

    os::HWND handle() const { return handle_; }

private:
    os::HWND handle_;
};

}  // namespace gui
