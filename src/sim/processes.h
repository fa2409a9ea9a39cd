// The simulated machine's process starts, file associations and sleeps.
#pragma once

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/os.h"

namespace sim {

class Processes {
public:
    struct Start {
        std::string applicationName;  // empty when NULL was passed
        std::string commandLine;
        std::string currentDirectory;
        bool inheritHandles = false;
        os::DWORD creationFlags = 0;
        bool environmentGiven = false;
        os::DWORD startupInfoSize = 0;
    };

    std::vector<Start> starts;                 // every successful start, in order
    std::vector<Start> failedStarts;
    std::deque<os::DWORD> failures;            // the next starts fail with these errors (0 too)
    std::vector<os::DWORD> sleeps;             // recorded instead of slept
    std::set<os::HANDLE> handles;              // process and thread handles not yet closed
};

}  // namespace sim
