// Notifiers, observers and notification events. Ids are static objects that
// receivers compare by identity, never by their text.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/os.h"

namespace gui {

class Notifier;
class Observer;

// A notification id: one static object per kind of notification.
class NotificationId {
public:
    explicit constexpr NotificationId(const char* text) : text_(text) {}
    NotificationId(const NotificationId&) = delete;
    NotificationId& operator=(const NotificationId&) = delete;
    const char* text() const { return text_; }

private:
    const char* text_;
};

// A window message as the library received it; the event value of the
// frame's system-command notification points to one.
struct WindowMessage {
    static constexpr os::UINT systemCommand = 0x0112;  // WM_SYSCOMMAND
    os::UINT message = 0;
    os::WPARAM wParam = 0;
    os::LPARAM lParam = 0;

    // For WM_SYSCOMMAND the first parameter without its four low bits (the
    // system uses them); for other messages the low word of the first one.
    unsigned long commandId() const {
        return message == systemCommand ? static_cast<unsigned long>(wParam & 0xFFF0)
                                        : static_cast<unsigned long>(wParam & 0xFFFF);
    }
};

class NotificationEvent {
public:
    NotificationEvent(const NotificationId& id, Notifier& notifier, bool attributeChanged = true,
                      std::uintptr_t eventValue = 0, std::uintptr_t observerValue = 0)
        : id_(&id), notifier_(&notifier), attributeChanged_(attributeChanged),
          eventValue_(eventValue), observerValue_(observerValue) {}

    const NotificationId& notificationId() const { return *id_; }
    // Whether this event carries `id` itself (identity, not text).
    bool is(const NotificationId& id) const { return id_ == &id; }
    Notifier& notifier() const { return *notifier_; }
    bool hasAttributeChanged() const { return attributeChanged_; }
    std::uintptr_t eventValue() const { return eventValue_; }
    std::uintptr_t observerValue() const { return observerValue_; }
    NotificationEvent& setObserverValue(std::uintptr_t value) {
        observerValue_ = value;
        return *this;
    }

    // The window message that the event value points to; only for events
    // whose value is a message (the frame's system-command notification).
    const WindowMessage& windowMessage() const {
        return *reinterpret_cast<const WindowMessage*>(eventValue_);
    }

private:
    const NotificationId* id_;
    Notifier* notifier_;
    bool attributeChanged_;
    std::uintptr_t eventValue_;
    std::uintptr_t observerValue_;
};

// Sends events to its observers once its notification has been switched on.
class Notifier {
public:
    Notifier();
    virtual ~Notifier();
    Notifier(const Notifier&) = delete;
    Notifier& operator=(const Notifier&) = delete;

    Notifier& enableNotification(bool enable = true);

    Notifier& addObserver(Observer& observer, std::uintptr_t observerValue = 0);
    Notifier& removeObserver(Observer& observer);
    bool hasObserver(const Observer& observer) const;

    // Delivers the event to the dispatch of every observer registered now,
    // each with its own observer value; nothing when notification is off.
    // An observer removed during the delivery is not called after that, and a
    // notifier deleted by an observer stops the delivery.
    Notifier& notifyObservers(const NotificationEvent& event);

private:
    friend class Observer;
    struct Registration {
        Observer* observer;
        std::uintptr_t value;
    };
    bool enabled_ = false;
    std::vector<Registration> observers_;
    std::shared_ptr<bool> alive_;
};

// Receives notification events through its dispatch operation.
class Observer {
public:
    Observer() = default;
    virtual ~Observer();  // stops observing every notifier
    Observer(const Observer&) = delete;
    Observer& operator=(const Observer&) = delete;

    virtual std::string className() const;
    virtual std::string info() const;
    virtual Observer& observe(Notifier& notifier, std::uintptr_t observerValue = 0);
    virtual Observer& stopObserving(Notifier& notifier);
    // Called for every event of every notifier observed; does nothing here.
    virtual Observer& dispatchNotificationEvent(const NotificationEvent& event);

private:
    friend class Notifier;
    std::vector<Notifier*> observed_;
};

}  // namespace gui
