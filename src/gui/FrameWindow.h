// A top-level frame: a client window that fills it, an information area at
// its foot, an icon, a background colour, the input focus, and close by a
// posted WM_CLOSE. With its notification on it reports every system command
// (WM_SYSCOMMAND) to its observers before the system acts on it.
#pragma once

#include <string>

#include "gui/Resources.h"
#include "gui/Window.h"

namespace gui {

class FlyOverHelp;
class InfoArea;

class FrameWindow : public Window {
public:
    // The id that the frame's client window carries.
    static constexpr unsigned long clientId = 0x8008;
    // System command ids (the first parameter of WM_SYSCOMMAND, AND 0xFFF0).
    static constexpr unsigned long closeCommand = 0xF060;

    static constexpr Style titleBar = peer::style::titleBar;
    static constexpr Style systemMenu = peer::style::systemMenu;
    static constexpr Style minimizeButton = peer::style::minimizeButton;
    static constexpr Style maximizeButton = peer::style::maximizeButton;
    static constexpr Style sizingBorder = peer::style::sizingBorder;
    static Style defaultStyle() {
        return titleBar | systemMenu | minimizeButton | maximizeButton | sizingBorder;
    }

    // The frame's system-command notification; its event value points to the
    // WindowMessage (see NotificationEvent::windowMessage).
    static const NotificationId systemCommandId;

    // `resourceId` names the frame in the application's resource library and
    // is the frame's id. A null parent means the desktop.
    FrameWindow(unsigned long resourceId, Window* parent, Window* owner, const Rect& rect,
                Style style = defaultStyle(), const std::string& title = std::string());
    ~FrameWindow() override;

    // The window that fills the frame's client area (above the information
    // area); it takes the id clientId.
    FrameWindow& setClient(Window* client);
    Window* client() const { return client_; }

    // Keyboard focus when the foreground window belongs to this thread, else
    // makes the frame the foreground window.
    FrameWindow& setFocus();
    FrameWindow& setIcon(const Icon& icon);
    os::HANDLE icon() const { return icon_; }

    // Posts a close request (WM_CLOSE) and returns at once; the frame closes
    // when the message loop handles it.
    FrameWindow& close();

    InfoArea* infoArea() const { return infoArea_; }
    FlyOverHelp* flyOverHelp() const { return flyOverHelp_; }

    // Places the client and the information area in the client area.
    void layout() override;

    // Whether one of the frame's notifications is being handled now (a
    // handler may be waiting for a message box).
    bool isDispatching() const { return dispatchDepth_ > 0; }

    // ---- used by the library ---------------------------------------------
    void attachInfoArea(InfoArea* area) { infoArea_ = area; }
    void attachFlyOverHelp(FlyOverHelp* help) { flyOverHelp_ = help; }
    // Runs a user event of this frame's tree; a close request arriving meanwhile
    // is carried out when the outermost one has returned. The frame may be
    // deleted when this returns.
    template <typename F>
    static void dispatch(FrameWindow* frame, F&& handle);
    void handleSystemCommand(const WindowMessage& message);
    void handleClose();
    void handleDestroyed() override;
    bool isTopLevelFrame() const;
    // Whether a top-level frame's native window exists.
    static bool anyOpen();

private:
    void enterDispatch() { ++dispatchDepth_; }
    // Answers whether the frame must now be destroyed.
    bool leaveDispatch() { return --dispatchDepth_ == 0 && closePending_; }
    void destroyNative();

    Window* client_ = nullptr;
    InfoArea* infoArea_ = nullptr;
    FlyOverHelp* flyOverHelp_ = nullptr;
    os::HANDLE icon_ = nullptr;
    int dispatchDepth_ = 0;
    bool closePending_ = false;
};

template <typename F>
void FrameWindow::dispatch(FrameWindow* frame, F&& handle) {
    if (!frame) {
        handle();
        return;
    }
    frame->enterDispatch();
    try {
        handle();
    } catch (...) {
        if (frame->leaveDispatch()) frame->destroyNative();
        throw;
    }
    if (frame->leaveDispatch()) frame->destroyNative();
}

// The frame's information area: a number of lines of text at the frame's
// foot, where long help texts are shown.
class InfoArea : public Window {
public:
    InfoArea(FrameWindow& frame, unsigned long id);
    ~InfoArea() override;

    InfoArea& setLineCount(int lines);
    int lineCount() const { return lines_; }
    Size preferredSize() const override;

private:
    friend class FrameWindow;
    FrameWindow* frame_;
    int lines_ = 1;
};

}  // namespace gui
