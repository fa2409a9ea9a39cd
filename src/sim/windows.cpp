#include "sim/windows.h"

#include <algorithm>

namespace sim {

os::HWND WindowTable::addTopLevel(const std::string& title) {
    return create(nullptr, title, false);
}

os::HWND WindowTable::create(os::HWND parent, const std::string& title, bool ownProcess) {
    Window w;
    w.handle = reinterpret_cast<os::HWND>(nextHandle);
    nextHandle += 2;
    w.parent = parent;
    w.title = title;
    w.ownProcess = ownProcess;
    all.push_back(w);
    if (!parent) zOrder.insert(zOrder.begin(), w.handle);
    return w.handle;
}

void WindowTable::destroy(os::HWND handle) {
    Window* w = find(handle);
    if (!w) return;
    w->alive = false;
    zOrder.erase(std::remove(zOrder.begin(), zOrder.end(), handle), zOrder.end());
    for (Window& child : all)
        if (child.alive && child.parent == handle) destroy(child.handle);
}

void WindowTable::placeBelow(os::HWND handle, os::HWND above) {
    zOrder.erase(std::remove(zOrder.begin(), zOrder.end(), handle), zOrder.end());
    auto at = std::find(zOrder.begin(), zOrder.end(), above);
    zOrder.insert(at == zOrder.end() ? zOrder.begin() : at + 1, handle);
}

WindowTable::Window* WindowTable::find(os::HWND handle) {
    for (Window& w : all)
        if (w.handle == handle && w.alive) return &w;
    return nullptr;
}

const WindowTable::Window* WindowTable::find(os::HWND handle) const {
    for (const Window& w : all)
        if (w.handle == handle && w.alive) return &w;
    return nullptr;
}

}  // namespace sim
