// The start-up checks, run through the whole program.
#include <map>

#include "gui/Text.h"
#include "support.h"

namespace {

using test::Fixture;

using test::settingsKey;
const char notWritable[] =
    "The autorun program cannot save registry values.  No programs will be started.";
const char noDisc[] =
    "The autorun program does not appear to be running from a valid Zantic Dovrel CD";
const char kitFile[] = "var kitTitle = \"Dovrel Kit\";\r\nvar editionDate = \"May 2002\";\r\n";

class Startup : public Fixture {
protected:
    void SetUp() override {
        Fixture::SetUp();
        other = m().windows.addTopLevel("Autorun Preferences for Zantic Collections");
    }
    void disc(const std::string& root = "E:\\") {
        m().files.addFile(root + "vmframe.htm", "<html>");
        m().files.addFile(root + "autohtml\\autorun.js", kitFile);
    }
    std::vector<std::string> choicesWritten() {
        std::vector<std::string> names;
        for (const sim::Registry::Write& w : m().registry.writes)
            if (w.name != "Date") names.push_back(w.name);
        return names;
    }
    // Every value in the registry, by its key's path and its name.
    std::map<std::string, std::string> everything() {
        std::map<std::string, std::string> values;
        for (const auto& [path, key] : m().registry.keys) {
            values[path] = "";  // the key itself, also without values
            for (const auto& [name, v] : key.values) values[path + " : " + name] = v.data;
        }
        return values;
    }
    os::HWND other;  // the preferences window of another instance
};

// Where the settings key refuses this user writing, the start-up says so
// and ends: nothing written, no window closed, no drive probed, nothing
// started.
TEST_F(Startup, SettingsNotWritable) {
    enum Who { administrator, limitedUser };
    struct Row {
        const char* what;
        Who who;
        bool keyThere;
    };
    const Row rows[] = {
        {"the key refuses writing", administrator, true},
        {"a limited user", limitedUser, true},
        {"a limited user's first run", limitedUser, false},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        disc();
        m().registry.addKey("Software\\Zantic");
        if (row.keyThere) {
            m().registry.setString(settingsKey, "TndrlChoice", "KitIndex");
            m().registry.setString(settingsKey, "Date", "31.12.2001");
        }
        if (row.who == administrator) m().registry.findKey(settingsKey)->refuseWrites = true;
        m().registry.limitedUser = row.who == limitedUser;
        const std::map<std::string, std::string> before = everything();
        EXPECT_EQ(run({"E:\\autorun.exe", "/p", "/t"}), 0);
        ASSERT_EQ(m().boxes.size(), 1u);
        EXPECT_EQ(m().boxes[0].text, notWritable);
        EXPECT_TRUE(m().windows.find(other)->posted.empty());
        EXPECT_TRUE(m().files.accessed.empty());  // no drive probed
        EXPECT_TRUE(m().registry.writes.empty());
        EXPECT_EQ(everything(), before);
        EXPECT_TRUE(m().processes.starts.empty());
        EXPECT_TRUE(traced("AUtilities::isRegistryWriteable() RegCreateKeyEx rc = 5"));
        EXPECT_EQ(traceOf("AUtilities::initialize()"),
                  (std::vector<std::string>{"Entry.", "AUtilities::isRegistryWriteable() failed",
                                            "Exit."}));
        EXPECT_TRUE(traced("AAutorun::main() Initialization failed."));
    }
}

// A limited user whose settings key an administrator opened for writing (as
// a kit's set-up may) reads every saved choice and every Java and reader
// entry as an administrator does: the same trace, the same programs started,
// the same settings left.
TEST_F(Startup, ALimitedUserReadsAsAnAdministratorDoes) {
    const std::string java = "C:\\JRE\\BIN\\JAVAW.EXE";
    const std::string appPaths = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
    struct Outcome {
        std::vector<std::string> trace, started, boxes;
        std::map<std::string, std::string> registry;
        std::vector<std::string> state;
    };
    const auto runAs = [&](bool limited, std::initializer_list<std::string> args) {
        disc();
        m().files.addFolder("E:\\shelves");
        m().registry.setString(settingsKey, "TndrlChoice", "VLR");
        m().registry.setString(settingsKey, "MixedChoice", "KitIndex");
        m().registry.setString(settingsKey, "PDFChoice", "Nothing");
        m().registry.setString(settingsKey, "Version", "0012");
        m().registry.setString(appPaths + "javaw.exe", "", java);
        m().files.addFile(java);
        m().registry.setString(appPaths + "pvnshelves.jar", "Path", "C:\\READER");
        m().files.addFile("C:\\READER\\SYS\\pvns");
        for (const char* version : {"2.3.4", "2.3.5", "Settings"})
            m().registry.addKey(std::string("Software\\Zantic\\Zantic Velmora Reader\\") + version);
        m().registry.limitedUser = limited;
        m().registry.findKey(settingsKey)->usersAccess = os::KEY_READ | os::KEY_WRITE;
        EXPECT_EQ(run(args), 0);
        Outcome o;
        o.trace = lines();
        for (const sim::Processes::Start& s : m().processes.starts) o.started.push_back(s.commandLine);
        for (const sim::MessageBoxRecord& b : m().boxes) o.boxes.push_back(b.text);
        o.registry = everything();
        o.state = {AUtilities::tndrlChoice(),   AUtilities::mixedChoice(),
                   AUtilities::pdfChoice(),     AUtilities::oldVersion(),
                   AUtilities::javaExecutable(), AUtilities::vlrPath(),
                   AUtilities::vlrVersion(),    AUtilities::vlrParms(),
                   gui::boolText(AUtilities::isJavaInstalled()),
                   gui::boolText(AUtilities::isVLRInstalled())};
        return o;
    };
    const std::vector<std::string> state = {"VLR", "KitIndex", "Nothing", "0012",
                                            java, "C:\\READER\\sys", "2.3.5", "-A ", "true", "true"};
    struct Row {
        const char* what;
        std::initializer_list<std::string> args;
        std::vector<std::string> started;
    };
    const Row rows[] = {
        {"performing the saved choice", {"E:\\autorun.exe", "/p", "/t"},
         {java + " -jar C:\\READER\\sys\\pvns -d \"C:\\READER\\sys\" -A E:\\shelves;E:\\books "}},
        {"the preferences window", {"E:\\autorun.exe", "/t"}, {}},
    };
    for (const Row& row : rows) {
        nextRow(std::string(row.what) + ", administrator");
        const Outcome administrator = runAs(false, row.args);
        EXPECT_EQ(administrator.state, state) << row.what;
        EXPECT_EQ(administrator.started, row.started) << row.what;
        nextRow(std::string(row.what) + ", limited user");
        const Outcome limited = runAs(true, row.args);
        EXPECT_EQ(limited.trace, administrator.trace) << row.what;
        EXPECT_EQ(limited.started, administrator.started) << row.what;
        EXPECT_EQ(limited.boxes, administrator.boxes) << row.what;
        EXPECT_EQ(limited.registry, administrator.registry) << row.what;
        EXPECT_EQ(limited.state, administrator.state) << row.what;
    }
}

TEST_F(Startup, NoDiscAfterOtherInstancesWereAskedToClose) {
    m().files.addFile("A:\\vmframe.htm");
    EXPECT_EQ(run({"C:\\Copy\\autorun.exe", "/p", "/t"}), 0);
    ASSERT_EQ(m().boxes.size(), 1u);
    EXPECT_EQ(m().boxes[0].text, noDisc);
    ASSERT_EQ(m().windows.find(other)->posted.size(), 1u);
    EXPECT_EQ(m().windows.find(other)->posted[0].message, os::WM_CLOSE);
    EXPECT_TRUE(choicesWritten().empty());
    EXPECT_NE(m().registry.findValue(settingsKey, "Date"), nullptr);
    EXPECT_EQ(AUtilities::driveWithSlash, "");
    EXPECT_EQ(traceOf("AUtilities::initialize()"),
              (std::vector<std::string>{
                  "Entry.",
                  "Call AUtilities::closeWindow() to close other instances of this program",
                  "Call AUtilities::getCurrentDirectory()",
                  "AUtilities::getCurrentDirectory() failed", "Exit."}));
}

TEST_F(Startup, KitWindowsClosedOnlyWithPerformAndAKitTitle) {
    struct Row {
        const char* what;
        bool perform;
        std::string kitText;
        bool closed;
    };
    const Row rows[] = {
        {"perform and a kit title", true, kitFile, true},
        {"no perform switch", false, kitFile, false},
        {"only the title line", true, "var kitTitle = \"Dovrel Kit\";\n", false},
        {"only the edition line", true, "var editionDate = \"May 2002\";\n", false},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        m().files.addFile("E:\\vmframe.htm");
        m().files.addFile("E:\\autohtml\\autorun.js", row.kitText);
        os::HWND kitWindow = m().windows.addTopLevel("Browser - DOVREL KIT - MAY 2002 index");
        if (row.perform)
            run({"E:\\autorun.exe", "/p", "/t"});
        else
            run({"E:\\autorun.exe", "/t"});
        EXPECT_EQ(m().windows.find(kitWindow)->posted.size(), row.closed ? 1u : 0u);
        EXPECT_EQ(traced("AUtilities::closeWindow() Title to close = \"Dovrel Kit - May 2002\""),
                  row.closed);
        // The settings are written back at the end.
        EXPECT_EQ(choicesWritten(),
                  (std::vector<std::string>{"TndrlChoice", "MixedChoice", "PDFChoice", "Version"}));
    }
}

// An over-long kit description line gives the trace lines and closes the
// windows that the whole kit title gives: a window title holds at most 1,023
// characters, so it cannot contain a longer kit title, while one of 1,023
// fits. Each row has windows whose titles come close to the kit title: the
// ones that hold it are closed, the others stay open.
TEST_F(Startup, OverLongKitTitleIsTracedAndMatchedAsTheWholeOne) {
    const std::string longText = "Dovrel " + std::string(1 << 20, 'k');
    const std::string k1018(1018, 'k'), k1019(1019, 'k'), k1020(1020, 'k');
    struct Window {
        std::string title;
        bool closed;
    };
    struct Row {
        const char* what;
        std::string title, editionDate;
        std::vector<Window> windows;
    };
    const Row rows[] = {
        {"a long title", longText, "May 2002",
         {{longText.substr(0, 1023), false}, {longText.substr(0, 1012) + " - May 2002", false}}},
        {"a long edition date", "Dovrel", longText,
         {{"Dovrel - " + longText.substr(0, 1014), false}}},
        {"a kit title of 1,023 characters, from its title", k1019, "D",
         {{k1019 + " - D", true}, {k1018 + " - D", false}}},
        {"a kit title of 1,024 characters, from its title", k1020, "D",
         {{k1020 + " - ", false}, {k1019 + " - D", false}}},
        {"a kit title of 1,023 characters, from its edition date", "T", k1019,
         {{"T - " + k1019, true}, {"T - " + k1018, false}}},
        {"a kit title of 1,024 characters, from its edition date", "T", k1020,
         {{"T - " + k1019, false}}},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        const std::string whole = row.title + " - " + row.editionDate;
        m().files.addFile("E:\\vmframe.htm");
        m().files.addFile("E:\\autohtml\\autorun.js", "var kitTitle = \"" + row.title +
                                                          "\";\r\nvar editionDate = \"" +
                                                          row.editionDate + "\";\r\n");
        std::vector<os::HWND> windows;
        for (const Window& w : row.windows) {
            ASSERT_LE(w.title.size(), 1023u);
            windows.push_back(m().windows.addTopLevel(w.title));
        }
        run({"E:\\autorun.exe", "/p", "/t"});
        for (std::size_t i = 0; i < windows.size(); ++i)
            EXPECT_EQ(m().windows.find(windows[i])->posted.size(), row.windows[i].closed ? 1u : 0u)
                << "window " << i;
        // A trace line's text is cut after 1,023 characters.
        const auto tracedCut = [&](const std::string& name, const std::string& text) {
            return traced(name + " " + text.substr(0, 1023));
        };
        EXPECT_EQ(tracedCut("AUtilities::setKitTitle()", "set to \"" + whole), 1);
        EXPECT_EQ(tracedCut("AUtilities::closeWindow()", "Title to close = \"" + whole), 1);
    }
}

TEST_F(Startup, MarkersAtTheRootSetTheDiscKind) {
    struct Row {
        const char* what;
        std::vector<std::string> files, folders;
        bool tndrl, pdf;
    };
    const Row rows[] = {
        {"a shelves folder", {}, {"shelves"}, true, false},
        {"a pdf file", {"pdf"}, {}, false, true},
        {"both", {"PDF"}, {"Shelves"}, true, true},
        {"neither", {"shelves.txt"}, {"books"}, false, false},
        {"the names with their dot", {"pdf."}, {"shelves."}, true, true},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        disc();
        for (const std::string& f : row.files) m().files.addFile("E:\\" + f);
        for (const std::string& f : row.folders) m().files.addFolder("E:\\" + f);
        run({"E:\\autorun.exe", "/p"});
        EXPECT_EQ(AUtilities::isTndrlCD(), row.tndrl);
        EXPECT_EQ(AUtilities::isPDFCD(), row.pdf);
    }
}

TEST_F(Startup, OrderOfTheChecks) {
    disc();
    m().registry.setString(settingsKey, "TndrlChoice", "Nothing");
    run({"E:\\autorun.exe", "/p", "/t"});
    EXPECT_EQ(traceOf("AUtilities::initialize()"),
              (std::vector<std::string>{
                  "Entry.",
                  "Call AUtilities::closeWindow() to close other instances of this program",
                  "Call AUtilities::getCurrentDirectory()", "Call AUtilities::getRegistryKeys()",
                  "Call AUtilities::findJava()", "Call AUtilities::findVLR()", "Exit."}));
    // Which operations ran, in their order.
    std::vector<std::string> entries;
    for (const std::string& line : lines())
        if (line.size() > 9 && line.compare(line.size() - 9, 9, "() Entry.") == 0 &&
            line.compare(0, 24, "AUtilities::doesFileExis") != 0)
            entries.push_back(line.substr(0, line.size() - 7));
    EXPECT_EQ(entries, (std::vector<std::string>{
                           "AUtilities::parseArgs()", "AAutorun::main()",
                           "AUtilities::initialize()", "AUtilities::isRegistryWriteable()",
                           "AUtilities::closeWindow()", "AUtilities::getWindowsList()",
                           "AUtilities::getCurrentDirectory()", "AUtilities::getKitTitle()",
                           "AUtilities::closeWindow()", "AUtilities::getWindowsList()",
                           "AUtilities::getRegistryKeys()", "AUtilities::findJava()",
                           "AUtilities::findVLR()", "AUtilities::setRegistryKeys()"}));
    EXPECT_TRUE(traced("AUtilities::setPDFCD() set to \"false\""));
    EXPECT_TRUE(traced("AUtilities::setTndrlCD() set to \"false\""));
    EXPECT_EQ(m().registry.findValue(settingsKey, "TndrlChoice")->data, std::string("Nothing\0", 8));
}

}  // namespace
