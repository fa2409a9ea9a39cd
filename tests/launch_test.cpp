// Starting programs: the child process, the program associated with the
// frame page and the command line that opens an index.
#include <algorithm>
#include <cstring>

#include "launch_support.h"

namespace {

using test::childArguments;
using test::linesOf;

const std::string browser = "C:\\WEB\\BROWSER.EXE";

class Launch : public test::Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        AUtilities::driveWithSlash = "E:\\";
        m().files.addFile("E:\\vmframe.htm");
        m().files.addFile(browser);
        m().processes.associate(".htm", browser);
        AUtilities::openTraceFile();
    }

    std::vector<std::string> traceOf(std::initializer_list<std::string> names) {
        return linesOf(lines(), names);
    }

    const sim::Processes::Start& onlyStart() {
        EXPECT_EQ(m().processes.starts.size(), 1u);
        static const sim::Processes::Start none;
        return m().processes.starts.empty() ? none : m().processes.starts[0];
    }
};

TEST_F(Launch, IndexOpensInTheAssociatedProgramAtTheDiscRoot) {
    struct Row {
        std::string index;
        std::string commandLine;
    };
    const Row rows[] = {
        {"DiscIndex", browser + " E:\\vmframe.htm#disc"},
        {"KitIndex", browser + " E:\\vmframe.htm"},
        {"discindex", browser + " E:\\vmframe.htm"},  // whole text, with case
        {"DiscIndex ", browser + " E:\\vmframe.htm"},
        {"Nothing", browser + " E:\\vmframe.htm"},
    };
    for (const Row& row : rows) {
        nextRow(row.index);
        SCOPED_TRACE(row.index);
        EXPECT_EQ(AUtilities::openBrowser(row.index), 0);
        const sim::Processes::Start& start = onlyStart();
        EXPECT_EQ(start.commandLine, row.commandLine);
        EXPECT_EQ(start.program, browser);
        EXPECT_EQ(start.applicationName, "");
        EXPECT_EQ(start.currentDirectory, "E:\\");
        EXPECT_TRUE(start.inheritHandles);
        EXPECT_EQ(start.creationFlags, 0u);
        EXPECT_FALSE(start.environmentGiven);
        os::STARTUPINFOA zero = {};
        zero.cb = sizeof zero;
        EXPECT_EQ(start.startupInfo.cb, sizeof(os::STARTUPINFOA));
        EXPECT_EQ(std::memcmp(&start.startupInfo, &zero, sizeof zero), 0);
        EXPECT_TRUE(m().processes.handles.empty()) << "process and thread handles not closed";
        EXPECT_TRUE(m().boxes.empty());
        EXPECT_TRUE(m().processes.sleeps.empty());
    }
}

TEST_F(Launch, TraceOfOneOpening) {
    EXPECT_EQ(AUtilities::openBrowser("DiscIndex"), 0);
    const std::vector<std::string> expected = {
        "AUtilities::openBrowser() Entry.",
        "AUtilities::openBrowser() whichIndex = \"DiscIndex\"",
        "AUtilities::openBrowser() attempt to open \"E:\\vmframe.htm#disc\"",
        "AUtilities::findExecutable() Entry.",
        "AUtilities::findExecutable() filename = \"E:\\vmframe.htm\"",
        "AUtilities::findExecutable() executable = \"C:\\WEB\\BROWSER.EXE\"",
        "AUtilities::findExecutable() Exit.",
        "AUtilities::startProgram() Entry.",
        "AUtilities::startProgram() command    = \"C:\\WEB\\BROWSER.EXE E:\\vmframe.htm#disc\"",
        "AUtilities::startProgram() startDir   = \"E:\\\"",
        "AUtilities::startProgram() CreateProcess boolean rc = 1",
        "AUtilities::startProgram() rc = 0",
        "AUtilities::startProgram() Exit.",
        "AUtilities::openBrowser() startProgram() rc = 0",
        "AUtilities::openBrowser() Exit.",
    };
    EXPECT_EQ(traceOf({"AUtilities::openBrowser()", "AUtilities::findExecutable()",
                       "AUtilities::startProgram()"}),
              expected);
    EXPECT_EQ(m().processes.findCalls, std::vector<std::string>{"E:\\vmframe.htm"});
}

