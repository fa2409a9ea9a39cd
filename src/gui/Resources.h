// The application's resource library (the program's own module) and the
// icons loaded from it.
#pragma once

#include "platform/os.h"

namespace gui {

struct Icon {
    os::HANDLE handle = nullptr;
};

class ResourceLibrary {
public:
    explicit ResourceLibrary(os::HANDLE module = nullptr) : module_(module) {}
    // Throws gui::Exception when the module holds no icon of that id.
    Icon loadIcon(unsigned long id) const;

private:
    os::HANDLE module_;
};

}  // namespace gui
