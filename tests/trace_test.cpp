// The trace file: its lines, its names and when it is written.
#include <chrono>
#include <future>

#include "sim/input.h"
#include "support.h"

namespace {

using test::Fixture;
using Trace = Fixture;

const char traceFile[] = "C:\\WORK\\trace.txt";
const char fallbackFile[] = "C:\\ZanticDovrelAutoruntrace.txt";

// The trace of an earlier run, longer than any trace of the runs here: a
// file written over from its start without being emptied keeps its tail.
std::string earlierRun(const std::string& word) {
    std::string text;
    for (int i = 0; i < 400; ++i)
        text += "AUtilities::x() " + word + " run, line " + std::to_string(i) + "\r\n";
    return text;
}

TEST_F(Trace, FirstLineIsTheEntryOfTheCommandLineAfterTheTraceSwitch) {
    m().files.addFile(traceFile, earlierRun("older"));
    run({"E:\\autorun.exe", "/p", "/t", "/h"});
    const std::vector<std::string> trace = lines();
    ASSERT_GE(trace.size(), 3u);
    EXPECT_EQ(trace[0], "AUtilities::parseArgs() Entry.");
    EXPECT_EQ(trace[1], "AUtilities::parseArgs() parm[3] = \"/h\"");
    for (const std::string& line : trace) EXPECT_EQ(line.find("setSlashP"), std::string::npos);
    EXPECT_EQ(trace.back(), "AAutorun::main() version = 0013");

    const std::string raw = m().files.content("C:\\WORK\\trace.txt");
    EXPECT_EQ(raw.find("older"), std::string::npos);
    std::size_t lineEnds = 0;
    for (std::size_t i = 0; i < raw.size(); ++i)
        if (raw[i] == '\n') {
            ++lineEnds;
            EXPECT_TRUE(i > 0 && raw[i - 1] == '\r') << "LF without CR at byte " << i;
        }
    EXPECT_EQ(lineEnds, trace.size());
    EXPECT_EQ(raw.substr(raw.size() - 2), "\r\n");
}

TEST_F(Trace, LineFormAndTheCutAt1023Characters) {
    AUtilities::openTraceFile();
    ASSERT_TRUE(AUtilities::isTraceActive());
    AUtilities::trace("AUtilities::x()", "%s = %d", "n", -5);
    AUtilities::trace("AUtilities::y()", "%s", std::string(2000, 'x').c_str());
    AUtilities::setSlashP(true);
    AUtilities::setTraceActive(true);
    const std::vector<std::string> trace = lines();
    ASSERT_EQ(trace.size(), 3u);
    EXPECT_EQ(trace[0], "AUtilities::x() n = -5");
    EXPECT_EQ(trace[1], "AUtilities::y() " + std::string(1023, 'x'));
    EXPECT_EQ(trace[2], "AUtilities::setSlashP() set to \"true\"");
}

TEST_F(Trace, EveryLineFeedInATracedTextIsWrittenAsCarriageReturnAndLineFeed) {
    AUtilities::openTraceFile();
    AUtilities::trace("AUtilities::x()", "%s|%s", "a\nb", "c\r\nd\n");
    AUtilities::setKitTitle("Kit\nTitle");
    EXPECT_EQ(m().files.content("C:\\WORK\\trace.txt"),
              "AUtilities::x() a\r\nb|c\r\r\nd\r\n\r\n"
              "AUtilities::setKitTitle() set to \"Kit\r\nTitle\"\r\n");
}

TEST_F(Trace, OffWritesAndFormatsNothing) {
    AUtilities::setSlashP(true);
    // Formatting this argument would read from an invalid address.
    AUtilities::trace("AUtilities::x()", "%s", reinterpret_cast<const char*>(8));
    EXPECT_FALSE(m().files.exists("C:\\WORK\\trace.txt"));
    AUtilities::stopTracing();
    AUtilities::openTraceFile();
    AUtilities::stopTracing();
    AUtilities::stopTracing();
    EXPECT_FALSE(AUtilities::isTraceActive());
    EXPECT_EQ(m().files.content("C:\\WORK\\trace.txt"), "");
}

// The working folder refuses trace.txt: the folder takes no new file, or a
// trace.txt is there that cannot be emptied (read-only, or hidden, which
// CREATE_ALWAYS of an ordinary file refuses), or another program holds it
// open without sharing writing. The trace goes to the second name, emptied
// of an earlier trace there, and trace.txt stays as it was.
TEST_F(Trace, FallsBackWhenTheWorkingFolderRefusesTheFile) {
    struct Row {
        const char* what;
        bool folderRefuses;      // the working folder takes no new file
        bool earlierTrace;       // a trace.txt of an earlier run is there
        os::DWORD attributes;    // of that trace.txt
        bool held;               // a viewer that shares reading only holds it open
    };
    const Row rows[] = {
        {"no new file in the folder", true, false, 0, false},
        {"a read-only trace.txt", false, true, os::FILE_ATTRIBUTE_READONLY, false},
        {"a hidden trace.txt", false, true, os::FILE_ATTRIBUTE_HIDDEN, false},
        {"held by a viewer that denies writing", false, true, 0, true},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        m().files.find("C:\\WORK")->unwritable = row.folderRefuses;
        if (row.earlierTrace) {
            m().files.addFile(traceFile, earlierRun("kept"));
            m().files.find(traceFile)->attributes |= row.attributes;
        }
        const std::string before = m().files.content(traceFile);
        void* viewer = row.held ? m().files.openByOtherProgram(traceFile, os::GENERIC_READ,
                                                               os::FILE_SHARE_READ)
                                : nullptr;
        m().files.addFile(fallbackFile, earlierRun("stale"));
        run({"E:\\autorun.exe", "/t", "/h"});
        EXPECT_EQ(AUtilities::traceFilename(), "c:\\ZanticDovrelAutoruntrace.txt");
        const std::vector<std::string> trace = lines(fallbackFile);
        ASSERT_FALSE(trace.empty());
        EXPECT_EQ(trace[0], "AUtilities::parseArgs() Entry.");
        EXPECT_EQ(m().files.content(fallbackFile).find("stale"), std::string::npos);
        EXPECT_EQ(m().files.exists(traceFile), row.earlierTrace);
        EXPECT_EQ(m().files.content(traceFile), before);
        if (viewer) m().files.close(viewer);
    }
}

// The trace file is an ordinary file that stays after the run has closed
// it, and the next run in the same folder replaces it.
TEST_F(Trace, EachRunReplacesTheOrdinaryFileOfTheRunBefore) {
    run({"C:\\Copy\\autorun.exe", "/t"});  // no disc: a box, and the program ends
    EXPECT_TRUE(m().files.openFiles.empty());
    ASSERT_TRUE(m().files.exists(traceFile));
    EXPECT_EQ(m().files.find(traceFile)->attributes, os::FILE_ATTRIBUTE_ARCHIVE);
    EXPECT_EQ(lines().back(), "AAutorun::main() Initialization failed.");
    run({"E:\\autorun.exe", "/t", "-?"});
    EXPECT_EQ(AUtilities::traceFilename(), "trace.txt");
    EXPECT_EQ(traced("AUtilities::parseArgs() Entry."), 1);
    EXPECT_EQ(traced("AUtilities::parseArgs() parm[2] = \"-?\""), 1);
    EXPECT_EQ(traced("AAutorun::main() Initialization failed."), 0);
    EXPECT_FALSE(m().files.exists(fallbackFile));
}

// The trace file is shared for reading and writing, so that an administrator
// can read it while the program runs. Another program holds it open before
// the run, or opens it while the preferences window is open.
TEST_F(Trace, OtherProgramsCanReadTheTraceWhileTheProgramRuns) {
    struct Row {
        const char* what;
        bool whileOpen;  // else before the run
        os::DWORD access, share, disposition;
        os::DWORD error;  // of the other program's open
    };
    const os::DWORD R = os::GENERIC_READ, W = os::GENERIC_WRITE;
    const os::DWORD shareRW = os::FILE_SHARE_READ | os::FILE_SHARE_WRITE;
    const Row rows[] = {
        {"a viewer has the older trace open", false, R, shareRW, os::OPEN_EXISTING, 0},
        {"an editor keeps the older trace open for writing", false, R | W, shareRW,
         os::OPEN_EXISTING, 0},
        {"an earlier instance still writes its trace", false, W, shareRW, os::CREATE_ALWAYS,
         sim::errorAlreadyExists},
        {"a viewer opens it while the window is open", true, R, shareRW, os::OPEN_EXISTING, 0},
        // Windows lets no reader deny writing to a file that is open for writing.
        {"a viewer that denies writing, while the window is open", true, R, os::FILE_SHARE_READ,
         os::OPEN_EXISTING, os::ERROR_SHARING_VIOLATION},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        m().files.addFile("E:\\vmframe.htm", "<html>");
        m().files.addFile(traceFile, earlierRun("older"));
        void* other = nullptr;
        os::DWORD error = 99;
        std::string seen;  // what the other program read of the trace while the window was open
        const auto openIt = [&] {
            other = m().files.openByOtherProgram(traceFile, row.access, row.share, row.disposition,
                                                 &error);
            if (other) seen = m().files.readByOtherProgram(other);
        };
        if (row.whileOpen)
            sim::input::later(openIt);
        else
            openIt();
        run({"E:\\autorun.exe", "/t"});
        EXPECT_EQ(error, row.error);
        EXPECT_EQ(other != nullptr, row.error != os::ERROR_SHARING_VIOLATION);
        EXPECT_EQ(AUtilities::traceFilename(), "trace.txt");
        const std::vector<std::string> trace = lines();
        ASSERT_FALSE(trace.empty());
        EXPECT_EQ(trace[0], "AUtilities::parseArgs() Entry.");
        EXPECT_EQ(m().files.content(traceFile).find("older"), std::string::npos);
        if (row.whileOpen && other) {
            EXPECT_EQ(seen.substr(0, 32), "AUtilities::parseArgs() Entry.\r\n");
            EXPECT_NE(seen.find("AUtilities::getKitTitle()"), std::string::npos);
        }
        if (other) m().files.close(other);
    }
}

TEST_F(Trace, NeitherFileOpensLeavesTracingOff) {
    m().files.find("C:\\WORK")->unwritable = true;
    m().files.addFolder("C:\\");
    m().files.find("C:\\")->unwritable = true;
    EXPECT_EQ(run({"E:\\autorun.exe", "/t", "/h"}), 0);
    EXPECT_FALSE(AUtilities::isTraceActive());
    EXPECT_EQ(AUtilities::traceFilename(), "c:\\ZanticDovrelAutoruntrace.txt");
    EXPECT_EQ(m().boxes.size(), 1u);
}

TEST_F(Trace, SecondTraceSwitchKeepsTheLinesWritten) {
    run({"E:\\autorun.exe", "/t", "/t", "/h"});
    const std::vector<std::string> trace = lines();
    ASSERT_GE(trace.size(), 3u);
    EXPECT_EQ(trace[0], "AUtilities::parseArgs() Entry.");
    EXPECT_EQ(trace[1], "AUtilities::parseArgs() parm[2] = \"/t\"");
}

// Two instances with /t in one folder. The later one's open succeeds, as the
// sharing allows, and empties the file: the earlier one's lines so far are
// lost. Each writes its later lines at the file's end, so they follow the
// other's whole, with no gap of zero bytes.
TEST_F(Trace, ASecondInstanceInTheSameFolderEmptiesTheTraceAndBothGoOnAtItsEnd) {
    const os::DWORD shareRW = os::FILE_SHARE_READ | os::FILE_SHARE_WRITE;
    // This run is the second instance; the first is another program that
    // opened the file as this one does.
    const std::string firstLines = earlierRun("first instance's");
    os::DWORD error = 99;
    void* first = m().files.openByOtherProgram(traceFile, os::GENERIC_WRITE, shareRW,
                                               os::CREATE_ALWAYS, &error);
    ASSERT_NE(first, nullptr);
    m().files.writeByOtherProgram(first, firstLines);
    run({"E:\\autorun.exe", "/t", "/h"});
    EXPECT_EQ(AUtilities::traceFilename(), "trace.txt");
    const std::string second = m().files.content(traceFile);
    EXPECT_EQ(second.substr(0, 32), "AUtilities::parseArgs() Entry.\r\n");
    EXPECT_EQ(second.find("first instance"), std::string::npos);
    ASSERT_LT(second.size(), firstLines.size());
    m().files.close(first);

    // This run is the first instance; the second starts while the window is
    // open, writes its lines and asks this one's window to close.
    nextRow("the second instance starts while the window is open");
    m().files.addFile("E:\\vmframe.htm", "<html>");
    const std::string secondLines = "AUtilities::x() second instance's line\r\n";
    sim::input::later([&] {
        error = 99;
        void* later = m().files.openByOtherProgram(traceFile, os::GENERIC_WRITE, shareRW,
                                                   os::CREATE_ALWAYS, &error);
        if (!later) return;
        m().files.writeByOtherProgram(later, secondLines);
        m().files.close(later);
        os::PostMessageA(sim::input::frame(AUtilities::windowTitle.c_str()), os::WM_CLOSE, 0, 0);
    });
    run({"E:\\autorun.exe", "/t"});
    EXPECT_EQ(error, sim::errorAlreadyExists);
    const std::string both = m().files.content(traceFile);
    EXPECT_EQ(both.substr(0, secondLines.size()), secondLines);
    EXPECT_EQ(traced("AUtilities::parseArgs() Entry."), 0) << "this run's first lines are lost";
    // This run's later lines follow the other's at once, with no gap of zero
    // bytes where its own earlier lines stood.
    EXPECT_EQ(both.find('\0'), std::string::npos);
    ASSERT_GT(both.size(), secondLines.size());
    const std::string next = "AUtilities::setRegistryKeys() Entry.\r\n";
    EXPECT_EQ(both.compare(secondLines.size(), next.size(), next), 0)
        << both.substr(secondLines.size(), 80);
    EXPECT_EQ(lines().back(), "AAutorun::main() Exit.");
}

// Two instances trace into one file at the same moment: the other one
// writes a line just after this one has moved to the file's end, before it
// writes there. The other one's line waits for this one's and follows it,
// whole; it is not written over. A viewer reads the lines meanwhile.
TEST_F(Trace, AnotherInstanceWritingAtTheSameMomentSplitsNoLine) {
    using namespace std::chrono_literals;
    AUtilities::TraceStream other;  // the other instance, started first
    ASSERT_TRUE(other.open(traceFile));
    AUtilities::openTraceFile();
    AUtilities::trace("AUtilities::x()", "%s", "this instance's first line");
    const std::string first = "AUtilities::x() this instance's first line\r\n";
    void* viewer = m().files.openByOtherProgram(traceFile, os::GENERIC_READ,
                                                os::FILE_SHARE_READ | os::FILE_SHARE_WRITE);
    ASSERT_NE(viewer, nullptr);
    std::string seen;
    os::DWORD viewerError = 99;
    std::future<void> otherWrote;
    bool otherStarted = false;
    m().files.find(traceFile)->beforeNextWrite = [&] {
        seen = m().files.readByOtherProgram(viewer, &viewerError);
        // The other instance runs beside this one, until it has written or
        // waits for this one.
        otherWrote = std::async(std::launch::async, [&] {
            other.write("AUtilities::getKitTitle() the other instance's line, the longer one\n");
        });
        const auto until = std::chrono::steady_clock::now() + 10s;
        while (!(otherStarted = otherWrote.wait_for(1ms) == std::future_status::ready ||
                                m().files.lockWaiters() > 0) &&
               std::chrono::steady_clock::now() < until) {
        }
    };
    AUtilities::trace("AUtilities::x()", "%s", "this instance's line");
    ASSERT_TRUE(otherWrote.valid()) << "no write of this instance met the other one";
    otherWrote.get();
    EXPECT_TRUE(otherStarted) << "the other instance neither wrote nor waited within 10 s";
    EXPECT_EQ(viewerError, 0u);
    EXPECT_EQ(seen, first);
    EXPECT_EQ(m().files.content(traceFile),
              first + "AUtilities::x() this instance's line\r\n"
                      "AUtilities::getKitTitle() the other instance's line, the longer one\r\n");
    EXPECT_TRUE(m().files.locks.empty());
    m().files.close(viewer);
    other.close();
}

}  // namespace
