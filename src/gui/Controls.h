// The controls: static text, push button, radio button and list box.
#pragma once

#include <string>
#include <vector>

#include "gui/Window.h"

namespace gui {

class StaticText : public Window {
public:
    using Alignment = peer::Alignment;
    static constexpr Alignment topLeft = Alignment::topLeft;  // the default
    static constexpr Alignment topLeftWrapping = Alignment::topLeftWrapping;
    static constexpr Alignment centerLeft = Alignment::centerLeft;

    StaticText(unsigned long id, Window* parent, Window* owner, const Rect& rect = Rect(),
               Style style = defaultStyle());
    static Style defaultStyle() { return visible; }

    StaticText& setAlignment(Alignment alignment);
    Alignment alignment() const { return alignment_; }
    // One line of the text in the window's font.
    Size preferredSize() const override;

private:
    Alignment alignment_ = Alignment::topLeft;
};

class PushButton : public Window {
public:
    // Sent with the button as notifier when it is clicked.
    static const NotificationId buttonClickId;

    PushButton(unsigned long id, Window* parent, Window* owner, const Rect& rect = Rect(),
               Style style = defaultStyle());
    static Style defaultStyle() { return visible | tabStop; }

    // At least 75 by 23 pixels, wider for a long text.
    Size preferredSize() const override;
    void handleCommand(peer::Command command) override;
};

// Radio buttons that share a parent form one group: selecting one clears the
// others. A disabled button can be selected, and tells its state. A click by
// the user selects the button and sends PushButton::buttonClickId.
class RadioButton : public Window {
public:
    RadioButton(unsigned long id, Window* parent, Window* owner, const Rect& rect = Rect(),
                Style style = defaultStyle());
    static Style defaultStyle() { return visible | tabStop; }

    RadioButton& select();
    bool isSelected() const { return selected_; }
    // The selected button of the group of `parent`'s children, or null.
    static RadioButton* selectedIn(const Window& parent);

    Size preferredSize() const override;
    void handleCommand(peer::Command command) override;

private:
    void setSelectedState(bool selected);
    bool selected_ = false;
};

class ListBox : public Window {
public:
    // Sent when the selection changes, by the user or by select(), before
    // select() returns.
    static const NotificationId selectId;

    static constexpr Style horizontalScroll = peer::style::horizontalScroll;
    static constexpr Style verticalScroll = peer::style::verticalScroll;
    static constexpr Style multipleSelect = peer::style::multipleSelect;
    static constexpr Style border = peer::style::border;
    static Style defaultStyle() {
        return visible | tabStop | border | verticalScroll | horizontalScroll | multipleSelect;
    }

    ListBox(unsigned long id, Window* parent, Window* owner, const Rect& rect = Rect(),
            Style style = defaultStyle());

    // Appends an item at the end; answers its index.
    int addAsLast(const std::string& item);
    int count() const { return static_cast<int>(items_.size()); }
    std::string itemText(int index) const;  // "" outside the items

    // Selects the item (single selection: the others are cleared) and
    // notifies the selection synchronously, changed or not; -1 clears the
    // selection. Throws gui::Exception for another index outside the items.
    ListBox& select(int index);
    // The selected item's index from 0, or -1 when none is selected.
    int selection() const { return selection_; }

    Size preferredSize() const override;
    void handleCommand(peer::Command command) override;

private:
    void notifySelection();
    std::vector<std::string> items_;
    int selection_ = -1;
};

}  // namespace gui
