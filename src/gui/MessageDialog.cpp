#include "gui/MessageDialog.h"

#include "gui/peer.h"

namespace gui {

int MessageDialog::show(const std::string& text, unsigned style, unsigned long helpId) const {
    return peer::messageBox(owner_, text, title_, style | setForeground, helpId);
}

os::HWND Desktop::handle() const { return peer::desktopWindow(); }

int Desktop::width() const {
    int w = 0, h = 0;
    peer::desktopSize(&w, &h);
    return w;
}

int Desktop::height() const {
    int w = 0, h = 0;
    peer::desktopSize(&w, &h);
    return h;
}

Desktop desktop() { return Desktop(); }

}  // namespace gui
