// Starting the reader: its refusals, the bookshelf window already open, and
// the command line and working folder of the Java launcher.
#include "launch_support.h"

namespace {

using test::childArguments;
using test::linesOf;

const std::string java = "C:\\JRE\\BIN\\JAVAW.EXE";
const std::string reader = "C:\\READER\\SYS";

class Reader : public test::Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        install(java, reader, "-A ");
        AUtilities::openTraceFile();
    }

    void install(const std::string& javaPath, const std::string& readerPath,
                 const std::string& parms) {
        AUtilities::driveWithSlash = "E:\\";
        m().files.addFile(javaPath);
        m().files.addFile(readerPath + "\\pvns");
        AUtilities::setJavaInstalled(true);
        AUtilities::setJavaExecutable(javaPath);
        AUtilities::setVLRInstalled(true);
        AUtilities::setVLRPath(readerPath);
        AUtilities::setVLRParms(parms);
    }

    std::vector<std::string> readerTrace() { return linesOf(lines(), {"AUtilities::openVLR()"}); }
};

TEST_F(Reader, RefusesWithoutJavaOrReaderBeforeTheNetworkTest) {
    struct Row {
        bool java, reader, network;
        int rc;
    };
    const Row rows[] = {
        {false, false, true, -3}, {false, true, false, -3}, {true, false, true, -3},
        {true, true, true, -4},
    };
    for (const Row& row : rows) {
        const std::string name = std::string("Java ") + (row.java ? "yes" : "no") + ", reader " +
                                 (row.reader ? "yes" : "no") + ", network " +
                                 (row.network ? "yes" : "no");
        nextRow(name);
        SCOPED_TRACE(name);
        AUtilities::setJavaInstalled(row.java);
        AUtilities::setVLRInstalled(row.reader);
        AUtilities::setNetworkDrive(row.network);
        m().windows.addTopLevel("Somebody's window");
        AUtilities::windowsList = new AWindowList{AWindowEntry(nullptr, "earlier snapshot")};
        EXPECT_EQ(AUtilities::openVLR(), row.rc);
        EXPECT_EQ(readerTrace(), std::vector<std::string>{"AUtilities::openVLR() Entry."});
        // The window list is not rebuilt and nothing is started or shown.
        ASSERT_NE(AUtilities::windowsList, nullptr);
        ASSERT_EQ(AUtilities::windowsList->size(), 1u);
        EXPECT_EQ((*AUtilities::windowsList)[0].title(), "earlier snapshot");
        EXPECT_TRUE(m().processes.starts.empty());
        EXPECT_TRUE(m().processes.failedStarts.empty());
        EXPECT_TRUE(m().boxes.empty());
    }
}

TEST_F(Reader, CommandLineForEachOptionText) {
    struct Row {
        std::string parms;
        std::string commandLine;
        std::vector<std::string> arguments;  // after the program's own name
    };
    const Row rows[] = {
        {"-A ",
         java + " -jar C:\\READER\\SYS\\pvns -d \"C:\\READER\\SYS\" -A E:\\shelves;E:\\books ",
         {"-jar", "C:\\READER\\SYS\\pvns", "-d", "C:\\READER\\SYS", "-A", "E:\\shelves;E:\\books"}},
        {"-s -u ",
         java + " -jar C:\\READER\\SYS\\pvns -d \"C:\\READER\\SYS\" -s -u E:\\shelves;E:\\books ",
         {"-jar", "C:\\READER\\SYS\\pvns", "-d", "C:\\READER\\SYS", "-s", "-u",
          "E:\\shelves;E:\\books"}},
    };
    for (const Row& row : rows) {
        nextRow(row.parms);
        SCOPED_TRACE(row.parms);
        AUtilities::setVLRParms(row.parms);
        EXPECT_EQ(AUtilities::openVLR(), 0);
        ASSERT_EQ(m().processes.starts.size(), 1u);
        const sim::Processes::Start& start = m().processes.starts[0];
        EXPECT_EQ(start.commandLine, row.commandLine);
        EXPECT_EQ(start.program, java);
        EXPECT_EQ(start.currentDirectory, reader);
        EXPECT_TRUE(start.inheritHandles);
        EXPECT_TRUE(m().processes.handles.empty());
        std::vector<std::string> args = childArguments(start.commandLine);
        args.erase(args.begin());
        EXPECT_EQ(args, row.arguments);
        const std::vector<std::string> expected = {
            "AUtilities::openVLR() Entry.",
            "AUtilities::openVLR() startProgram() rc = 0",
            "AUtilities::openVLR() rc = 0",
            "AUtilities::openVLR() Exit.",
        };
        EXPECT_EQ(readerTrace(), expected);
    }
}

