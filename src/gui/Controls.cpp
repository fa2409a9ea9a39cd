#include "gui/Controls.h"

#include <algorithm>

#include "gui/Exception.h"

namespace gui {

// ---- static text ---------------------------------------------------------------

StaticText::StaticText(unsigned long id, Window* parent, Window* owner, const Rect& rect,
                       Style style)
    : Window(peer::Kind::staticText, id, parent, owner, rect, style) {}

StaticText& StaticText::setAlignment(Alignment alignment) {
    alignment_ = alignment;
    if (isValid()) peer::setAlignment(handle(), alignment);
    return *this;
}

Size StaticText::preferredSize() const {
    return isValid() ? peer::textSize(handle(), text()) : Size();
}

// ---- push button ---------------------------------------------------------------

const NotificationId PushButton::buttonClickId("gui::PushButton::buttonClickId");

PushButton::PushButton(unsigned long id, Window* parent, Window* owner, const Rect& rect,
                       Style style)
    : Window(peer::Kind::pushButton, id, parent, owner, rect, style) {}

Size PushButton::preferredSize() const {
    const Size t = isValid() ? peer::textSize(handle(), text()) : Size();
    return {std::max(75, t.width + 16), std::max(23, t.height + 8)};
}

void PushButton::handleCommand(peer::Command command) {
    if (command == peer::Command::clicked)
        notifyObservers(NotificationEvent(buttonClickId, *this));
}

// ---- radio button --------------------------------------------------------------

RadioButton::RadioButton(unsigned long id, Window* parent, Window* owner, const Rect& rect,
                         Style style)
    : Window(peer::Kind::radioButton, id, parent, owner, rect, style) {}

void RadioButton::setSelectedState(bool selected) {
    selected_ = selected;
    if (isValid()) peer::setChecked(handle(), selected);
}

RadioButton& RadioButton::select() {
    if (parent())
        for (Window* sibling : parent()->children()) {
            auto* radio = dynamic_cast<RadioButton*>(sibling);
            if (radio && radio != this && radio->selected_) radio->setSelectedState(false);
        }
    setSelectedState(true);
    return *this;
}

RadioButton* RadioButton::selectedIn(const Window& parent) {
    for (Window* child : parent.children()) {
        auto* radio = dynamic_cast<RadioButton*>(child);
        if (radio && radio->selected_) return radio;
    }
    return nullptr;
}

Size RadioButton::preferredSize() const {
    const Size box = peer::radioBoxSize();
    if (text().empty()) return {box.width + 4, box.height};
    const Size t = isValid() ? peer::textSize(handle(), text()) : Size();
    return {box.width + 4 + t.width, std::max(box.height, t.height)};
}

void RadioButton::handleCommand(peer::Command command) {
    if (command != peer::Command::clicked) return;
    select();
    notifyObservers(NotificationEvent(PushButton::buttonClickId, *this));
}

// ---- list box ------------------------------------------------------------------

const NotificationId ListBox::selectId("gui::ListBox::selectId");

ListBox::ListBox(unsigned long id, Window* parent, Window* owner, const Rect& rect, Style style)
    : Window(peer::Kind::listBox, id, parent, owner, rect, style) {}

int ListBox::addAsLast(const std::string& item) {
    items_.push_back(item);
    if (isValid()) peer::appendItem(handle(), item);
    return count() - 1;
}

std::string ListBox::itemText(int index) const {
    if (index < 0 || index >= count()) return std::string();
    return items_[static_cast<std::size_t>(index)];
}

ListBox& ListBox::select(int index) {
    if (index < -1 || index >= count()) {
        Exception error("The list has no item of that index.", 0, "gui::ListBox");
        GUI_THROW(error);
    }
    selection_ = index;
    if (isValid()) peer::selectItem(handle(), index);
    notifySelection();
    return *this;
}

void ListBox::notifySelection() { notifyObservers(NotificationEvent(selectId, *this)); }

Size ListBox::preferredSize() const {
    int width = 0, height = 0;
    for (const std::string& item : items_) {
        const Size t = isValid() ? peer::textSize(handle(), item) : Size();
        width = std::max(width, t.width);
        height += t.height;
    }
    return {width + 24, std::max(height, 13) + 4};
}

void ListBox::handleCommand(peer::Command command) {
    if (command != peer::Command::selectionChanged) return;
    selection_ = isValid() ? peer::selectedItem(handle()) : -1;
    notifySelection();
}

}  // namespace gui
