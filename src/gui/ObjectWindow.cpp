#include "gui/ObjectWindow.h"

#include "gui/Exception.h"
#include "gui/peer.h"

namespace gui {

ObjectWindow::ObjectWindow() : handle_(peer::createObjectWindow()) {
    if (!handle_) {
        Exception error("Object window could not be created.", os::GetLastError(),
                        "gui::ObjectWindow");
        GUI_THROW(error);
    }
}

ObjectWindow::~ObjectWindow() { peer::destroyWindow(handle_); }

}  // namespace gui
