// Fly-over help: the object built for a frame, and the handler it owns that
// watches the pointer over the frame's windows. Per native window handle the
// handler keeps a fly-over text and a long help text (a later registration
// replaces the earlier). Once the pointer has rested 100 ms on a window, the
// handler shows that window's fly-over text and passes its long help text to
// the area set for long help texts (the empty text for a window without one).
#pragma once

#include <map>
#include <string>

#include "gui/Notification.h"
#include "platform/os.h"

namespace gui {

class FrameWindow;
class InfoArea;

class FlyOverHelpHandler {
public:
    static constexpr unsigned restMilliseconds = 100;
    static constexpr unsigned timerId = 0x4601;

    explicit FlyOverHelpHandler(FrameWindow& frame) : frame_(&frame) {}

    FlyOverHelpHandler& setHelpText(os::HWND window, const std::string& flyOverText,
                                    const std::string& longText);
    bool hasHelpText(os::HWND window) const { return texts_.count(window) != 0; }
    std::string flyOverText(os::HWND window) const;
    std::string longHelpText(os::HWND window) const;
    std::size_t registrationCount() const { return texts_.size(); }

    // The area in which long help texts are shown (null: none).
    FlyOverHelpHandler& setLongStringArea(InfoArea* area);
    InfoArea* longStringArea() const { return area_; }

    // The fly-over text now shown ("" when none).
    const std::string& shownFlyOverText() const { return shown_; }

    // The pointer is over `window`; a new window starts the 100 ms rest.
    void pointerOver(os::HWND window);
    // The rest has elapsed.
    void restElapsed();

private:
    friend class FlyOverHelp;
    struct Texts {
        std::string flyOver;
        std::string longHelp;
    };
    FrameWindow* frame_;
    std::map<os::HWND, Texts> texts_;
    InfoArea* area_ = nullptr;
    os::HWND pointed_ = nullptr;
    std::string shown_;
};

class FlyOverHelp : public Notifier {
public:
    // Built for the frame, which is its owner; it creates its handler.
    explicit FlyOverHelp(FrameWindow& owner);
    ~FlyOverHelp() override;  // deletes the handler

    FlyOverHelpHandler& defaultHandler() { return *handler_; }
    // Gives the handler the area for long help texts.
    FlyOverHelp& setLongStringArea(InfoArea* area);

private:
    friend class FrameWindow;
    void detachOwner();
    FrameWindow* owner_;
    FlyOverHelpHandler* handler_;
};

}  // namespace gui
