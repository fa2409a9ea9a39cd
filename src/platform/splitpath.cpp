#include "platform/splitpath.h"

namespace os {

PathParts splitPath(const std::string& path) {
    PathParts parts;
    std::size_t pos = 0;
    if (path.size() >= 2 && path[1] == ':') {
        parts.drive = path.substr(0, 2);
        pos = 2;
    }
    const std::size_t slash = path.find_last_of("\\/");
    if (slash != std::string::npos && slash >= pos) {
        parts.directory = path.substr(pos, slash + 1 - pos);
        pos = slash + 1;
    }
    const std::string rest = path.substr(pos);
    const std::size_t dot = rest.find_last_of('.');
    parts.fileName = rest.substr(0, dot);
    if (dot != std::string::npos) parts.extension = rest.substr(dot);
    return parts;
}

}  // namespace os
