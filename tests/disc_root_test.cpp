// The disc root: verified on the program's own drive, else searched for on
// the drives C to Z; and the existence test.
#include "support.h"

namespace {

using test::Fixture;
using DiscRoot = Fixture;

TEST_F(DiscRoot, VerifiedOrSearched) {
    struct Row {
        const char* what;
        std::string root;                 // as the command line left it
        std::vector<std::string> discs;   // folders that hold the frame page
        std::string expectedRoot;
        int rc;
        std::vector<std::string> probed;  // every access test, in order
    };
    const Row rows[] = {
        {"own drive holds the page", "E:\\", {"E:\\", "C:\\"}, "E:\\", 0, {"E:\\vmframe.htm"}},
        {"a share holds the page", "\\\\server\\kit\\", {"\\\\server\\kit\\", "C:\\"},
         "\\\\server\\kit\\", 0, {"\\\\server\\kit\\vmframe.htm"}},
        {"a copy on a hard disc, the kit in F", "C:\\", {"F:\\"}, "F:\\", 0,
         {"C:\\vmframe.htm", "C:\\vmframe.htm", "D:\\vmframe.htm", "E:\\vmframe.htm",
          "F:\\vmframe.htm"}},
        {"the earliest drive wins", "", {"E:\\", "D:\\"}, "D:\\", 0,
         {"C:\\vmframe.htm", "D:\\vmframe.htm"}},
        {"a folder of the drive does not count", "", {"C:\\kit\\", "Z:\\"}, "Z:\\", 0, {}},
        {"only A and B hold the page", "G:\\", {"A:\\", "B:\\"}, "", -1, {}},
        {"no disc anywhere", "", {}, "", -1, {}},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        for (const std::string& disc : row.discs) m().files.addFile(disc + "vmframe.htm", "<html>");
        m().files.emptyDrives = {'Y'};  // a CD drive without a disc
        AUtilities::driveWithSlash = row.root;
        EXPECT_EQ(AUtilities::getCurrentDirectory(), row.rc);
        EXPECT_EQ(AUtilities::driveWithSlash, row.expectedRoot);
        EXPECT_EQ(m().errorMode, os::SEM_FAILCRITICALERRORS);
        // The search never stops to ask for a disc.
        EXPECT_EQ(m().files.criticalErrorPrompts, std::vector<std::string>{});
        if (!row.probed.empty()) {
            EXPECT_EQ(m().files.accessed, row.probed);
        }
        for (const std::string& path : m().files.accessed) {
            EXPECT_NE(path.substr(0, 2), "A:");
            EXPECT_NE(path.substr(0, 2), "B:");
        }
    }
}

TEST_F(DiscRoot, TraceOfASearch) {
    AUtilities::openTraceFile();
    m().files.addFile("F:\\VMFRAME.HTM");
    AUtilities::driveWithSlash = "C:\\";
    AUtilities::getCurrentDirectory();
    EXPECT_EQ(traceOf("AUtilities::getCurrentDirectory()"),
              (std::vector<std::string>{
                  "Entry.", "driveWithSlash = \"C:\\\"", "\"C:\\vmframe.htm\" not found",
                  "Searching drives for vmframe.htm", "vmframe.htm found at F",
                  "driveWithSlash = \"F:\\\".", "rc = 0", "Exit."}));
    AUtilities::driveWithSlash = "";
    m().files.remove("F:\\vmframe.htm");
    AUtilities::getCurrentDirectory();
    const std::vector<std::string> trace = traceOf("AUtilities::getCurrentDirectory()");
    EXPECT_EQ(std::vector<std::string>(trace.end() - 5, trace.end()),
              (std::vector<std::string>{"Searching drives for vmframe.htm",
                                        "vmframe.htm never found", "driveWithSlash = \"\".",
                                        "rc = -1", "Exit."}));
}

TEST_F(DiscRoot, ExistenceTestCountsFilesAndFoldersWithoutTheTrailingDot) {
    m().files.addFolder("E:\\shelves");
    m().files.addFile("E:\\pdf");
    AUtilities::openTraceFile();
    struct Row {
        const char* name;
        bool exists;
    };
    const Row rows[] = {{"E:\\shelves.", true}, {"e:\\SHELVES", true}, {"E:\\pdf.", true},
                        {"E:\\books.", false},  {"Q:\\pdf", false},
                        {"", false}};
    for (const Row& row : rows) EXPECT_EQ(AUtilities::doesFileExist(row.name), row.exists) << row.name;
    const std::vector<std::string> trace = traceOf("AUtilities::doesFileExist()");
    ASSERT_GE(trace.size(), 12u);
    EXPECT_EQ(std::vector<std::string>(trace.begin(), trace.begin() + 3),
              (std::vector<std::string>{"Entry.  filename = \"E:\\shelves.\"", "access rc = 0",
                                        "Exit.  boolean rc = true"}));
    EXPECT_EQ(std::vector<std::string>(trace.begin() + 9, trace.begin() + 12),
              (std::vector<std::string>{"Entry.  filename = \"E:\\books.\"", "access rc = -1",
                                        "Exit.  boolean rc = false"}));
}

}  // namespace
