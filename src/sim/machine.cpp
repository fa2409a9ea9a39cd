#include "sim/machine.h"

#include <cstdio>

namespace sim {

Machine& machine() {
    static Machine m;
    return m;
}

void Machine::reset() {
    *this = Machine();
    files.addFolder(files.workingFolder);
}

void unmodeled(const char* call, const char* what, unsigned long value) {
    char text[256];
    std::snprintf(text, sizeof text, "%s: %s 0x%lX", call, what, value);
    std::fprintf(stderr, "simulated machine: not modelled: %s\n", text);
    machine().unmodeled.push_back(text);
}

}  // namespace sim
