#include "gui/FrameWindow.h"

#include <algorithm>

#include "gui/Application.h"
#include "gui/FlyOverHelp.h"

namespace gui {

const NotificationId FrameWindow::systemCommandId("gui::FrameWindow::systemCommandId");

FrameWindow::FrameWindow(unsigned long resourceId, Window* parent, Window* owner,
                         const Rect& rect, Style style, const std::string& title)
    : Window(peer::Kind::frame, resourceId, parent ? parent : &desktop(), owner, rect,
             style & ~visible, title) {}

FrameWindow::~FrameWindow() {
    if (infoArea_) infoArea_->frame_ = nullptr;
    if (flyOverHelp_) flyOverHelp_->detachOwner();
}

bool FrameWindow::isTopLevelFrame() const {
    return isValid() && (!parent() || parent() == &desktop()) && !owner();
}

FrameWindow& FrameWindow::setClient(Window* client) {
    client_ = client;
    if (client_) client_->changeId(clientId);
    if (isVisible()) layout();  // a hidden frame is laid out when shown
    return *this;
}

FrameWindow& FrameWindow::setFocus() {
    if (peer::foregroundIsOwnThread())
        peer::setFocus(handle());
    else
        peer::setForeground(handle());
    return *this;
}

FrameWindow& FrameWindow::setIcon(const Icon& icon) {
    icon_ = icon.handle;
    if (isValid()) peer::setIcon(handle(), icon_);
    return *this;
}

FrameWindow& FrameWindow::close() {
    if (isValid()) peer::postClose(handle());
    return *this;
}

void FrameWindow::layout() {
    if (!isValid()) return;
    const Size area = peer::clientSize(handle());
    const int infoHeight =
        infoArea_ ? std::min(area.height, infoArea_->minimumSize().height) : 0;
    if (client_) {
        client_->moveSizeTo(Rect::at(0, 0, area.width, area.height - infoHeight));
        client_->layout();
    }
    if (infoArea_)
        infoArea_->moveSizeTo(Rect::at(0, area.height - infoHeight, area.width, infoHeight));
}

void FrameWindow::handleSystemCommand(const WindowMessage& message) {
    notifyObservers(NotificationEvent(systemCommandId, *this, true,
                                      reinterpret_cast<std::uintptr_t>(&message)));
}

void FrameWindow::handleClose() {
    if (isDispatching())
        closePending_ = true;
    else
        destroyNative();
}

void FrameWindow::destroyNative() {
    closePending_ = false;
    if (isValid()) peer::destroyWindow(handle());  // may delete this object
}

void FrameWindow::handleDestroyed() {
    const bool wasTopLevel = isTopLevelFrame();
    markDestroyed();
    if (wasTopLevel && Application::current().isRunning() && !anyOpen()) peer::postQuit(0);
    if (isAutoDeleteObject()) delete this;
}

InfoArea::InfoArea(FrameWindow& frame, unsigned long id)
    : Window(peer::Kind::infoArea, id, &frame, &frame, Rect(), visible), frame_(&frame) {
    frame.attachInfoArea(this);
}

InfoArea::~InfoArea() {
    if (!frame_) return;
    if (frame_->infoArea() == this) frame_->attachInfoArea(nullptr);
    FlyOverHelp* help = frame_->flyOverHelp();
    if (help && help->defaultHandler().longStringArea() == this)
        help->defaultHandler().setLongStringArea(nullptr);
}

InfoArea& InfoArea::setLineCount(int lines) {
    lines_ = lines < 1 ? 1 : lines;
    if (frame_ && frame_->isVisible()) frame_->layout();
    return *this;
}

Size InfoArea::preferredSize() const {
    const int line = isValid() ? textExtent("X").height : 13;
    return {0, lines_ * line + 8};  // a sunken border and a little room
}

}  // namespace gui