// Without 8.3 names the launcher's and the reader's paths keep their
// blanks: the launcher and the jar file are quoted so that each stays whole.
TEST_F(Reader, PathsWithBlanksAreQuoted) {
    const std::string spacedJava = "C:\\Program Files\\Java\\bin\\javaw.exe";
    const std::string spacedReader = "C:\\Program Files\\Zantic\\sys";
    install(spacedJava, spacedReader, "-A ");
    m().files.addFile("C:\\Program.exe");
    EXPECT_EQ(AUtilities::openVLR(), 0);
    ASSERT_EQ(m().processes.starts.size(), 1u);
    const sim::Processes::Start& start = m().processes.starts[0];
    EXPECT_EQ(start.commandLine, "\"" + spacedJava + "\" -jar \"" + spacedReader + "\\pvns\" -d \"" +
                                     spacedReader + "\" -A E:\\shelves;E:\\books ");
    EXPECT_EQ(start.program, spacedJava);
    EXPECT_EQ(start.currentDirectory, spacedReader);
    const std::vector<std::string> args = childArguments(start.commandLine);
    const std::vector<std::string> expected = {
        spacedJava, "-jar", spacedReader + "\\pvns", "-d", spacedReader, "-A", "E:\\shelves;E:\\books"};
    EXPECT_EQ(args, expected);
}

// The result passed on is the start's status: the error code, or 2 when
// Windows gives none; it differs from every other code traced around it.
TEST_F(Reader, FailedStartPassesTheErrorOn) {
    struct Row {
        os::DWORD error;
        int rc;
        std::string box;
    };
    const std::string line =
        java + " -jar C:\\READER\\SYS\\pvns -d \"C:\\READER\\SYS\" -A E:\\shelves;E:\\books ";
    const Row rows[] = {
        {2, 2, "Error 2 starting program - " + line},
        {0, 2, "Could not start program - " + line},
        {193, 193, "Error 193 starting program - " + line},
    };
    for (const Row& row : rows) {
        const std::string name = "error " + std::to_string(row.error);
        nextRow(name);
        SCOPED_TRACE(name);
        m().processes.failures = {row.error};
        EXPECT_EQ(AUtilities::openVLR(), row.rc);
        ASSERT_EQ(m().boxes.size(), 1u);
        EXPECT_EQ(m().boxes[0].text, row.box);
        const std::string rc = std::to_string(row.rc);
        EXPECT_EQ(readerTrace(), (std::vector<std::string>{
                                     "AUtilities::openVLR() Entry.",
                                     "AUtilities::openVLR() startProgram() rc = " + rc,
                                     "AUtilities::openVLR() rc = " + rc,
                                     "AUtilities::openVLR() Exit."}));
        EXPECT_EQ(linesOf(lines(), {"AUtilities::startProgram()"}).at(4),
                  "AUtilities::startProgram() GetLastError() = " + std::to_string(row.error));
    }
}

TEST_F(Reader, BookshelfWindowAlreadyOpen) {
    struct Row {
        const char* what;
        std::vector<std::string> titles;  // bottom of the Z order first
        bool running;
    };
    const Row rows[] = {
        {"exact title", {"Zantic Velmora Reader List of Bookshelves"}, true},
        {"lower case with text around",
         {"Editor", "my zantic velmora reader list of bookshelves - e:\\"}, true},
        {"two of them", {"ZANTIC VELMORA READER LIST OF BOOKSHELVES 1",
                         "Zantic Velmora Reader List of Bookshelves 2"}, true},
        {"another reader window", {"Zantic Velmora Reader", "List of Bookshelves"}, false},
        {"no window", {}, false},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        for (const std::string& title : row.titles) m().windows.addTopLevel(title);
        // An earlier snapshot, larger than the desktop's windows now, that
        // still lists a bookshelf window closed since.
        AUtilities::windowsList = new AWindowList{
            AWindowEntry(nullptr, "Zantic Velmora Reader List of Bookshelves"),
            AWindowEntry(nullptr, "Editor"), AWindowEntry(nullptr, "Browser"),
            AWindowEntry(nullptr, "Mail")};
        EXPECT_EQ(AUtilities::openVLR(), 0);
        EXPECT_EQ(m().processes.starts.size(), row.running ? 0u : 1u);
        EXPECT_EQ(AUtilities::windowsList->size(), row.titles.size());
        const std::vector<std::string> trace = readerTrace();
        const std::vector<std::string> expected =
            row.running ? std::vector<std::string>{"AUtilities::openVLR() Entry.",
                                                   "AUtilities::openVLR() VLR is already running.",
                                                   "AUtilities::openVLR() rc = 0",
                                                   "AUtilities::openVLR() Exit."}
                        : std::vector<std::string>{"AUtilities::openVLR() Entry.",
                                                   "AUtilities::openVLR() startProgram() rc = 0",
                                                   "AUtilities::openVLR() rc = 0",
                                                   "AUtilities::openVLR() Exit."};
        EXPECT_EQ(trace, expected);
    }
}

}  // namespace
