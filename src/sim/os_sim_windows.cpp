// The OS seam's window services on the simulated desktop: the Z-order walk,
// window titles and posted messages, keeping the Windows contracts.
#include <algorithm>
#include <cstring>

#include "platform/os.h"
#include "sim/machine.h"

namespace os {

namespace {

sim::WindowTable& table() { return sim::machine().windows; }
using sim::setLastError;

// The window's siblings from the top of their Z order: the top-level order
// for a top-level window, creation order for child windows.
std::vector<HWND> siblings(const sim::WindowTable::Window& w) {
    if (!w.parent) return table().zOrder;
    std::vector<HWND> out;
    for (const sim::WindowTable::Window& other : table().all)
        if (other.alive && other.parent == w.parent) out.push_back(other.handle);
    return out;
}

HWND answer(HWND result) {
    ++table().getWindowCalls;
    if (table().afterGetWindow) table().afterGetWindow(result);
    return result;
}

}  // namespace

// GW_HWNDFIRST: the topmost of the window's siblings; GW_HWNDNEXT: the one
// below it, NULL after the last. NULL for a window that does not exist. No
// other command is modelled.
HWND GetWindow(HWND window, UINT command) {
    if (!sim::isModelledElseInvalid(command == GW_HWNDFIRST || command == GW_HWNDNEXT,
                                    "GetWindow", "command", command))
        return answer(nullptr);
    const sim::WindowTable::Window* w = table().find(window);
    if (!w) {
        setLastError(sim::errorInvalidWindowHandle);
        return answer(nullptr);
    }
    const std::vector<HWND> order = siblings(*w);
    if (command == GW_HWNDFIRST) return answer(order.empty() ? nullptr : order.front());
    const auto it = std::find(order.begin(), order.end(), window);
    if (it == order.end() || it + 1 == order.end()) return answer(nullptr);
    return answer(*(it + 1));
}

int GetWindowTextLengthA(HWND window) {
    const sim::WindowTable::Window* w = table().find(window);
    if (!w) {
        setLastError(sim::errorInvalidWindowHandle);
        return 0;
    }
    return static_cast<int>(w->title.size());
}

// Copies at most bufferSize - 1 characters and a terminating zero; answers
// the characters copied. An invalid window gets an empty text and 0.
int GetWindowTextA(HWND window, char* buffer, int bufferSize) {
    if (!buffer || bufferSize <= 0) return 0;
    buffer[0] = '\0';
    const sim::WindowTable::Window* w = table().find(window);
    if (!w) {
        setLastError(sim::errorInvalidWindowHandle);
        return 0;
    }
    const std::size_t n = std::min(w->title.size(), static_cast<std::size_t>(bufferSize - 1));
    std::memcpy(buffer, w->title.data(), n);
    buffer[n] = '\0';
    return static_cast<int>(n);
}

// The close request is the one message modelled.
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!sim::isModelledElseInvalid(message == WM_CLOSE, "PostMessageA", "message", message))
        return 0;
    sim::WindowTable::Window* w = table().find(window);
    if (!w) {
        setLastError(sim::errorInvalidWindowHandle);
        return 0;
    }
    if (w->refusesPosts) {
        setLastError(ERROR_ACCESS_DENIED);
        return 0;
    }
    w->posted.push_back({message, wParam, lParam});
    return 1;
}

}  // namespace os
