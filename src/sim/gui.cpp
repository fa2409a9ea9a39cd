#include "sim/gui.h"

namespace sim {

const GuiWindow* Gui::find(os::HWND window) const {
    auto it = windows.find(window);
    return it == windows.end() ? nullptr : &it->second;
}

GuiWindow* Gui::find(os::HWND window) {
    auto it = windows.find(window);
    return it == windows.end() ? nullptr : &it->second;
}

os::HWND Gui::withId(unsigned long id) const {
    for (const auto& entry : windows)
        if (entry.second.id == id) return entry.first;
    return nullptr;
}

}  // namespace sim
