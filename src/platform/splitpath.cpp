#include "platform/splitpath.h"

#include "platform/os.h"

namespace os {

PathParts splitPath(const std::string& path) {
    PathParts parts;
    std::size_t start = 0;
    if (path.size() >= 2 && path[1] == ':' && !IsDBCSLeadByte(static_cast<BYTE>(path[0]))) {
        parts.drive = path.substr(0, 2);
        start = 2;
    }
    // The rest is split after its last separator and at the last dot after it.
    std::size_t nameStart = start;
    std::size_t dot = std::string::npos;
    for (std::size_t i = start; i < path.size(); ++i) {
        const char c = path[i];
        if (IsDBCSLeadByte(static_cast<BYTE>(c)) && i + 1 < path.size()) {
            ++i;  // the trail byte belongs to the character
        } else if (c == '\\' || c == '/') {
            nameStart = i + 1;
            dot = std::string::npos;
        } else if (c == '.') {
            dot = i;
        }
    }
    parts.directory = path.substr(start, nameStart - start);
    parts.fileName =
        path.substr(nameStart, dot == std::string::npos ? std::string::npos : dot - nameStart);
    if (dot != std::string::npos) parts.extension = path.substr(dot);
    return parts;
}

}  // namespace os
