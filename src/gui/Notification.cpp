#include "gui/Notification.h"

#include <algorithm>

namespace gui {

Notifier::Notifier() : alive_(std::make_shared<bool>(true)) {}

Notifier::~Notifier() {
    *alive_ = false;
    for (const Registration& r : observers_) {
        auto& list = r.observer->observed_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
}

Notifier& Notifier::enableNotification(bool enable) {
    enabled_ = enable;
    return *this;
}

Notifier& Notifier::addObserver(Observer& observer, std::uintptr_t observerValue) {
    if (hasObserver(observer)) return *this;
    observers_.push_back({&observer, observerValue});
    observer.observed_.push_back(this);
    return *this;
}

Notifier& Notifier::removeObserver(Observer& observer) {
    observers_.erase(std::remove_if(observers_.begin(), observers_.end(),
                                    [&](const Registration& r) { return r.observer == &observer; }),
                     observers_.end());
    auto& list = observer.observed_;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    return *this;
}

bool Notifier::hasObserver(const Observer& observer) const {
    return std::any_of(observers_.begin(), observers_.end(),
                       [&](const Registration& r) { return r.observer == &observer; });
}

Notifier& Notifier::notifyObservers(const NotificationEvent& event) {
    if (!enabled_) return *this;
    const std::shared_ptr<bool> alive = alive_;
    const std::vector<Registration> now = observers_;
    for (const Registration& r : now) {
        if (!*alive) break;
        if (!hasObserver(*r.observer)) continue;  // removed during this delivery
        NotificationEvent copy = event;
        copy.setObserverValue(r.value);
        r.observer->dispatchNotificationEvent(copy);
    }
    return *this;
}

Observer::~Observer() {
    while (!observed_.empty()) observed_.back()->removeObserver(*this);
}

std::string Observer::className() const { return "gui::Observer"; }
std::string Observer::info() const { return "info: Observer"; }

Observer& Observer::observe(Notifier& notifier, std::uintptr_t observerValue) {
    notifier.addObserver(*this, observerValue);
    return *this;
}

Observer& Observer::stopObserving(Notifier& notifier) {
    notifier.removeObserver(*this);
    return *this;
}

Observer& Observer::dispatchNotificationEvent(const NotificationEvent&) { return *this; }

}  // namespace gui
