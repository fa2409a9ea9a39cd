#include "gui/Connection.h"

namespace gui {

std::string EventToAttributeConnection::className() const {
    return "gui::EventToAttributeConnection";
}

std::string EventToAttributeConnection::info() const {
    return "info: Event-to-attribute connection";
}

Observer& EventToAttributeConnection::dispatchNotificationEvent(const NotificationEvent& event) {
    if (state_ != State::idle) return *this;
    switch (transferDirection(event)) {
    case fromSourceToTarget: transferFromSource(); break;
    case fromTargetToSource: transferFromTarget(); break;
    default: break;
    }
    return *this;
}

EventToAttributeConnection& EventToAttributeConnection::activate() {
    if (state_ != State::notActivated) return *this;
    state_ = State::idle;
    try {
        transferFromSource();
    } catch (const Exception& error) {
        handleException(error);
    }
    return *this;
}

EventToAttributeConnection& EventToAttributeConnection::deactivate() {
    state_ = State::deactivated;
    return *this;
}

int EventToAttributeConnection::transferDirection(const NotificationEvent&) { return 0; }

EventToAttributeConnection& EventToAttributeConnection::handleException(const Exception& error) {
    lastError_ = error.text();
    return *this;
}

EventToAttributeConnection& EventToAttributeConnection::transferFromTarget() {
    return guardedTransfer(State::transferringFromTarget,
                           &EventToAttributeConnection::setSourceFromTarget,
                           &EventToAttributeConnection::handleSourceException);
}

EventToAttributeConnection& EventToAttributeConnection::transferFromSource() {
    return guardedTransfer(State::transferringFromSource,
                           &EventToAttributeConnection::setTargetFromSource,
                           &EventToAttributeConnection::handleTargetException);
}

// Only when idle; the state shows the transfer while it runs, and an
// exception of the transfer goes to its handler, not to the caller.
EventToAttributeConnection& EventToAttributeConnection::guardedTransfer(
    State during, void (EventToAttributeConnection::*transfer)(),
    EventToAttributeConnection& (EventToAttributeConnection::*onError)(const Exception&)) {
    if (state_ != State::idle) return *this;
    state_ = during;
    try {
        (this->*transfer)();
    } catch (const Exception& error) {
        (this->*onError)(error);
    }
    if (state_ == during) state_ = State::idle;
    return *this;
}

EventToAttributeConnection& EventToAttributeConnection::handleSourceException(
    const Exception& error) {
    return handleException(error);
}

EventToAttributeConnection& EventToAttributeConnection::handleTargetException(
    const Exception& error) {
    return handleException(error);
}

ConnectionList::~ConnectionList() {
    for (EventToAttributeConnection* c : connections_) {
        c->deactivate();
        delete c;
    }
}

ConnectionList& ConnectionList::add(EventToAttributeConnection* connection) {
    if (connection) connections_.push_back(connection);
    return *this;
}

ConnectionList& ConnectionList::activate() {
    for (EventToAttributeConnection* c : connections_) c->activate();
    return *this;
}

}  // namespace gui
