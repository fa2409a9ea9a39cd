// The preferences window's wizard: moves between the panels, what leaving a
// panel stores, the old-reader warning, Finish and Cancel, the now-buttons.
#include <functional>

#include "wizard_support.h"

namespace {

using namespace test;

class Wizard : public WizardFixture {};

// Every event on every panel: where the window goes, whether the panel left
// kept the user's pick, how Back, Next and the reader's row look there, and
// whether it asked to close.
TEST_F(Wizard, StateTable) {
    struct Row {
        int from;
        const char* event;
        std::function<void()> act;
        int to;
        bool stores;  // the panel left takes the radio buttons' selection
        bool closes;
        int starts;
    };
    const Row rows[] = {
        {0, "Next", [] { click(nextId); }, 1, true, false, 0},
        {0, "Back (disabled)", [] { click(backId); }, 0, false, false, 0},
        {0, "list item 2", [] { selectItem(2); }, 2, true, false, 0},
        {0, "list item 0", [] { selectItem(0); }, 0, false, false, 0},
        {0, "Cancel", [] { click(cancelId); }, 0, false, true, 0},
        {0, "a now-button", [] { click(kitIndexNowId); }, 0, false, false, 1},
        {1, "Next", [] { click(nextId); }, 2, true, false, 0},
        {1, "Back", [] { click(backId); }, 0, true, false, 0},
        {1, "list item 0", [] { selectItem(0); }, 0, true, false, 0},
        {1, "list item 2", [] { selectItem(2); }, 2, true, false, 0},
        {1, "list item 1", [] { selectItem(1); }, 1, false, false, 0},
        {1, "Cancel", [] { click(cancelId); }, 1, false, true, 0},
        {1, "a now-button", [] { click(discIndexNowId); }, 1, false, false, 1},
        {1, "the reader's now-button (disabled)", [] { click(vlrNowId); }, 1, false, false, 0},
        {2, "Finish", [] { click(nextId); }, 2, true, true, 0},
        {2, "Back", [] { click(backId); }, 1, true, false, 0},
        {2, "list item 1", [] { selectItem(1); }, 1, true, false, 0},
        {2, "list item 0", [] { selectItem(0); }, 0, true, false, 0},
        {2, "list item 2", [] { selectItem(2); }, 2, false, false, 0},
        {2, "Cancel", [] { click(cancelId); }, 2, false, true, 0},
        {2, "a now-button", [] { click(kitIndexNowId); }, 2, false, false, 1},
    };
    const struct {
        bool back;
        const char* next;
        bool reader;
    } looks[] = {{false, "Next>", true}, {true, "Next>", false}, {true, "Finish", true}};
    for (const Row& row : rows) {
        const std::string name = std::to_string(row.from) + ": " + row.event;
        nextRow(name);
        SCOPED_TRACE(name);
        m().files.addFile("E:\\vmframe.htm");
        m().files.addFile("C:\\WEB\\BROWSER.EXE");
        m().processes.associate(".htm", "C:\\WEB\\BROWSER.EXE");
        AUtilities::driveWithSlash = "E:\\";
        reader(true, true);
        saved("KitIndex", "DiscIndex", "Nothing");
        open();
        if (row.from != 0) selectItem(row.from);
        ASSERT_EQ(panel(), row.from);
        m().gui.find(frame)->icon = nullptr;  // every panel shown sets it again
        click(windowRadioId);  // saved on no panel
        row.act();
        EXPECT_EQ(panel(), row.to);
        EXPECT_EQ(m().gui.find(part(listId))->selected, row.to);
        EXPECT_EQ(enabled(backId), looks[row.to].back);
        EXPECT_EQ(m().gui.find(part(nextId))->text, looks[row.to].next);
        EXPECT_EQ(enabled(vlrRadioId), looks[row.to].reader);
        EXPECT_EQ(enabled(vlrLabelId), looks[row.to].reader);
        EXPECT_EQ(enabled(vlrNowId), looks[row.to].reader);
        EXPECT_EQ(closeRequests(), row.closes ? 1 : 0);
        EXPECT_EQ(static_cast<int>(m().processes.starts.size()), row.starts);
        const std::string savedOnPanel[] = {"KitIndex", "Nothing", "DiscIndex"};
        const std::string held[] = {P::currentTndrlSelection(*window),
                                    P::currentPDFSelection(*window),
                                    P::currentMixedSelection(*window)};
        for (int p = 0; p < 3; ++p)
            EXPECT_EQ(held[p], p == row.from && row.stores ? "Window" : savedOnPanel[p])
                << "panel " << p;
        // Only Finish hands the choices to the shared state, and tells of
        // the change.
        const bool finished = std::string(row.event) == "Finish";
        EXPECT_EQ(AUtilities::tndrlChoice(), "KitIndex");
        EXPECT_EQ(AUtilities::mixedChoice(), finished ? "Window" : "DiscIndex");
        EXPECT_EQ(boxesWithText(changeMessage), finished ? 1 : 0);
        EXPECT_EQ(m().boxes.size(), finished ? 1u : 0u);
        EXPECT_EQ(m().gui.find(frame)->icon != nullptr, row.to != row.from);
        EXPECT_NE(window->icon(), nullptr);
    }
}

TEST_F(Wizard, TraceOfNextOnTheTandrelPanel) {
    reader(true, true, "2.3.0");
    saved("Window", "Window", "Window");
    open();
    AUtilities::openTraceFile();
    click(vlrRadioId);
    std::size_t linesAtBox = 0;
    m().boxScript.push_back({1, [&] { linesAtBox = lines().size(); }});
    click(nextId);
    const std::vector<std::string> expected = {
        "AAutorunWindow::pushButtonNext() Entry.",
        "AAutorunWindow::pushButtonNext() Current panel = 0",
        "AAutorunWindow::pushButtonNext() Switch to PDF panel.",
        "AAutorunWindow::radioButtonSelection() Entry.",
        "AAutorunWindow::radioButtonSelection() Selection = \"VLR\"",
        "AAutorunWindow::radioButtonSelection() Exit.",
        "AAutorunWindow::showDownlevelVLRWindow() Entry.  old = Window.  new = VLR.",
        "AAutorunWindow::showDownlevelVLRWindow() Exit.",
        "AAutorunWindow::setPanel() Entry.",
        "AAutorunWindow::setPanel() Switch to PDF panel.",
        "AAutorunWindow::listBoxSelection() Entry.",
        "AAutorunWindow::listBoxSelection() Selected item = 1.  Current panel = 1.",
        "AAutorunWindow::listBoxSelection() Exit.",
        "AAutorunWindow::setRadioButtonSelection() Entry.",
        "AAutorunWindow::setRadioButtonSelection() Exit.",
        "AAutorunWindow::setPanel() Exit.",
        "AAutorunWindow::pushButtonNext() Exit.",
    };
    EXPECT_EQ(lines(), expected);
    EXPECT_EQ(linesAtBox, 7u);  // the warning stands between the check's two lines
    ASSERT_EQ(m().boxes.size(), 1u);
    EXPECT_EQ(m().boxes[0].text, oldReaderWarning);
    EXPECT_EQ(m().boxes[0].title, "Autorun Message");
    EXPECT_EQ(m().boxes[0].owner, gui::desktop().handle());
    EXPECT_EQ(m().boxes[0].style, 0x30u | 0x10000u);
    EXPECT_EQ(P::currentTndrlSelection(*window), "VLR");
    EXPECT_EQ(P::oldTndrlSelection(*window), "VLR");
}

TEST_F(Wizard, OldReaderWarningDependsOnTheVersionText) {
    const struct {
        const char* version;
        bool warns;
    } rows[] = {{"", true},       {"2.3.4", true},   {"2.3.10", true}, {"10.0", true},
                {"2.3.5", false}, {"2.3.5a", false}, {"2.4", false}};
    for (const auto& row : rows) {
        nextRow(row.version);
        SCOPED_TRACE(row.version);
        reader(true, true, row.version);
        saved("Window", "Window", "Window");
        open();
        click(vlrRadioId);
        click(nextId);
        EXPECT_EQ(boxesWithText(oldReaderWarning), row.warns ? 1 : 0);
        EXPECT_EQ(panel(), 1);  // the warning is advice only
        EXPECT_EQ(P::currentTndrlSelection(*window), "VLR");
    }
}

// The warning comes only when a panel's selection has become "VLR" since
// that panel was last left.
TEST_F(Wizard, OldReaderWarningOnlyWhenNewlyChosen) {
    struct Row {
        const char* what;
        const char* savedTndrl;
        const char* savedMixed;
        std::function<void()> act;
        int warnings;
    };
    const Row rows[] = {
        {"leaving panel 0 twice with VLR", "Window", "Window",
         [] {
             click(vlrRadioId);
             click(nextId);
             click(backId);
             click(nextId);
         },
         1},
        {"a saved VLR left unchanged", "VLR", "VLR",
         [] {
             click(nextId);
             click(nextId);
             click(backId);
             click(backId);
             click(nextId);
             click(nextId);
         },
         0},
        {"away from VLR, left, and back to VLR", "VLR", "Window",
         [] {
             click(kitIndexRadioId);
             click(nextId);
             click(backId);
             click(vlrRadioId);
             selectItem(2);
         },
         1},
        {"the mixed panel left by Back and by the list", "Window", "Window",
         [] {
             selectItem(2);
             click(vlrRadioId);
             click(backId);
             selectItem(2);
             selectItem(0);
         },
         1},
        {"leaving panel 1 never checks", "Window", "Window",
         [] {
             selectItem(1);
             selectItem(0);
             selectItem(1);
             selectItem(2);
             click(backId);
         },
         0},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        reader(true, true, "2.3.0");
        saved(row.savedTndrl, row.savedMixed, "VLR");
        open();
        row.act();
        EXPECT_EQ(boxesWithText(oldReaderWarning), row.warnings);
    }
}

TEST_F(Wizard, ReaderOrJavaMissingTurnsASavedVLRIntoWindow) {
    const struct {
        bool vlr, java;
    } rows[] = {{false, true}, {true, false}, {false, false}};
    for (const auto& row : rows) {
        const std::string name = std::string("reader ") + (row.vlr ? "yes" : "no") + ", Java " +
                                 (row.java ? "yes" : "no");
        nextRow(name);
        SCOPED_TRACE(name);
        reader(row.vlr, row.java);
        saved("VLR", "KitIndex", "Nothing");
        open();
        EXPECT_FALSE(enabled(vlrRadioId));
        EXPECT_FALSE(enabled(vlrLabelId));
        EXPECT_FALSE(enabled(vlrNowId));
        EXPECT_EQ(radio(), "Window");
        EXPECT_EQ(P::originalTndrlSelection(*window), "VLR");
        EXPECT_EQ(P::oldTndrlSelection(*window), "VLR");
        click(nextId);
        click(nextId);
        click(nextId);  // Finish
        EXPECT_EQ(AUtilities::tndrlChoice(), "Window");
        EXPECT_EQ(AUtilities::mixedChoice(), "KitIndex");
        EXPECT_EQ(boxesWithText(changeMessage), 1);
        EXPECT_EQ(boxesWithText(oldReaderWarning), 0);
        EXPECT_EQ(closeRequests(), 1);
    }
}

TEST_F(Wizard, PDFPanelKeepsASavedVLR) {
    reader(true, true);
    saved("KitIndex", "DiscIndex", "VLR");
    open();
    click(nextId);
    EXPECT_EQ(radio(), "VLR");
    EXPECT_FALSE(enabled(vlrRadioId));  // shown selected although disabled
    click(nextId);
    EXPECT_EQ(P::currentPDFSelection(*window), "VLR");
    click(nextId);  // Finish
    EXPECT_EQ(AUtilities::pdfChoice(), "VLR");
    EXPECT_EQ(boxesWithText(changeMessage), 0);
    EXPECT_TRUE(m().boxes.empty());
}

TEST_F(Wizard, UnknownSavedTextShowsNothingAndIsStoredAsNothing) {
    for (const char* text : {"", "window", "vlr", "Bogus"}) {
        const std::string name = std::string("\"") + text + "\"";
        nextRow(name);
        SCOPED_TRACE(name);
        reader(true, true);
        saved(text, "Window", "Window");
        open();
        EXPECT_EQ(radio(), "Nothing");
        click(nextId);
        EXPECT_EQ(P::currentTndrlSelection(*window), "Nothing");
        click(nextId);
        click(nextId);
        EXPECT_EQ(AUtilities::tndrlChoice(), "Nothing");
        EXPECT_EQ(boxesWithText(changeMessage), 1);
    }
}

// Panel 1 is never left: going from panel 0 to panel 2 by the list and
// finishing there keeps its saved text, whatever it is.
TEST_F(Wizard, PanelNeverLeftKeepsItsSavedText) {
    reader(true, true);
    saved("KitIndex", "DiscIndex", "bogus");
    open();
    selectItem(2);
    click(nextId);  // Finish
    EXPECT_EQ(AUtilities::pdfChoice(), "bogus");
    EXPECT_EQ(AUtilities::tndrlChoice(), "KitIndex");
    EXPECT_EQ(AUtilities::mixedChoice(), "DiscIndex");
    EXPECT_TRUE(m().boxes.empty());
}

TEST_F(Wizard, FinishWithNothingChanged) {
    reader(true, true);
    saved("KitIndex", "Window", "DiscIndex");
    open();
    click(nextId);
    click(nextId);
    AUtilities::openTraceFile();
    click(nextId);
    const std::vector<std::string> finish = traceOf("AAutorunWindow::pushButtonNext()");
    EXPECT_EQ(finish, (std::vector<std::string>{
                          "Entry.",
                          "Current panel = 2",
                          "Perform Finish activities.",
                          "originalTndrlSelection = KitIndex",
                          "originalMixedSelection = Window",
                          "originalPDFSelection = DiscIndex",
                          "currentTndrlSelection = KitIndex",
                          "currentMixedSelection = Window",
                          "currentPDFSelection = DiscIndex",
                          "Exit.",
                      }));
    EXPECT_EQ(traceOf("AUtilities::setTndrlChoice()"), std::vector<std::string>{"set to \"KitIndex\""});
    EXPECT_EQ(traceOf("AUtilities::setMixedChoice()"), std::vector<std::string>{"set to \"Window\""});
    EXPECT_EQ(traceOf("AUtilities::setPDFChoice()"), std::vector<std::string>{"set to \"DiscIndex\""});
    EXPECT_TRUE(m().boxes.empty());
    EXPECT_EQ(closeRequests(), 1);
    EXPECT_EQ(panel(), 2);
}

TEST_F(Wizard, FinishWithAChangeShowsTheMessageBeforeClosing) {
    reader(true, true);
    saved("KitIndex", "Window", "DiscIndex");
    open();
    click(nextId);
    click(nothingRadioId);
    click(nextId);
    AUtilities::openTraceFile();
    int closesWhileOpen = -1;
    m().boxScript.push_back({1, [&] { closesWhileOpen = closeRequests(); }});
    click(nextId);
    EXPECT_EQ(traced("AAutorunWindow::pushButtonNext() showChangeMessage = true"), 1);
    ASSERT_EQ(m().boxes.size(), 1u);
    EXPECT_EQ(m().boxes[0].text, changeMessage);
    EXPECT_EQ(closesWhileOpen, 0);  // dismissed before the close request
    EXPECT_EQ(closeRequests(), 1);
    EXPECT_EQ(AUtilities::pdfChoice(), "Nothing");
}

// Selecting the list item of the panel shown (as setPanel's own selection
// does) writes the three lines and changes nothing.
TEST_F(Wizard, ListEchoChangesNothing) {
    reader(true, true);
    saved("KitIndex", "Window", "DiscIndex");
    open();
    click(nextId);
    click(windowRadioId);
    AUtilities::openTraceFile();
    P::discTypeList(*window)->select(1);
    EXPECT_EQ(lines(), (std::vector<std::string>{
                           "AAutorunWindow::listBoxSelection() Entry.",
                           "AAutorunWindow::listBoxSelection() Selected item = 1.  Current panel = 1.",
                           "AAutorunWindow::listBoxSelection() Exit.",
                       }));
    EXPECT_EQ(panel(), 1);
    EXPECT_EQ(P::currentPDFSelection(*window), "DiscIndex");  // not stored
    EXPECT_EQ(radio(), "Window");
}

// No selection (-1) or an item beyond the three panels is no move.
TEST_F(Wizard, ListIndexOutsideThePanelsChangesNothing) {
    reader(true, true);
    saved("KitIndex", "Window", "DiscIndex");
    open();
    click(nextId);
    click(windowRadioId);
    for (int item : {-1, 3, 42}) {
        SCOPED_TRACE(item);
        if (item == -1)
            P::discTypeList(*window)->select(-1);  // the list answers -1
        else
            window->listBoxSelection(item);
        EXPECT_EQ(panel(), 1);
        EXPECT_EQ(P::currentPDFSelection(*window), "DiscIndex");
        EXPECT_EQ(radio(), "Window");
        EXPECT_TRUE(enabled(backId));
    }
}

TEST_F(Wizard, NowButtonsOpenAndStay) {
    m().files.addFile("E:\\vmframe.htm");
    m().files.addFile("C:\\WEB\\BROWSER.EXE");
    m().processes.associate(".htm", "C:\\WEB\\BROWSER.EXE");
    m().files.addFile("C:\\JRE\\BIN\\JAVAW.EXE");
    m().files.addFile("C:\\READER\\SYS\\pvns");
    AUtilities::driveWithSlash = "E:\\";
    reader(true, true);
    AUtilities::setJavaExecutable("C:\\JRE\\BIN\\JAVAW.EXE");
    AUtilities::setVLRPath("C:\\READER\\SYS");
    AUtilities::setVLRParms("-A ");
    const std::string readerLine =
        "C:\\JRE\\BIN\\JAVAW.EXE -jar C:\\READER\\SYS\\pvns -d \"C:\\READER\\SYS\" -A "
        "E:\\shelves;E:\\books ";
    saved("KitIndex", "Window", "DiscIndex");
    open();
    click(discIndexRadioId);
    AUtilities::openTraceFile();
    click(kitIndexNowId);
    click(discIndexNowId);
    click(vlrNowId);
    ASSERT_EQ(m().processes.starts.size(), 3u);
    EXPECT_EQ(m().processes.starts[0].commandLine, "C:\\WEB\\BROWSER.EXE E:\\vmframe.htm");
    EXPECT_EQ(m().processes.starts[1].commandLine, "C:\\WEB\\BROWSER.EXE E:\\vmframe.htm#disc");
    EXPECT_EQ(m().processes.starts[2].commandLine, readerLine);
    EXPECT_EQ(m().processes.starts[2].program, "C:\\JRE\\BIN\\JAVAW.EXE");
    EXPECT_EQ(m().processes.starts[2].currentDirectory, "C:\\READER\\SYS");
    // A start that fails shows its own box; the window stays as it was.
    m().processes.failures = {2};
    click(vlrNowId);
    ASSERT_EQ(m().boxes.size(), 1u);
    EXPECT_EQ(m().boxes[0].text, "Error 2 starting program - " + readerLine);
    for (const char* name : {"AAutorunWindow::pushButtonKitIndex()",
                             "AAutorunWindow::pushButtonDiscIndex()",
                             "AAutorunWindow::pushButtonVLR()"}) {
        const std::vector<std::string> t = traceOf(name);
        ASSERT_FALSE(t.empty()) << name;
        EXPECT_EQ(t.front(), "Entry.");
        EXPECT_EQ(t.back(), "Exit.");
    }
    EXPECT_EQ(panel(), 0);
    EXPECT_EQ(radio(), "DiscIndex");
    EXPECT_EQ(P::currentTndrlSelection(*window), "KitIndex");
    EXPECT_EQ(closeRequests(), 0);
}

// The whole program: Cancel after changes writes back what was read; Finish
// writes the new choices once the window has closed.
TEST_F(Wizard, RegistryAfterCancelAndAfterFinish) {
    struct Row {
        const char* what;
        std::function<void()> act;
        const char* tndrl;
        const char* mixed;
        const char* pdf;
        int changeMessages;
    };
    const auto changeTandrelAndPDF = [] {
        click(nothingRadioId);
        click(nextId);
        click(windowRadioId);
        click(nextId);
    };
    const Row rows[] = {
        {"Cancel", [&] { changeTandrelAndPDF(); click(cancelId); }, "KitIndex", "Window",
         "DiscIndex", 0},
        {"Finish", [&] { changeTandrelAndPDF(); click(nextId); }, "Nothing", "Window", "Window", 1},
        {"Finish with only the mixed choice changed",
         [] {
             click(nextId);
             click(nextId);
             click(kitIndexRadioId);
             click(nextId);
         },
         "KitIndex", "KitIndex", "DiscIndex", 1},
    };
    for (const Row& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        disc();
        m().registry.setString(settingsKey, "TndrlChoice", "KitIndex");
        m().registry.setString(settingsKey, "MixedChoice", "Window");
        m().registry.setString(settingsKey, "PDFChoice", "DiscIndex");
        sim::input::later(row.act);
        EXPECT_EQ(run({"E:\\autorun.exe"}), 0);
        EXPECT_FALSE(exited);
        EXPECT_EQ(written("TndrlChoice"), row.tndrl);
        EXPECT_EQ(written("MixedChoice"), row.mixed);
        EXPECT_EQ(written("PDFChoice"), row.pdf);
        EXPECT_EQ(written("Version"), "0013");
        EXPECT_EQ(boxesWithText(changeMessage), row.changeMessages);
        EXPECT_TRUE(m().gui.windows.empty());
    }
}

}  // namespace
