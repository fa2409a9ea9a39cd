#include "gui/MessageDialog.h"

#include "gui/peer.h"

namespace gui {

int MessageDialog::show(const std::string& text, unsigned style, unsigned long helpId) const {
    return peer::messageBox(owner_, text, title_, style | setForeground, helpId);
}

}  // namespace gui
