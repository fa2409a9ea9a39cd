// The base of every window of the library: a notifier with a native window
// (made through the peer), an id, a parent and owner, text, enabled and
// visible states, a rectangle in its parent, a minimum size and a background
// colour. The core keeps all of this state; the peer mirrors it natively.
#pragma once

#include <string>
#include <vector>

#include "gui/Geometry.h"
#include "gui/Notification.h"
#include "gui/peer.h"
#include "platform/os.h"

namespace gui {

class FrameWindow;

// Style bits of the library's own; the native peers translate them.
using Style = unsigned long;

class Window : public Notifier {
public:
    static constexpr Style visible = peer::style::visible;
    static constexpr Style tabStop = peer::style::tabStop;

    ~Window() override;  // destroys the native window when it still exists

    unsigned long id() const { return id_; }
    // A frame gives its client window the client id.
    void changeId(unsigned long id);
    os::HWND handle() const { return handle_; }
    bool isValid() const { return handle_ != nullptr; }  // the native window exists
    Window* parent() const { return parent_; }
    Window* owner() const { return owner_; }
    const std::vector<Window*>& children() const { return children_; }  // in creation order
    Style style() const { return style_; }
    // The top-level frame this window belongs to, or null.
    FrameWindow* frame();

    virtual Window& setText(const std::string& text);
    const std::string& text() const { return text_; }

    Window& enable(bool enable = true);
    Window& disable() { return enable(false); }
    bool isEnabled() const { return enabled_; }

    Window& show(bool show = true);
    Window& hide() { return show(false); }
    bool isVisible() const { return visible_; }

    // The place in the parent's client area (for a frame: on the screen).
    Window& moveSizeTo(const Rect& rect);
    const Rect& rect() const { return rect_; }

    // A set minimum size replaces the window's own need; 0 in a direction
    // sets no demand in that direction.
    Window& setMinimumSize(const Size& size);
    // What layouts give the window at least: the set minimum size, else the
    // window's own need (its preferred size).
    Size minimumSize() const;
    // What the window needs for its contents; the library's defaults.
    virtual Size preferredSize() const { return Size(); }

    Window& setBackgroundColour(const Colour& colour);
    bool hasBackgroundColour() const { return backgroundSet_; }
    const Colour& backgroundColour() const { return background_; }

    // Deletes this object when its native window is destroyed.
    Window& setAutoDeleteObject(bool autoDelete = true);
    bool isAutoDeleteObject() const { return autoDelete_; }

    // The size of `text` on one line in the window's font; the latest answer
    // is kept, as layouts ask again and again.
    Size textExtent(const std::string& text) const;

    // Places the children; canvases and frames override it.
    virtual void layout() {}

    // The core object of a native window, or null.
    static Window* fromHandle(os::HWND handle);

    // Native events, delivered by gui/Events (overridden by the kinds that
    // act on them).
    virtual void handleCommand(peer::Command) {}
    virtual void handleDestroyed();

protected:
    // Makes the native window of `kind`; throws gui::Exception when it cannot.
    Window(peer::Kind kind, unsigned long id, Window* parent, Window* owner, const Rect& rect,
           Style style, const std::string& text = std::string());
    // Stands for a native window that the library did not make (the desktop).
    explicit Window(os::HWND existing);

    virtual void childRemoved(Window& child);
    // Forgets the native window, which the system has destroyed.
    void markDestroyed();

private:
    unsigned long id_ = 0;
    os::HWND handle_ = nullptr;
    bool ownsHandle_ = true;
    Window* parent_ = nullptr;
    Window* owner_ = nullptr;
    std::vector<Window*> children_;
    Style style_ = 0;
    std::string text_;
    bool enabled_ = true;
    bool visible_ = false;
    Rect rect_;
    Size minimumSize_;
    bool minimumSizeSet_ = false;
    Colour background_;
    bool backgroundSet_ = false;
    bool autoDelete_ = false;
    mutable std::string measuredText_;
    mutable Size measured_;
    mutable bool measuredValid_ = false;
};

// The desktop as a window: the parent of top-level windows and the owner of
// the program's message boxes.
class Desktop : public Window {
public:
    Desktop();
    int width() const;
    int height() const;
};
Desktop& desktop();

// The window and its descendants with their ids and last rectangles, one
// line each, indented by depth: for debugging a layout.
std::string dumpTree(const Window& root);

}  // namespace gui
