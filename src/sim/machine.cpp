#include "sim/machine.h"

namespace sim {

Machine& machine() {
    static Machine m;
    return m;
}

void Machine::reset() {
    *this = Machine();
    files.addFolder(files.workingFolder);
}

}  // namespace sim
