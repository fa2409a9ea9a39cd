// The simulated desktop's windows: the top-level Z order and every window's
// title, class, owner process and the messages posted to it.
#pragma once

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
        std::string className;
        bool ownProcess = false;    // made by the program under test
        bool alive = true;
        std::vector<PostedMessage> posted;
    };

    // Adds a top-level window of another process at the top of the Z order.
    os::HWND addTopLevel(const std::string& title, const std::string& className = "Other");
    // Makes a window; top-level ones go to the top of the Z order.
    os::HWND create(os::HWND parent, const std::string& title, const std::string& className,
                    bool ownProcess);
    void destroy(os::HWND handle);

    Window* find(os::HWND handle);
    const Window* find(os::HWND handle) const;

    std::vector<Window> all;        // in creation order
    std::vector<os::HWND> zOrder;   // top-level windows, topmost first
    unsigned long nextHandle = 0x10020;
};

}  // namespace sim