TEST_F(Launch, NetscapePauseOnlyUnderPerform) {
    struct Row {
        const char* what;
        std::string program;  // associated with .htm
        std::string root;
        bool perform;
        bool pause;
    };
    const Row rows[] = {
        {"upper case in the browser", "C:\\NETSCAPE\\NETSCAPE.EXE", "E:\\", true, true},
        {"lower case", "C:\\web\\netscape.exe", "E:\\", true, true},
        {"mixed case", "C:\\NeTsCaPe\\B.EXE", "E:\\", true, true},
        {"in the page's path", browser, "\\\\kit\\Netsc\\", true, true},
        {"without the perform switch", "C:\\NETSCAPE\\NETSCAPE.EXE", "E:\\", false, false},
        {"no NETSC", "C:\\NETS\\C.EXE", "E:\\", true, false},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        AUtilities::driveWithSlash = row.root;
        m().files.addFile(row.root + "vmframe.htm");
        m().files.addFile(row.program);
        m().processes.associate(".htm", row.program);
        AUtilities::setSlashP(row.perform);
        EXPECT_EQ(AUtilities::openBrowser("DiscIndex"), 0);
        const std::string expectedLine = row.program + " " + row.root + "vmframe.htm#disc";
        EXPECT_EQ(onlyStart().commandLine, expectedLine);  // case kept
        EXPECT_EQ(m().processes.sleeps, row.pause ? std::vector<os::DWORD>{1000}
                                                  : std::vector<os::DWORD>{});
        const std::vector<std::string> trace =
            traceOf({"AUtilities::openBrowser()", "AUtilities::startProgram()"});
        const std::vector<std::string> pauseThenStart = {
            "AUtilities::openBrowser() Incur Netscape 1 second penalty",
            "AUtilities::startProgram() Entry."};
        const auto at = std::search(trace.begin(), trace.end(), pauseThenStart.begin(),
                                    pauseThenStart.end());
        EXPECT_EQ(at != trace.end(), row.pause);
    }
}

TEST_F(Launch, MissingFramePageAsksNothing) {
    m().files.remove("E:\\vmframe.htm");
    EXPECT_EQ(AUtilities::openBrowser("KitIndex"), -1);
    EXPECT_TRUE(m().boxes.empty());
    EXPECT_TRUE(m().processes.findCalls.empty());
    EXPECT_TRUE(m().processes.starts.empty());
    const std::vector<std::string> expected = {
        "AUtilities::openBrowser() Entry.",
        "AUtilities::openBrowser() whichIndex = \"KitIndex\"",
        "AUtilities::openBrowser() kit index not found: \"E:\\vmframe.htm\"",
        "AUtilities::openBrowser() Exit.",
    };
    EXPECT_EQ(traceOf({"AUtilities::openBrowser()", "AUtilities::findExecutable()"}), expected);
}

