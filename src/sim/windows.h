// The simulated desktop's windows: the top-level Z order and every window's
// title, class, owner process and the messages posted to it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/os.h"

namespace sim {

class WindowTable {
public:
    struct PostedMessage {
        os::UINT message;
        os::WPARAM wParam;
        os::LPARAM lParam;
    };
    struct Window {
        os::HWND handle = nullptr;
        os::HWND parent = nullptr;  // null: a top-level window
        std::string title;
        bool ownProcess = false;    // made by the program under test
        bool alive = true;
        bool refusesPosts = false;  // PostMessageA answers ERROR_ACCESS_DENIED
        std::vector<PostedMessage> posted;
    };

    // Adds a top-level window of another process at the top of the Z order.
    os::HWND addTopLevel(const std::string& title);
    // Makes a window; top-level ones go to the top of the Z order.
    os::HWND create(os::HWND parent, const std::string& title, bool ownProcess);
    void destroy(os::HWND handle);

    Window* find(os::HWND handle);
    const Window* find(os::HWND handle) const;

    // Moves a top-level window to just below another one (null: to the top).
    void placeBelow(os::HWND handle, os::HWND above);

    std::vector<Window> all;        // in creation order
    std::vector<os::HWND> zOrder;   // top-level windows, topmost first
    unsigned long nextHandle = 0x10020;

    // Runs after each GetWindow with its answer, so a test can change the
    // desktop while the program walks it.
    std::function<void(os::HWND)> afterGetWindow;
    unsigned long getWindowCalls = 0;
};

}  // namespace sim
