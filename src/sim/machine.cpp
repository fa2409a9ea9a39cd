#include "sim/machine.h"

namespace sim {

Machine& machine() {
    static Machine m;
    return m;
}

void Machine::reset() {
    *this = Machine();
    files.addFolder(files.workingFolder);
    localDate.tm_year = 2002 - 1900;
    localDate.tm_mon = 1;
    localDate.tm_mday = 8;
    localDate.tm_yday = 38;
}

}  // namespace sim
