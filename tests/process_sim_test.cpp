// The simulated machine's process starts and association lookup keep the
// Windows contracts that the launch code relies on.
#include <cstring>

#include "support.h"

namespace {

using ProcessSim = test::Fixture;

TEST_F(ProcessSim, CreateProcessFindsTheModuleAsWindowsDoes) {
    struct Row {
        std::string line;
        std::string folder;   // working folder
        std::string program;  // "" when the start fails
        os::DWORD error;
    };
    const Row rows[] = {
        {"C:\\Program Files\\App\\app.exe x", "C:\\", "C:\\Program.exe", 0},  // first blank first
        {"\"C:\\Program Files\\App\\app.exe\" x", "C:\\", "C:\\Program Files\\App\\app.exe", 0},
        {"C:\\Program Files\\App\\app x", "C:\\", "C:\\Program.exe", 0},
        {"\"C:\\Program Files\\App\\app\" x", "C:\\", "C:\\Program Files\\App\\app.exe", 0},
        {"C:\\Tools\\run.exe", "C:\\", "C:\\Tools\\run.exe", 0},
        {"C:\\Tools\\none.exe a b", "C:\\", "", 2},
        {"C:\\Nowhere\\none.exe", "C:\\", "", 3},
        {"C:\\Tools\\run.exe", "C:\\Tools\\run.exe", "", 267},  // a file is no working folder
        {"C:\\Tools\\run.exe", "C:\\Gone", "", 267},
        {"\"C:\\Program Files\\App\\app.exe", "C:\\", "C:\\Program Files\\App\\app.exe", 0},
    };
    for (const Row& row : rows) {
        const std::string name = row.line + " in " + row.folder;
        nextRow(name);
        SCOPED_TRACE(name);
        m().files.addFile("C:\\Program.exe");
        m().files.addFile("C:\\Program Files\\App\\app.exe");
        m().files.addFile("C:\\Tools\\run.exe");
        std::vector<char> line(row.line.begin(), row.line.end());
        line.push_back('\0');
        os::STARTUPINFOA si = {};
        si.cb = sizeof si;
        os::PROCESS_INFORMATION pi = {};
        m().lastError = 1234;
        const os::BOOL ok = os::CreateProcessA(nullptr, line.data(), nullptr, nullptr, 1, 0, nullptr,
                                               row.folder.c_str(), &si, &pi);
        EXPECT_EQ(std::string(line.data()), row.line) << "command line changed";
        if (row.program.empty()) {
            EXPECT_EQ(ok, 0);
            EXPECT_EQ(m().lastError, row.error);
            EXPECT_TRUE(m().processes.starts.empty());
            EXPECT_EQ(m().processes.failedStarts.size(), 1u);
            EXPECT_EQ(pi.hProcess, nullptr);
            continue;
        }
        ASSERT_NE(ok, 0);
        ASSERT_EQ(m().processes.starts.size(), 1u);
        EXPECT_EQ(m().processes.starts[0].program, row.program);
        EXPECT_EQ(m().processes.handles.size(), 2u);
        EXPECT_NE(pi.hProcess, pi.hThread);
        EXPECT_EQ(os::CloseHandle(pi.hProcess), 1);
        EXPECT_EQ(os::CloseHandle(pi.hThread), 1);
        EXPECT_EQ(os::CloseHandle(pi.hThread), 0);  // closed already
        EXPECT_TRUE(m().processes.handles.empty());
    }
}

TEST_F(ProcessSim, ScriptedFailuresComeFirstAndInOrder) {
    m().files.addFile("C:\\Tools\\run.exe");
    m().processes.failures = {0, 5};
    char line[] = "C:\\Tools\\run.exe";
    os::STARTUPINFOA si = {};
    os::PROCESS_INFORMATION pi = {};
    m().lastError = 99;
    EXPECT_EQ(os::CreateProcessA(nullptr, line, nullptr, nullptr, 1, 0, nullptr, "C:\\", &si, &pi), 0);
    EXPECT_EQ(os::GetLastError(), 0u);
    EXPECT_EQ(os::CreateProcessA(nullptr, line, nullptr, nullptr, 1, 0, nullptr, "C:\\", &si, &pi), 0);
    EXPECT_EQ(os::GetLastError(), 5u);
    EXPECT_NE(os::CreateProcessA(nullptr, line, nullptr, nullptr, 1, 0, nullptr, "C:\\", &si, &pi), 0);
    EXPECT_EQ(m().processes.failedStarts.size(), 2u);
    os::CloseHandle(pi.hProcess);
    os::CloseHandle(pi.hThread);
}

TEST_F(ProcessSim, FindExecutableResults) {
    m().files.addFile("E:\\vmframe.htm");
    m().files.addFile("E:\\notes.txt");
    m().files.addFile("E:\\README");
    m().files.addFile("E:\\forced.htm");
    m().processes.associate(".HTM", "C:\\Web\\browser.exe");
    m().processes.findAnswers[m().files.key("E:\\forced.htm")] = {8, ""};
    struct Row {
        std::string file;
        os::INT_PTR result;
        std::string program;
    };
    const Row rows[] = {
        {"E:\\vmframe.htm", 42, "C:\\Web\\browser.exe"},
        {"e:\\VMFRAME.HTM", 42, "C:\\Web\\browser.exe"},
        {"E:\\notes.txt", 31, ""},
        {"E:\\README", 31, ""},
        {"E:\\missing.htm", 2, ""},
        {"E:\\no folder\\x.htm", 3, ""},
        {"E:\\forced.htm", 8, ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.file);
        char buffer[1024];
        std::memset(buffer, 0xbd, sizeof buffer);
        const os::INT_PTR rc = os::FindExecutableA(row.file.c_str(), "", buffer);
        EXPECT_EQ(rc > 32, row.result > 32);
        if (row.result <= 32) {
            EXPECT_EQ(rc, row.result);
        }
        EXPECT_EQ(std::string(buffer), row.program);
    }
}

}  // namespace

namespace {

using ProcessSimDeathTest = test::Fixture;

// Windows writes into the command line while it parses it: a text in
// read-only memory makes the start crash, as it does there.
TEST_F(ProcessSimDeathTest, CommandLineMustBeWritable) {
    m().files.addFile("C:\\Tools\\run.exe");
    os::STARTUPINFOA si = {};
    os::PROCESS_INFORMATION pi = {};
    static const char readOnly[] = "C:\\Tools\\run.exe x";
    EXPECT_DEATH(os::CreateProcessA(nullptr, const_cast<char*>(readOnly), nullptr, nullptr, 1, 0,
                                    nullptr, "C:\\", &si, &pi),
                 "");
}

}  // namespace
