// The perform switch through the whole program: the saved choice for the
// disc's kind is carried out and the settings are written back.
#include "launch_support.h"
#include "preferences/AAutorunWindow.h"
#include "sim/input.h"

namespace {

using test::settingsKey;
const std::string browser = "C:\\WEB\\BROWSER.EXE";
const std::string java = "C:\\JRE\\BIN\\JAVAW.EXE";
const std::string readerLine =
    java + " -jar C:\\READER\\sys\\pvns -d \"C:\\READER\\sys\" -A E:\\shelves;E:\\books ";
const std::string readerGone =
    "You previously selected to open the Velmora Reader when a Dovrel\n"
    "disc is loaded, but the Velmora Reader is no longer installed.\n\n"
    "Please make a new selection in the Autorun Preferences window,\n"
    "which will appear when you click on OK.";

enum Kind { tandrel, pdf, mixed, neither };

class Perform : public test::Fixture {
protected:
    // A disc of the kit in E: with its markers, a browser for .htm, and the
    // Java runtime and the reader installed unless said otherwise.
    void prepare(Kind kind, const std::string& tndrl, const std::string& mixedChoice,
                 const std::string& pdfChoice, bool javaThere = true, bool readerThere = true) {
        m().files.addFile("E:\\vmframe.htm");
        if (kind == tandrel || kind == mixed) m().files.addFolder("E:\\shelves");
        if (kind == pdf || kind == mixed) m().files.addFolder("E:\\pdf");
        m().files.addFile(browser);
        m().processes.associate(".htm", browser);
        m().registry.setString(settingsKey, "TndrlChoice", tndrl);
        m().registry.setString(settingsKey, "MixedChoice", mixedChoice);
        m().registry.setString(settingsKey, "PDFChoice", pdfChoice);
        const std::string appPaths = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
        m().registry.setString(appPaths + "javaw.exe", "", java);
        if (javaThere) m().files.addFile(java);
        m().registry.setString(appPaths + "pvnshelves.jar", "Path", "C:\\READER");
        if (readerThere) m().files.addFile("C:\\READER\\SYS\\pvns");
        m().registry.addKey("Software\\Zantic\\Zantic Velmora Reader\\2.3.5");
    }

    // Runs the program and notes whether the preferences window came up
    // (the user then closes it with its close box) and how many message
    // boxes had been shown before it.
    int perform(std::initializer_list<std::string> args) {
        windowShown = false;
        boxesBeforeWindow = 0;
        sim::input::later([this] {
            const os::HWND frame = sim::input::frame(AAutorunWindow::initialTitle().c_str());
            windowShown = frame && m().gui.find(frame)->visible;
            boxesBeforeWindow = m().boxes.size();
        });
        return run(args);
    }
    bool windowShown = false;
    std::size_t boxesBeforeWindow = 0;

    std::vector<std::string> commandLines() {
        std::vector<std::string> out;
        for (const sim::Processes::Start& s : m().processes.starts) out.push_back(s.commandLine);
        return out;
    }

