// The simulated machine's process starts, file associations and sleeps.
#pragma once

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "gui/Text.h"
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
        os::STARTUPINFOA startupInfo = {};  // as passed
        std::string program;                // the module that runs, as the search found it
        os::HANDLE process = nullptr;       // the handles handed out
        os::HANDLE thread = nullptr;
    };

    std::vector<Start> starts;                 // every successful start, in order
    std::vector<Start> failedStarts;
    std::deque<os::DWORD> failures;            // the next starts fail with these errors (0 too)
    std::vector<os::DWORD> sleeps;             // recorded instead of slept
    std::set<os::HANDLE> handles;              // process and thread handles not yet closed

    // FindExecutableA: the program that opens files of an extension (".htm",
    // any case), as the association's open command names it: a full path.
    void associate(const std::string& extension, const std::string& program) {
        associations[gui::upper(extension)] = program;
    }
    std::map<std::string, std::string> associations;  // upper-cased extension -> program

    // An answer forced for one file, whatever the associations say: the
    // result code and, above 32, the program copied to the caller's buffer.
    struct FindAnswer {
        os::INT_PTR result;
        std::string program;
    };
    std::map<std::string, FindAnswer> findAnswers;  // by the file's FileSystem key
    std::vector<std::string> findCalls;             // every file asked for, as given

    unsigned long nextHandle = 0x80000;
    os::DWORD nextId = 0x400;
};

}  // namespace sim
