// The C runtime's path split (_splitpath), without its fixed-size buffers:
// every part is kept whole, however long. Double-byte characters of the ANSI
// code page are respected: a trail byte is never taken for a "\" or ".".
#pragma once

#include <string>

namespace os {

struct PathParts {
    std::string drive;      // a letter and a colon, or empty
    std::string directory;  // up to and including the last "\" or "/"
    std::string fileName;   // the rest up to its last "."
    std::string extension;  // from that "." on
};

PathParts splitPath(const std::string& path);

}  // namespace os