    // The values written to the settings key during the run, by name, as
    // many bytes as the writer passed.
    std::map<std::string, std::string> written() {
        std::map<std::string, std::string> out;
        for (const sim::Registry::Write& w : m().registry.writes)
            if (w.key == sim::Registry::keyOf(settingsKey) && w.result == 0 && w.name != "Date")
                out[w.name] = m().registry.findValue(settingsKey, w.name)->data.substr(0, w.size);
        return out;
    }
};

TEST_F(Perform, SavedChoiceForTheDiscsKind) {
    struct Row {
        const char* what;
        Kind kind;
        std::string tndrl, mixedChoice, pdfChoice;
        std::vector<std::string> started;
        bool window = false;
    };
    const Row rows[] = {
        {"Tandrel, kit index", tandrel, "KitIndex", "Nothing", "Nothing",
         {browser + " E:\\vmframe.htm"}},
        {"Tandrel, disc index", tandrel, "DiscIndex", "Nothing", "Nothing",
         {browser + " E:\\vmframe.htm#disc"}},
        {"Tandrel, reader", tandrel, "VLR", "Nothing", "Nothing", {readerLine}},
        {"PDF", pdf, "KitIndex", "VLR", "DiscIndex", {browser + " E:\\vmframe.htm#disc"}},
        {"mixed uses the mixed choice", mixed, "KitIndex", "VLR", "DiscIndex", {readerLine}},
        {"mixed, kit index", mixed, "VLR", "KitIndex", "DiscIndex", {browser + " E:\\vmframe.htm"}},
        {"no marker counts as Tandrel", neither, "KitIndex", "VLR", "DiscIndex",
         {browser + " E:\\vmframe.htm"}},
        {"window, the first-run default", tandrel, "Window", "KitIndex", "KitIndex", {}, true},
        {"nothing", tandrel, "Nothing", "KitIndex", "KitIndex", {}},
        {"another text", tandrel, "Browser", "KitIndex", "KitIndex", {}},
        {"reader in another case", tandrel, "vlr", "KitIndex", "KitIndex", {}},
        {"index in another case", tandrel, "kitindex", "KitIndex", "KitIndex", {}},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        prepare(row.kind, row.tndrl, row.mixedChoice, row.pdfChoice);
        EXPECT_EQ(perform({"E:\\autorun.exe", "/p", "/t"}), 0);
        EXPECT_FALSE(exited);
        EXPECT_EQ(commandLines(), row.started);
        EXPECT_EQ(windowShown, row.window);
        EXPECT_TRUE(m().boxes.empty());
        EXPECT_TRUE(m().processes.handles.empty());
        const std::map<std::string, std::string> expected = {{"TndrlChoice", row.tndrl},
                                                             {"MixedChoice", row.mixedChoice},
                                                             {"PDFChoice", row.pdfChoice},
                                                             {"Version", "0013"}};
        EXPECT_EQ(written(), expected);
        const std::vector<std::string> trace = lines();
        ASSERT_FALSE(trace.empty());
        EXPECT_EQ(trace.back(), "AAutorun::main() Exit.");
    }
}

TEST_F(Perform, ReaderChosenButNotInstalled) {
    struct Row {
        const char* what;
        bool javaThere, readerThere;
        std::vector<std::string> boxes;
    };
    const Row rows[] = {
        {"reader missing", true, false, {readerGone}},
        {"both missing", false, false, {readerGone}},
        {"only Java missing", false, true, {}},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        prepare(tandrel, "VLR", "KitIndex", "KitIndex", row.javaThere, row.readerThere);
        EXPECT_EQ(perform({"E:\\autorun.exe", "/p"}), 0);
        std::vector<std::string> texts;
        for (const sim::MessageBoxRecord& box : m().boxes) texts.push_back(box.text);
        EXPECT_EQ(texts, row.boxes);
        // The window comes after the notice.
        EXPECT_TRUE(windowShown);
        EXPECT_EQ(boxesBeforeWindow, row.boxes.size());
        EXPECT_TRUE(m().processes.starts.empty());
        EXPECT_TRUE(m().processes.failedStarts.empty());
        EXPECT_EQ(written().at("TndrlChoice"), "VLR");
    }
}

// A program that cannot start shows its own box; no window follows.
TEST_F(Perform, FailedStartEndsTheRunNormally) {
    const struct {
        const char* tndrl;
        std::string commandLine;
    } rows[] = {{"KitIndex", browser + " E:\\vmframe.htm"}, {"VLR", readerLine}};
    for (const auto& row : rows) {
        nextRow(row.tndrl);
        SCOPED_TRACE(row.tndrl);
        prepare(tandrel, row.tndrl, "Nothing", "Nothing");
        m().processes.failures = {2};
        EXPECT_EQ(perform({"E:\\autorun.exe", "/p", "/t"}), 0);
        EXPECT_FALSE(exited);
        ASSERT_EQ(m().boxes.size(), 1u);
        EXPECT_EQ(m().boxes[0].text, "Error 2 starting program - " + row.commandLine);
        EXPECT_FALSE(windowShown);
        EXPECT_EQ(written().at("TndrlChoice"), row.tndrl);
        const std::vector<std::string> trace = lines();
        for (const std::string& line : trace)
            EXPECT_EQ(line.find("AAutorunWindow"), std::string::npos) << line;
        EXPECT_EQ(trace.back(), "AAutorun::main() Exit.");
    }
}

TEST_F(Perform, ReaderFromANetworkPathIsRefused) {
    m().files.addFile("\\\\server\\kit\\vmframe.htm");
    m().files.addFolder("\\\\server\\kit\\shelves");
    m().registry.setString(settingsKey, "TndrlChoice", "VLR");
    const std::string appPaths = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
    m().registry.setString(appPaths + "javaw.exe", "", java);
    m().files.addFile(java);
    m().registry.setString(appPaths + "pvnshelves.jar", "Path", "C:\\READER");
    m().files.addFile("C:\\READER\\SYS\\pvns");
    EXPECT_EQ(perform({"\\\\server\\kit\\autorun.exe", "/p", "/t"}), 0);
    EXPECT_FALSE(exited);
    EXPECT_TRUE(m().processes.starts.empty());
    EXPECT_TRUE(m().boxes.empty());
    EXPECT_FALSE(windowShown);
    EXPECT_EQ(written().at("TndrlChoice"), "VLR");
    EXPECT_EQ(lines().back(), "AAutorun::main() Exit.");
    const std::vector<std::string> reader = test::linesOf(lines(), {"AUtilities::openVLR()"});
    EXPECT_EQ(reader, std::vector<std::string>{"AUtilities::openVLR() Entry."});
}

}  // namespace
