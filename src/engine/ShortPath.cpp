#include "engine/ShortPath.h"

#include "platform/os.h"

namespace {
constexpr os::DWORD shortPathLimit = 1020;
}  // namespace

std::string shortPathOf(const std::string& longPath) {
    char buffer[1024] = {};
    const os::DWORD n = os::GetShortPathNameA(longPath.c_str(), buffer, shortPathLimit);
    if (n == 0 || n >= shortPathLimit) return longPath;
    return buffer;
}
