// Test support: a fresh simulated machine and shared state per test and per
// row of a table, and a way to run the whole program against them.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "engine/AAutorun.h"
#include "engine/AUtilities.h"
#include "sim/machine.h"

namespace test {

const char settingsKey[] = "Software\\Zantic\\Vm_Autorun";

// The lines of `trace` written under one of `names` ("AUtilities::openVLR()").
inline std::vector<std::string> linesOf(const std::vector<std::string>& trace,
                                        std::initializer_list<std::string> names) {
    std::vector<std::string> out;
    for (const std::string& line : trace)
        for (const std::string& name : names)
            if (line.compare(0, name.size() + 1, name + " ") == 0) out.push_back(line);
    return out;
}

class Fixture : public ::testing::Test {
protected:
    // The shared state at its initial values and a new machine with its
    // working folder.
    void SetUp() override {
        AUtilities::resetState();
        sim::machine().reset();
    }
    void TearDown() override { expectNothingLeftOpen(); }

    // Starts the next row of a table that runs each row on its own machine:
    // ends the row before as a test ends, with its checks naming that row,
    // and starts this one as a test starts.
    void nextRow(const std::string& name) {
        TearDown();
        row_ = name;
        SetUp();
    }

    sim::Machine& m() { return sim::machine(); }

    // Runs the program with these arguments (argument 0 first); answers its
    // result, or the exit code when it ended through the application's exit.
    int run(std::initializer_list<std::string> args) {
        std::vector<std::string> strings(args);
        std::vector<char*> argv;
        for (std::string& s : strings) argv.push_back(&s[0]);
        argv.push_back(nullptr);
        exited = false;
        try {
            return AAutorun::main(static_cast<int>(strings.size()), argv.data());
        } catch (const sim::ProcessExit& e) {
            exited = true;
            return e.code;
        }
    }

    // The lines of a file of the simulated machine, without their CR LF.
    std::vector<std::string> lines(const std::string& path = "C:\\WORK\\trace.txt") {
        std::vector<std::string> out;
        std::istringstream in(m().files.content(path));
        std::string line;
        while (std::getline(in, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            out.push_back(line);
        }
        return out;
    }

    // The trace lines of one operation, e.g. "AUtilities::findVLR()", without
    // the name and its blank.
    std::vector<std::string> traceOf(const std::string& name) {
        std::vector<std::string> out = linesOf(lines(), {name});
        for (std::string& line : out) line.erase(0, name.size() + 1);
        return out;
    }

    // How often the trace holds this line.
    int traced(const std::string& line) {
        int n = 0;
        for (const std::string& l : lines()) n += l == line ? 1 : 0;
        return n;
    }

    bool exited = false;

private:
    // Every registry key, file, process and thread handle that was opened
    // has been closed, no key was closed twice or closed without being
    // open, and no call passed a value that the simulated machine does not
    // model. Puts the shared state back first, which closes the trace file.
    void expectNothingLeftOpen() {
        AUtilities::resetState();
        const std::string inRow = row_.empty() ? "" : " (row \"" + row_ + "\")";
        const sim::Registry& r = m().registry;
        for (const auto& [handle, open] : r.openHandles)
            ADD_FAILURE() << "registry key left open: " << open.path << inRow;
        if (!r.badCloses.empty())
            ADD_FAILURE() << r.badCloses.size() << " bad RegCloseKey call(s)" << inRow;
        for (const auto& [handle, open] : m().files.openFiles)
            ADD_FAILURE() << "file left open" << (open.otherProgram ? " by another program" : "")
                          << ": " << open.key << inRow;
        for (const sim::Processes::Start& start : m().processes.starts)
            for (os::HANDLE h : {start.process, start.thread})
                if (m().processes.handles.count(h))
                    ADD_FAILURE() << (h == start.process ? "process" : "thread")
                                  << " handle left open: " << start.commandLine << inRow;
        for (const std::string& call : m().unmodeled)
            ADD_FAILURE() << "the simulated machine does not model " << call << inRow;
    }

    std::string row_;  // the row of a table that runs now, if any
};

}  // namespace test
