#include "gui/Window.h"

#include <algorithm>
#include <map>

#include "gui/Exception.h"
#include "gui/FrameWindow.h"

namespace gui {

namespace {

std::map<os::HWND, Window*>& registry() {
    static std::map<os::HWND, Window*> windows;
    return windows;
}

}  // namespace

Desktop::Desktop() : Window(peer::desktopWindow()) {}

int Desktop::width() const {
    int w = 0, h = 0;
    peer::desktopSize(&w, &h);
    return w;
}

int Desktop::height() const {
    int w = 0, h = 0;
    peer::desktopSize(&w, &h);
    return h;
}

Desktop& desktop() {
    static Desktop theDesktop;
    return theDesktop;
}

Window::Window(peer::Kind kind, unsigned long id, Window* parent, Window* owner, const Rect& rect,
               Style style, const std::string& text)
    : id_(id), parent_(parent), owner_(owner), style_(style), text_(text),
      visible_((style & visible) != 0), rect_(rect) {
    peer::WindowSpec spec;
    spec.kind = kind;
    spec.parent = parent ? parent->handle() : peer::desktopWindow();
    spec.owner = owner && owner != parent ? owner->handle() : nullptr;
    spec.id = id;
    spec.style = style;
    spec.rect = rect;
    spec.text = text;
    handle_ = peer::createWindow(spec);
    if (!handle_) {
        Exception error("The window could not be created.", os::GetLastError(), "gui::Window");
        GUI_THROW(error);
    }
    registry()[handle_] = this;
    if (parent_) parent_->children_.push_back(this);
}

Window::Window(os::HWND existing) : handle_(existing), ownsHandle_(false) {}

Window::~Window() {
    for (Window* child : children_) child->parent_ = nullptr;
    if (parent_) parent_->childRemoved(*this);
    if (handle_ && ownsHandle_) {
        const os::HWND h = handle_;
        registry().erase(h);
        handle_ = nullptr;
        peer::destroyWindow(h);
    }
}

void Window::childRemoved(Window& child) {
    children_.erase(std::remove(children_.begin(), children_.end(), &child), children_.end());
}

FrameWindow* Window::frame() {
    for (Window* w = this; w; w = w->parent_)
        if (auto* f = dynamic_cast<FrameWindow*>(w)) return f;
    return nullptr;
}

Window& Window::setText(const std::string& text) {
    text_ = text;
    if (handle_) peer::setText(handle_, text);
    return *this;
}

Window& Window::enable(bool enable) {
    enabled_ = enable;
    if (handle_) peer::setEnabled(handle_, enable);
    return *this;
}

Window& Window::show(bool show) {
    if (show) layout();
    visible_ = show;
    if (handle_) peer::setVisible(handle_, show);
    return *this;
}

// A child window is moved only when its place changes: nothing but the
// library moves it, and every move costs the window system a round of
// messages. A frame, which the user may have moved, is always moved.
Window& Window::moveSizeTo(const Rect& rect) {
    const bool child = parent_ && parent_->ownsHandle_;
    const bool moved = !child || !(rect_ == rect);
    rect_ = rect;
    if (handle_ && moved) peer::setRect(handle_, rect);
    return *this;
}

Window& Window::setMinimumSize(const Size& size) {
    minimumSize_ = size;
    minimumSizeSet_ = true;
    return *this;
}

Size Window::minimumSize() const { return minimumSizeSet_ ? minimumSize_ : preferredSize(); }

Size Window::textExtent(const std::string& text) const {
    if (!handle_) return Size();
    if (!measuredValid_ || measuredText_ != text) {
        measured_ = peer::textSize(handle_, text);
        measuredText_ = text;
        measuredValid_ = true;
    }
    return measured_;
}

Window& Window::setBackgroundColour(const Colour& colour) {
    background_ = colour;
    backgroundSet_ = true;
    if (handle_) peer::setBackground(handle_, colour);
    return *this;
}

Window& Window::setAutoDeleteObject(bool autoDelete) {
    autoDelete_ = autoDelete;
    return *this;
}

Window* Window::fromHandle(os::HWND handle) {
    if (!handle) return nullptr;
    auto it = registry().find(handle);
    return it == registry().end() ? nullptr : it->second;
}

void Window::changeId(unsigned long id) {
    id_ = id;
    if (handle_) peer::setId(handle_, id);
}

void Window::markDestroyed() {
    if (!handle_) return;
    registry().erase(handle_);
    handle_ = nullptr;
}

void Window::handleDestroyed() {
    markDestroyed();
    if (autoDelete_) delete this;
}

namespace {
void dump(const Window& w, int depth, std::string& out) {
    const Rect& r = w.rect();
    out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + std::to_string(w.id()) + " (" +
           std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" +
           std::to_string(r.right) + "," + std::to_string(r.bottom) + ") \"" + w.text() + "\"\n";
    for (const Window* child : w.children()) dump(*child, depth + 1, out);
}
}  // namespace

std::string dumpTree(const Window& root) {
    std::string out;
    dump(root, 0, out);
    return out;
}

bool FrameWindow::anyOpen() {
    for (const auto& entry : registry()) {
        auto* f = dynamic_cast<FrameWindow*>(entry.second);
        if (f && f->isTopLevelFrame()) return true;
    }
    return false;
}

}  // namespace gui
