#include "gui/FlyOverHelp.h"

#include "gui/FrameWindow.h"

namespace gui {

FlyOverHelpHandler& FlyOverHelpHandler::setHelpText(os::HWND window, const std::string& flyOverText,
                                                    const std::string& longText) {
    texts_[window] = {flyOverText, longText};
    return *this;
}

std::string FlyOverHelpHandler::flyOverText(os::HWND window) const {
    auto it = texts_.find(window);
    return it == texts_.end() ? std::string() : it->second.flyOver;
}

std::string FlyOverHelpHandler::longHelpText(os::HWND window) const {
    auto it = texts_.find(window);
    return it == texts_.end() ? std::string() : it->second.longHelp;
}

FlyOverHelpHandler& FlyOverHelpHandler::setLongStringArea(InfoArea* area) {
    area_ = area;
    return *this;
}

void FlyOverHelpHandler::pointerOver(os::HWND window) {
    if (window == pointed_) return;
    pointed_ = window;
    shown_.clear();
    if (frame_ && frame_->isValid())
        peer::startTimer(frame_->handle(), timerId, restMilliseconds);
}

void FlyOverHelpHandler::restElapsed() {
    if (frame_ && frame_->isValid()) peer::stopTimer(frame_->handle(), timerId);
    shown_ = flyOverText(pointed_);
    if (area_) area_->setText(longHelpText(pointed_));
}

FlyOverHelp::FlyOverHelp(FrameWindow& owner)
    : owner_(&owner), handler_(new FlyOverHelpHandler(owner)) {
    owner.attachFlyOverHelp(this);
}

FlyOverHelp::~FlyOverHelp() {
    if (owner_) {
        if (owner_->isValid()) peer::stopTimer(owner_->handle(), FlyOverHelpHandler::timerId);
        if (owner_->flyOverHelp() == this) owner_->attachFlyOverHelp(nullptr);
    }
    delete handler_;
}

FlyOverHelp& FlyOverHelp::setLongStringArea(InfoArea* area) {
    handler_->setLongStringArea(area);
    return *this;
}

void FlyOverHelp::detachOwner() {
    owner_ = nullptr;
    handler_->frame_ = nullptr;
}

}  // namespace gui