TEST_F(Launch, NoViewerFoundStartsNothing) {
    struct Row {
        const char* what;
        os::INT_PTR forced;  // 0: the machine's own answer
        std::string box;
    };
    const Row rows[] = {
        {"no association", 0, "No viewer is associated with E:\\vmframe.htm"},
        {"access denied", 5, "Windows Error 5 attempting to find a viewer for E:\\vmframe.htm"},
        {"out of memory", 8, "Windows Error 8 attempting to find a viewer for E:\\vmframe.htm"},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        m().processes.associations.clear();
        if (row.forced) m().processes.findAnswers[m().files.key("E:\\vmframe.htm")] = {row.forced, ""};
        EXPECT_EQ(AUtilities::openBrowser("DiscIndex"), 0);
        ASSERT_EQ(m().boxes.size(), 1u);
        EXPECT_EQ(m().boxes[0].text, row.box);
        EXPECT_TRUE(m().processes.starts.empty());
        EXPECT_TRUE(m().processes.failedStarts.empty());
        const std::vector<std::string> trace = lines();
        EXPECT_TRUE(linesOf(trace, {"AUtilities::startProgram()"}).empty());
        for (const std::string& line : trace) EXPECT_EQ(line.find("startProgram() rc"), std::string::npos);
        EXPECT_EQ(linesOf(trace, {"AUtilities::findExecutable()"})[2],
                  "AUtilities::findExecutable() executable = \"\"");
    }
}

TEST_F(Launch, FailedStartTellsTheUserOnce) {
    struct Row {
        const char* what;
        std::string program;         // associated with .htm
        std::vector<os::DWORD> fail;  // scripted failures
        int rc;
        std::string lastErrorLine;
        std::string box;
    };
    const std::string missing = "C:\\GONE\\B.EXE";
    const Row rows[] = {
        {"error 2", browser, {2}, 2, "GetLastError() = 2",
         "Error 2 starting program - " + browser + " E:\\vmframe.htm"},
        {"no error given", browser, {0}, 2, "GetLastError() = 0",
         "Could not start program - " + browser + " E:\\vmframe.htm"},
        {"error 5", browser, {5}, 5, "GetLastError() = 5",
         "Error 5 starting program - " + browser + " E:\\vmframe.htm"},
        {"browser removed", missing, {}, 3, "GetLastError() = 3",
         "Error 3 starting program - " + missing + " E:\\vmframe.htm"},
        // A code unlike any other call's around it (0, 1, -1, the lookup's 42).
        {"not a Windows program", browser, {193}, 193, "GetLastError() = 193",
         "Error 193 starting program - " + browser + " E:\\vmframe.htm"},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        m().processes.associate(".htm", row.program);
        m().processes.failures.assign(row.fail.begin(), row.fail.end());
        EXPECT_EQ(AUtilities::openBrowser("KitIndex"), row.rc);
        ASSERT_EQ(m().boxes.size(), 1u);
        EXPECT_EQ(m().boxes[0].text, row.box);
        EXPECT_EQ(m().boxes[0].title, "Autorun Message");
        EXPECT_TRUE(m().processes.starts.empty());
        EXPECT_TRUE(m().processes.handles.empty());
        const std::vector<std::string> trace = lines();
        const std::string rc = std::to_string(row.rc);
        const std::vector<std::string> expected = {
            "AUtilities::startProgram() CreateProcess boolean rc = 0",
            "AUtilities::startProgram() " + row.lastErrorLine,
            "AUtilities::startProgram() rc = " + rc,
            "AUtilities::startProgram() Exit.",
            "AUtilities::openBrowser() startProgram() rc = " + rc,
            "AUtilities::openBrowser() Exit.",
        };
        const std::vector<std::string> tail =
            traceOf({"AUtilities::openBrowser()", "AUtilities::startProgram()"});
        ASSERT_GE(tail.size(), expected.size());
        EXPECT_EQ(std::vector<std::string>(tail.end() - 6, tail.end()), expected);
    }
}

TEST_F(Launch, PercentInTheCommandLineIsShownAsItIs) {
    const std::string line = "C:\\100%s\\x%d.exe %n%%";
    for (os::DWORD error : {0u, 2u}) {
        const std::string name = "error " + std::to_string(error);
        nextRow(name);
        SCOPED_TRACE(name);
        m().processes.failures = {error};
        EXPECT_EQ(AUtilities::startProgram(line, "C:\\"), 2);
        ASSERT_EQ(m().boxes.size(), 1u);
        EXPECT_EQ(m().boxes[0].text, error ? "Error 2 starting program - " + line
                                           : "Could not start program - " + line);
        EXPECT_EQ(m().processes.failedStarts.at(0).commandLine, line);
    }
}

