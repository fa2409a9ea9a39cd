#include "gui/Resources.h"

#include "gui/Exception.h"
#include "gui/peer.h"

namespace gui {

Icon ResourceLibrary::loadIcon(unsigned long id) const {
    Icon icon{peer::loadIcon(module_, id)};
    if (!icon.handle) {
        Exception error("The icon could not be loaded.", os::GetLastError(),
                        "gui::ResourceLibrary");
        GUI_THROW(error);
    }
    return icon;
}

}  // namespace gui
