// Event-to-attribute connections: an observer of a source and a target that
// transfers between them, and the list that owns connections.
#pragma once

#include <string>
#include <vector>

#include "gui/Exception.h"
#include "gui/Notification.h"

namespace gui {

class EventToAttributeConnection : public Observer {
public:
    enum class State {
        notActivated,
        idle,
        transferringFromSource,  // source to target
        transferringFromTarget,  // target to source
        deactivated,
    };
    // Answers of transferDirection.
    static constexpr int fromSourceToTarget = 1;
    static constexpr int fromTargetToSource = 2;

    EventToAttributeConnection() = default;
    ~EventToAttributeConnection() override = default;

    std::string className() const override;
    std::string info() const override;
    // When idle: asks transferDirection and transfers accordingly.
    Observer& dispatchNotificationEvent(const NotificationEvent& event) override;

    // Only from notActivated: becomes idle and transfers from source to target.
    virtual EventToAttributeConnection& activate();
    virtual EventToAttributeConnection& deactivate();
    // 1 transfers from source to target, 2 from target to source, else nothing.
    virtual int transferDirection(const NotificationEvent& event);
    // Handles an exception of the connection's own action.
    virtual EventToAttributeConnection& handleException(const Exception& exception);
    // Guarded transfers: only when idle; an exception does not reach the caller.
    virtual EventToAttributeConnection& transferFromTarget();
    virtual void setSourceFromTarget() {}
    virtual EventToAttributeConnection& transferFromSource();
    virtual void setTargetFromSource() {}
    virtual EventToAttributeConnection& handleSourceException(const Exception& exception);
    virtual EventToAttributeConnection& handleTargetException(const Exception& exception);

    State state() const { return state_; }
    // The text of the exception last handled ("" when none).
    const std::string& lastError() const { return lastError_; }

private:
    EventToAttributeConnection& guardedTransfer(
        State during, void (EventToAttributeConnection::*transfer)(),
        EventToAttributeConnection& (EventToAttributeConnection::*onError)(const Exception&));

    State state_ = State::notActivated;
    std::string lastError_;
};

// Owns its connections: deleting the list deactivates and deletes each.
class ConnectionList {
public:
    ConnectionList() = default;
    ~ConnectionList();
    ConnectionList(const ConnectionList&) = delete;
    ConnectionList& operator=(const ConnectionList&) = delete;

    ConnectionList& add(EventToAttributeConnection* connection);  // takes it over
    ConnectionList& activate();  // every connection held
    std::size_t count() const { return connections_.size(); }
    EventToAttributeConnection* at(std::size_t i) const { return connections_.at(i); }

private:
    std::vector<EventToAttributeConnection*> connections_;
};

}  // namespace gui