TEST_F(Launch, WorkingFolderThatIsNoFolderFailsTheStart) {
    EXPECT_EQ(AUtilities::startProgram(browser, "C:\\NOWHERE"), 267);
    EXPECT_EQ(m().boxes.at(0).text, "Error 267 starting program - " + browser);
}

// A part that holds a blank is quoted, so that the program started is the
// browser and the page reaches it as one argument. C:\Program.exe is there
// to be started in the browser's place by an unquoted line.
TEST_F(Launch, PartsWithBlanksAreQuoted) {
    const std::string spaced = "C:\\Program Files\\Web Browser\\browser.exe";
    struct Row {
        const char* what;
        std::string root;
        std::string program;
        bool shortNames;  // false: the volume has no 8.3 names
        std::string commandLine;
    };
    const Row rows[] = {
        {"program with a blank", "E:\\", spaced, false,
         "\"" + spaced + "\" E:\\vmframe.htm#disc"},
        {"program shortened", "E:\\", spaced, true,
         "C:\\PROGRA~1\\WEBBRO~1\\browser.exe E:\\vmframe.htm#disc"},
        {"disc root with a blank", "\\\\server\\my kit\\", browser, false,
         browser + " \"\\\\server\\my kit\\vmframe.htm#disc\""},
        {"both", "\\\\server\\my kit\\", spaced, false,
         "\"" + spaced + "\" \"\\\\server\\my kit\\vmframe.htm#disc\""},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        m().files.addFile("C:\\Program.exe");
        m().files.addFile("C:\\Program Files\\Web.exe");
        m().files.addFile(row.program);
        if (row.shortNames) {
            m().files.setShortName("C:\\Program Files", "PROGRA~1");
            m().files.setShortName("C:\\Program Files\\Web Browser", "WEBBRO~1");
        }
        m().processes.associate(".htm", row.program);
        AUtilities::driveWithSlash = row.root;
        m().files.addFile(row.root + "vmframe.htm");
        EXPECT_EQ(AUtilities::openBrowser("DiscIndex"), 0);
        const sim::Processes::Start& start = onlyStart();
        EXPECT_EQ(start.commandLine, row.commandLine);
        EXPECT_EQ(m().files.key(start.program), m().files.key(row.program));
        const std::vector<std::string> args = childArguments(start.commandLine);
        ASSERT_EQ(args.size(), 2u);
        EXPECT_EQ(args[1], row.root + "vmframe.htm#disc");
        EXPECT_EQ(start.currentDirectory, row.root);
    }
}

TEST_F(Launch, FindExecutableAnswersTheShortPath) {
    m().files.addFile("C:\\Program Files\\Mozilla Firefox\\firefox.exe");
    m().files.setShortName("C:\\Program Files", "PROGRA~1");
    m().files.setShortName("C:\\Program Files\\Mozilla Firefox", "MOZILL~1");
    m().processes.associate(".HTM", "C:\\Program Files\\Mozilla Firefox\\firefox.exe");
    EXPECT_EQ(AUtilities::findExecutable("E:\\vmframe.htm"), "C:\\PROGRA~1\\MOZILL~1\\firefox.exe");
    // A program that is not there has no short form: its path comes back whole.
    m().files.addFile("E:\\other.htm");
    m().processes.findAnswers[m().files.key("E:\\other.htm")] = {33, "C:\\Gone Away\\b.exe"};
    EXPECT_EQ(AUtilities::findExecutable("E:\\other.htm"), "C:\\Gone Away\\b.exe");
    // A missing file cannot be looked up.
    EXPECT_EQ(AUtilities::findExecutable("E:\\none.htm"), "");
    EXPECT_EQ(m().boxes.at(0).text, "Windows Error 2 attempting to find a viewer for E:\\none.htm");
}

}  // namespace
