// A message box: built with its owner, given a title, shown with a text, a
// style and a help id. Every box is brought to the foreground.
#pragma once

#include <string>

#include "platform/os.h"

namespace gui {

class MessageDialog {
public:
    // Windows' message-box styles and answers.
    static constexpr unsigned okStyle = 0x0;
    static constexpr unsigned retryCancelStyle = 0x5;
    static constexpr unsigned iconWarning = 0x30;
    static constexpr unsigned applicationModal = 0x0;
    static constexpr unsigned setForeground = 0x10000;
    static constexpr int retryAnswer = 4;

    explicit MessageDialog(os::HWND owner) : owner_(owner) {}
    MessageDialog& setTitle(const std::string& title) {
        title_ = title;
        return *this;
    }
    int show(const std::string& text, unsigned style, unsigned long helpId = 0) const;

private:
    os::HWND owner_;
    std::string title_;
};

}  // namespace gui
