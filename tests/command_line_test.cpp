// The command line: switches, argument 0 and the help box.
#include "gui/Application.h"
#include "gui/Window.h"
#include "support.h"

namespace {

using test::Fixture;

class CommandLine : public Fixture {
protected:
    void parse(std::initializer_list<std::string> args) {
        std::vector<std::string> strings(args);
        std::vector<const char*> argv;
        for (const std::string& s : strings) argv.push_back(s.c_str());
        gui::Application::current().setArguments(static_cast<int>(argv.size()), argv.data());
        AUtilities::parseArgs();
    }
};

TEST_F(CommandLine, SwitchTable) {
    struct Row {
        std::string argument;
        bool p, t, h;
    };
    const Row rows[] = {
        {"/p", true, false, false},   {"/P", true, false, false},  {"-p", true, false, false},
        {"-P", true, false, false},   {"/t", false, true, false},  {"-T", false, true, false},
        {"/h", false, false, true},   {"-H", false, false, true},  {"/?", false, false, true},
        {"-?", false, false, true},   {"/px", false, false, false}, {"/help", false, false, false},
        {"p", false, false, false},   {"/", false, false, false},  {"-", false, false, false},
        {"//p", false, false, false}, {"", false, false, false},   {"/\xE9", false, false, false},
        {std::string(5000, 'p'), false, false, false},
        {"/" + std::string(5000, 'P'), false, false, false},
    };
    for (const Row& row : rows) {
        const std::string name = "argument \"" + row.argument.substr(0, 20) + "\"";
        nextRow(name);
        SCOPED_TRACE(name);
        parse({"E:\\autorun.exe", row.argument});
        EXPECT_EQ(AUtilities::isSlashP(), row.p);
        EXPECT_EQ(AUtilities::isSlashT(), row.t);
        EXPECT_EQ(AUtilities::isSlashH(), row.h);
        EXPECT_EQ(AUtilities::isTraceActive(), row.t);
    }
}

TEST_F(CommandLine, SplitOfArgumentZero) {
    const std::string longDir = "\\\\server\\" + std::string(300, 'd') + "\\";
    struct Row {
        std::string argument0;
        std::string root;
        bool network;
        std::string name;
    };
    const Row rows[] = {
        {"E:\\autorun.exe", "E:\\", false, "autorun"},
        {"\\\\server\\kit\\autorun.exe", "\\\\server\\kit\\", true, "autorun"},
        {"autorun.exe", "", false, "autorun"},
        {"E:autorun", "E:\\", false, "autorun"},
        {"C:/kit/run.me.exe", "C:\\", false, "run.me"},
        {"kit/autorun.exe", "kit/", true, "autorun"},
        {longDir + std::string(300, 'n') + ".exe", longDir, true, std::string(300, 'n')},
        {"", "", false, ""},
    };
    for (const Row& row : rows) {
        const std::string name = "argument 0 \"" + row.argument0.substr(0, 40) + "\"";
        nextRow(name);
        SCOPED_TRACE(name);
        parse({row.argument0});
        EXPECT_EQ(AUtilities::driveWithSlash, row.root);
        EXPECT_EQ(AUtilities::isOnNetworkDrive(), row.network);
        EXPECT_EQ(AUtilities::programName, row.name);
    }
}

TEST_F(CommandLine, SplitRespectsDoubleByteCharacters) {
    // Shift-JIS: 0x95 0x5C is one character whose trail byte is a backslash.
    for (int lead = 0x81; lead <= 0xFC; ++lead)
        if (lead <= 0x9F || lead >= 0xE0) m().dbcsLeadBytes.insert(static_cast<unsigned char>(lead));
    parse({"\\\\srv\\\x95\x5C\\\x95\x5C.exe"});
    EXPECT_EQ(AUtilities::driveWithSlash, "\\\\srv\\\x95\x5C\\");
    EXPECT_EQ(AUtilities::programName, "\x95\x5C");
}

TEST_F(CommandLine, HelpShowsOneBoxWithTheProgramsOwnName) {
    for (const char* help : {"/h", "/?", "-?"}) {
        nextRow(help);
        SCOPED_TRACE(help);
        EXPECT_EQ(run({"E:\\autorun.exe", help}), 0);
        ASSERT_EQ(m().boxes.size(), 1u);
        const sim::MessageBoxRecord& box = m().boxes[0];
        EXPECT_EQ(box.title, "Autorun Message");
        EXPECT_EQ(box.text, "autorun parameters:\n\n/h Help\n/p Perform action\n/t Trace on");
        EXPECT_EQ(box.style, 0x30u | 0x10000u);
        EXPECT_EQ(box.owner, gui::desktop().handle());
        EXPECT_EQ(box.helpId, 0u);
    }
}

TEST_F(CommandLine, HelpWithPerformTouchesNothingElse) {
    m().files.addFile("E:\\vmframe.htm");
    m().windows.addTopLevel("Autorun Preferences for Zantic Collections");
    EXPECT_EQ(run({"E:\\autorun.exe", "/p", "/h"}), 0);
    EXPECT_EQ(m().boxes.size(), 1u);
    EXPECT_TRUE(m().registry.keys.empty());
    EXPECT_EQ(m().errorMode, 0u);  // no drive probed
    EXPECT_TRUE(m().windows.all[0].posted.empty());
    EXPECT_TRUE(m().processes.starts.empty());
}

}  // namespace
