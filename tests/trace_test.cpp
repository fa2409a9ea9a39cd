// The trace file: its lines, its names and when it is written.
#include "support.h"

namespace {

using test::Fixture;
using Trace = Fixture;

TEST_F(Trace, FirstLineIsTheEntryOfTheCommandLineAfterTheTraceSwitch) {
    m().files.addFile("C:\\WORK\\trace.txt", "an older run\r\n");
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

TEST_F(Trace, FallsBackWhenTheWorkingFolderRefusesTheFile) {
    m().files.find("C:\\WORK")->unwritable = true;
    m().files.addFile("c:\\ZanticDovrelAutoruntrace.txt", "stale\r\n");
    run({"E:\\autorun.exe", "/t", "/h"});
    EXPECT_EQ(AUtilities::traceFilename(), "c:\\ZanticDovrelAutoruntrace.txt");
    const std::vector<std::string> trace = lines("C:\\ZanticDovrelAutoruntrace.txt");
    ASSERT_FALSE(trace.empty());
    EXPECT_EQ(trace[0], "AUtilities::parseArgs() Entry.");
    EXPECT_FALSE(m().files.exists("C:\\WORK\\trace.txt"));
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

}  // namespace
