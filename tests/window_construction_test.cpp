// The preferences window as built: its frame rectangle, its parts with their
// ids, parents, cells, texts and long help texts, the copies of the saved
// choices, its laid-out rectangles, and main's retry when building fails.
#include <algorithm>
#include <functional>
#include <memory>
#include <set>

#include "gui/Canvas.h"
#include "gui/Controls.h"
#include "gui/FrameWindow.h"
#include "gui/MessageDialog.h"
#include "preferences/AAutorunWindow.h"
#include "sim/input.h"
#include "wizard_support.h"

namespace {

using P = AAutorunWindowProbe;
using Part = std::function<gui::Window*(AAutorunWindow&)>;
#define PART(field) [](AAutorunWindow& w) -> gui::Window* { return P::field(w); }

const char title[] = "Autorun Preferences for Zantic Collections";

class Window : public test::WizardFixture {
protected:
    std::vector<std::string> choicesWritten() {
        std::vector<std::string> names;
        for (const sim::Registry::Write& w : m().registry.writes)
            if (w.name != "Date") names.push_back(w.name);
        return names;
    }
};

TEST_F(Window, InitialFrameRectIsCentredAndTruncatesTowardZero) {
    const struct {
        int width, height;
        gui::Rect expected;
    } rows[] = {
        {1024, 768, {202, 166, 822, 601}},
        {800, 600, {90, 82, 710, 517}},
        {600, 400, {-10, -17, 610, 418}},  // -17.5 truncated toward zero
        {619, 434, {0, 0, 620, 435}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.width) + "x" + std::to_string(row.height));
        m().desktopWidth = row.width;
        m().desktopHeight = row.height;
        const gui::Rect r = AAutorunWindow::initialFrameRect();
        EXPECT_EQ(r, row.expected) << r.left << "," << r.top << " " << r.right << "," << r.bottom;
    }
}

TEST_F(Window, InitialTitleIsACopy) {
    std::string t = AAutorunWindow::initialTitle();
    EXPECT_EQ(t, title);
    t += "x";
    EXPECT_EQ(AUtilities::windowTitle, title);
}

// The parts in their order of creation, with the parent, the cell, the text
// and the long help text each must have.
struct PartRow {
    const char* name;
    Part part;
    unsigned long id;
    Part parent;  // null: the frame
    int column, row;  // 0: in no cell
    const char* text;
    const char* help;  // null: none registered
};

const char listHelp[] = "Make a selection for each type of disc.";
const char readerHelp[] =
    "Choose this option to open the Zantic Velmora Reader and display the Tandrel bookshelves "
    "on the disc.  If the Velmora Reader is already running, it will auto-refresh if that option "
    "is selected in Corvantis and if the directories for the disc have been added to the "
    "user-defined directories in Corvantis.";
const char discHelp[] =
    "Choose this option to open the disc index in your browser.  For a multi-disc collection, "
    "you will see the contents of the current disc.   For a single-disc collection, the "
    "collection and disc indexes are the same.";
const char kitHelp[] =
    "Choose this option to open the collection index in your browser.  For a multi-disc "
    "collection, you will see the contents of the entire collection.   For a single-disc kit, "
    "the collection and disc indexes are the same.";
const char windowHelp[] =
    "Choose this option if you don't want to set a preference for the type of disc selected.  "
    "No programs are started for the current disc if it is of the selected type.  This window "
    "(Autorun Preferences for Zantic Collections) will be shown again the next time a "
    "collection disc of the selected type is inserted.";
const char nothingHelp[] =
    "Choose this option to prevent programs from automatically starting when a collection disc "
    "of the selected type is inserted.  This option does not affect the auto-refresh setting of "
    "the Velmora Reader, so the Reader might still refresh.";

const PartRow parts[] = {
    {"viewPort", PART(viewPort), 32776, nullptr, 0, 0, "", nullptr},
    {"mainCanvas", PART(mainCanvas), 15001, PART(viewPort), 0, 0, "", nullptr},
    {"buttonCanvas", PART(buttonCanvas), 15002, PART(mainCanvas), 2, 8, "", nullptr},
    {"backButton", PART(backButton), 15003, PART(buttonCanvas), 0, 0, "<Back", nullptr},
    {"nextButton", PART(nextButton), 15004, PART(buttonCanvas), 0, 0, "Next>", nullptr},
    {"cancelButton", PART(cancelButton), 15005, PART(buttonCanvas), 0, 0, "Cancel",
     "Exit without saving any choices"},
    {"discTypeList", PART(discTypeList), 15006, PART(mainCanvas), 2, 3, "", listHelp},
    {"spareCanvas", PART(spareCanvas), 15007, PART(mainCanvas), 0, 0, "", nullptr},
    {"choiceCanvas", PART(choiceCanvas), 15008, PART(mainCanvas), 2, 6, "", nullptr},
    {"vlrRadioButton", PART(vlrRadioButton), 15009, PART(choiceCanvas), 1, 1, "", readerHelp},
    {"discIndexRadioButton", PART(discIndexRadioButton), 15010, PART(choiceCanvas), 1, 3, "",
     discHelp},
    {"kitIndexRadioButton", PART(kitIndexRadioButton), 15011, PART(choiceCanvas), 1, 5, "",
     kitHelp},
    {"windowRadioButton", PART(windowRadioButton), 15012, PART(choiceCanvas), 1, 9, "",
     windowHelp},
    {"nothingRadioButton", PART(nothingRadioButton), 15013, PART(choiceCanvas), 1, 7, "",
     nothingHelp},
    {"vlrNowButton", PART(vlrNowButton), 15014, PART(choiceCanvas), 4, 1,
     "Open the Velmora Reader now",
     "Click on this button to open the Velmora Reader - Corvantis if it is not already running."},
    {"discIndexNowButton", PART(discIndexNowButton), 15015, PART(choiceCanvas), 4, 3,
     "Open the disc index now",
     "Click on this button to start your browser and display the index for the current disc."},
    {"kitIndexNowButton", PART(kitIndexNowButton), 15016, PART(choiceCanvas), 4, 5,
     "Open the collection index now",
     "Click on this button to start your browser and display the index for this collection."},
    {"headingText", PART(headingText), 15017, PART(mainCanvas), 2, 2,
     "For each of the following types of Zantic collection discs, select an action to occur "
     "when a disc is inserted:",
     nullptr},
    {"vlrLabel", PART(vlrLabel), 15020, PART(choiceCanvas), 2, 1,
     "Open the Zantic Velmora Reader - Corvantis", readerHelp},
    {"discIndexLabel", PART(discIndexLabel), 15022, PART(choiceCanvas), 2, 3,
     "Open the disc index", discHelp},
    {"kitIndexLabel", PART(kitIndexLabel), 15023, PART(choiceCanvas), 2, 5,
     "Open the collection index", kitHelp},
    {"nothingLabel", PART(nothingLabel), 15021, PART(choiceCanvas), 2, 7,
     "Do nothing.  Don't start any programs.", nothingHelp},
    {"windowLabelLine1", PART(windowLabelLine1), 15024, PART(choiceCanvas), 2, 9,
     "Don't set a preference for this type of disc.  Show", windowHelp},
    {"windowLabelLine2", PART(windowLabelLine2), 15025, PART(choiceCanvas), 2, 10,
     "this preferences window again the next time", windowHelp},
    {"infoArea", PART(infoArea), 15018, nullptr, 0, 0, "", nullptr},
};

TEST_F(Window, PartsHaveTheirIdsParentsCellsTextsAndHelp) {
    AAutorunWindow& w = build();
    gui::FlyOverHelpHandler* handler = P::flyOverHelpHandler(w);
    ASSERT_TRUE(handler);
    EXPECT_EQ(handler, &P::flyOverHelp(w)->defaultHandler());
    std::set<unsigned long> ids;
    for (const PartRow& row : parts) {
        SCOPED_TRACE(row.name);
        gui::Window* part = row.part(w);
        ASSERT_TRUE(part);
        EXPECT_EQ(part->id(), row.id);
        EXPECT_EQ(m().gui.find(part->handle())->id, row.id);  // the native window's id too
        EXPECT_TRUE(ids.insert(row.id).second) << "id used twice";
        gui::Window* parent = row.parent ? row.parent(w) : &w;
        EXPECT_EQ(part->parent(), parent);
        EXPECT_EQ(part->owner(), parent);
        auto* grid = dynamic_cast<gui::MultiCellCanvas*>(parent);
        const gui::GridCell* cell = grid ? grid->cellOf(*part) : nullptr;
        if (row.column) {
            ASSERT_TRUE(cell);
            EXPECT_EQ(cell->column, row.column);
            EXPECT_EQ(cell->row, row.row);
            EXPECT_EQ(cell->columns, 1);
            EXPECT_EQ(cell->rows, 1);
        } else {
            EXPECT_FALSE(cell);
        }
        EXPECT_EQ(part->text(), row.text);
        if (row.help) {
            ASSERT_TRUE(handler->hasHelpText(part->handle()));
            EXPECT_EQ(handler->longHelpText(part->handle()), row.help);
            EXPECT_EQ(handler->flyOverText(part->handle()), "");
        } else if (part != P::nextButton(w)) {  // Next's help comes with the panel
            EXPECT_FALSE(handler->hasHelpText(part->handle()));
        }
    }
    EXPECT_EQ(ids.count(15019), 0u);
    EXPECT_FALSE(handler->hasHelpText(w.handle()));
    EXPECT_EQ(w.client(), P::viewPort(w));
    EXPECT_EQ(static_cast<gui::FrameWindow&>(w).infoArea(), P::infoArea(w));
    EXPECT_EQ(P::infoArea(w)->lineCount(), 4);
    EXPECT_EQ(w.text(), title);
    EXPECT_EQ(w.id(), 15000u);
    // Every window the frame holds is one of the parts.
    int native = 0;
    for (const auto& entry : m().gui.windows) native += entry.second.kind != gui::peer::Kind::frame;
    EXPECT_EQ(native, static_cast<int>(std::size(parts)));
}

TEST_F(Window, SettingsOfTheParts) {
    AAutorunWindow& w = build();
    const gui::Colour grey{192, 192, 192};
    EXPECT_TRUE(w.hasBackgroundColour() && w.backgroundColour() == grey);
    EXPECT_TRUE(P::mainCanvas(w)->hasBackgroundColour() &&
                P::mainCanvas(w)->backgroundColour() == grey);
    EXPECT_FALSE(P::choiceCanvas(w)->hasBackgroundColour());
    EXPECT_FALSE(P::headingText(w)->hasBackgroundColour());

    gui::ListBox* list = P::discTypeList(w);
    EXPECT_EQ(list->count(), 3);
    EXPECT_EQ(list->itemText(0), "Discs with only Tandrel files");
    EXPECT_EQ(list->itemText(1), "Discs with only PDF files");
    EXPECT_EQ(list->itemText(2), "Discs with both Tandrel and PDF files");
    EXPECT_FALSE(list->style() & gui::ListBox::horizontalScroll);
    EXPECT_FALSE(list->style() & gui::ListBox::multipleSelect);
    EXPECT_EQ(list->minimumSize(), (gui::Size{0, 55}));
    EXPECT_EQ(P::spareCanvas(w)->minimumSize(), (gui::Size{100, 100}));
    EXPECT_EQ(P::headingText(w)->minimumSize(), (gui::Size{0, 35}));
    EXPECT_EQ(P::headingText(w)->alignment(), gui::StaticText::topLeftWrapping);
    for (gui::StaticText* label : {P::vlrLabel(w), P::discIndexLabel(w), P::kitIndexLabel(w),
                                   P::nothingLabel(w), P::windowLabelLine1(w)})
        EXPECT_EQ(label->alignment(), gui::StaticText::centerLeft) << label->text();
    EXPECT_EQ(P::windowLabelLine2(w)->alignment(), gui::StaticText::topLeft);
    EXPECT_EQ(m().gui.focus, w.handle());  // the foreground is this thread's

    const struct {
        gui::MultiCellCanvas* grid;
        std::vector<int> expandableColumns, fixedColumns, expandableRows, fixedRows, unsetRows;
    } grids[] = {
        {P::mainCanvas(w), {2}, {1, 3}, {6, 7}, {1, 3, 4, 5, 8}, {2}},
        {P::choiceCanvas(w), {2}, {1, 3, 4}, {2, 4, 6, 8}, {1, 9, 10}, {3, 5, 7}},
    };
    for (const auto& g : grids) {
        for (int c : g.expandableColumns) EXPECT_TRUE(g.grid->column(c).expandable) << c;
        for (int c : g.fixedColumns) EXPECT_FALSE(g.grid->column(c).expandable) << c;
        for (int c : g.expandableColumns) EXPECT_EQ(g.grid->column(c).size, 10) << c;
        for (int c : g.fixedColumns) EXPECT_EQ(g.grid->column(c).size, 10) << c;
        for (int r : g.expandableRows) EXPECT_TRUE(g.grid->row(r).sizeSet && g.grid->row(r).expandable) << r;
        for (int r : g.fixedRows) EXPECT_TRUE(g.grid->row(r).sizeSet && !g.grid->row(r).expandable) << r;
        for (int r : g.expandableRows) EXPECT_EQ(g.grid->row(r).size, 10) << r;
        for (int r : g.fixedRows) EXPECT_EQ(g.grid->row(r).size, 10) << r;
        for (int r : g.unsetRows) EXPECT_FALSE(g.grid->row(r).sizeSet) << r;
    }
}

TEST_F(Window, CopiesTheSavedChoices) {
    AUtilities::setTndrlChoice("KitIndex");
    AUtilities::setMixedChoice("Window");
    AUtilities::setPDFChoice("Nothing");
    AAutorunWindow& w = build();
    EXPECT_EQ(P::currentPanel(w), AAutorunWindow::tndrlPanel);
    EXPECT_EQ(P::currentTndrlSelection(w), "KitIndex");
    EXPECT_EQ(P::currentMixedSelection(w), "Window");
    EXPECT_EQ(P::currentPDFSelection(w), "Nothing");
    EXPECT_EQ(P::originalTndrlSelection(w), "KitIndex");
    EXPECT_EQ(P::originalMixedSelection(w), "Window");
    EXPECT_EQ(P::originalPDFSelection(w), "Nothing");
    EXPECT_EQ(P::oldTndrlSelection(w), "KitIndex");
    EXPECT_EQ(P::oldMixedSelection(w), "Window");
}

TEST_F(Window, TracesEntryFirstAndExitLast) {
    AUtilities::openTraceFile();
    build();
    const std::vector<std::string> lines = traceOf("AAutorunWindow::AAutorunWindow()");
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines.front(), "Entry.");
    EXPECT_EQ(lines.back(), "Exit.");
    const std::vector<std::string> all = this->lines();
    EXPECT_EQ(all.front(), "AAutorunWindow::AAutorunWindow() Entry.");
    EXPECT_EQ(all.back(), "AAutorunWindow::AAutorunWindow() Exit.");
}

// Shown, the window's parts stand inside their parents, in the order of the
// rows from top to bottom, and no two overlap.
TEST_F(Window, LaidOutWithoutOverlaps) {
    AAutorunWindow& w = build();
    w.show();
    SCOPED_TRACE(gui::dumpTree(w));
    const gui::Size client = gui::peer::clientSize(w.handle());
    EXPECT_EQ(client, (gui::Size{620 - sim::Gui::frameBorderWidth, 435 - sim::Gui::frameBorderHeight}));
    const gui::Rect view = P::viewPort(w)->rect();
    const gui::Rect info = P::infoArea(w)->rect();
    EXPECT_EQ(view.top, 0);
    EXPECT_EQ(view.bottom, info.top);
    EXPECT_EQ(info.bottom, client.height);
    EXPECT_EQ(info.height(), 4 * sim::Gui::lineHeight + 8);
    // The main canvas fits into the view, so nothing scrolls.
    EXPECT_EQ(P::mainCanvas(w)->rect(), gui::Rect::at(0, 0, view.width(), view.height()));

    // Siblings on one canvas never overlap and stay inside it.
    for (gui::Window* canvas : {static_cast<gui::Window*>(P::mainCanvas(w)),
                                static_cast<gui::Window*>(P::choiceCanvas(w)),
                                static_cast<gui::Window*>(P::buttonCanvas(w))}) {
        const gui::Rect inside = gui::Rect::at(0, 0, canvas->rect().width(), canvas->rect().height());
        const auto& kids = canvas->children();
        for (std::size_t i = 0; i < kids.size(); ++i) {
            if (kids[i]->rect().isEmpty()) continue;
            EXPECT_TRUE(inside.contains(kids[i]->rect())) << kids[i]->id();
            for (std::size_t j = i + 1; j < kids.size(); ++j)
                EXPECT_FALSE(kids[i]->rect().intersects(kids[j]->rect()))
                    << kids[i]->id() << " and " << kids[j]->id();
        }
    }
    EXPECT_TRUE(P::spareCanvas(w)->rect().isEmpty());

    // Top to bottom: heading, list, alternatives, buttons; the alternatives
    // reader, disc index, collection index, do nothing, window.
    const auto top = [](gui::Window* p) { return p->rect().top; };
    EXPECT_LT(top(P::headingText(w)), top(P::discTypeList(w)));
    EXPECT_LT(top(P::discTypeList(w)), top(P::choiceCanvas(w)));
    EXPECT_LT(top(P::choiceCanvas(w)), top(P::buttonCanvas(w)));
    const std::vector<gui::Window*> order = {P::vlrRadioButton(w), P::discIndexRadioButton(w),
                                             P::kitIndexRadioButton(w), P::nothingRadioButton(w),
                                             P::windowRadioButton(w), P::windowLabelLine2(w)};
    for (std::size_t i = 1; i < order.size(); ++i)
        EXPECT_LT(order[i - 1]->rect().bottom, order[i]->rect().top + 1) << order[i]->id();
    // Each label beside its radio button, each now-button at the right.
    EXPECT_EQ(P::vlrLabel(w)->rect().left, P::vlrRadioButton(w)->rect().right);
    EXPECT_EQ(P::vlrLabel(w)->rect().top, P::vlrRadioButton(w)->rect().top);
    EXPECT_EQ(P::kitIndexNowButton(w)->rect().right, P::choiceCanvas(w)->rect().width());
    EXPECT_EQ(P::vlrNowButton(w)->rect().left, P::kitIndexNowButton(w)->rect().left);
    // Back, Next, Cancel side by side.
    EXPECT_LT(P::backButton(w)->rect().right, P::nextButton(w)->rect().left);
    EXPECT_LT(P::nextButton(w)->rect().right, P::cancelButton(w)->rect().left);
    EXPECT_EQ(P::headingText(w)->rect().height(), 35);
    EXPECT_EQ(P::discTypeList(w)->rect().height(), 55);
}

// ---- main's window steps ----------------------------------------------------

TEST_F(Window, RetryAfterAFailedBuildThenTheWindowIsShownOnce) {
    const struct {
        const char* what;
        int failAt;  // the window creation that fails
    } rows[] = {{"the frame", 1}, {"a part half-way", 12}, {"the information area", 26}};
    for (const auto& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        disc();
        m().gui.failWindowCreation = row.failAt;
        std::size_t windowsWhileOpen = 99;
        m().boxScript.push_back({4, [&] { windowsWhileOpen = m().gui.windows.size(); }});  // Retry
        EXPECT_EQ(run({"E:\\autorun.exe", "/t"}), 0);
        EXPECT_FALSE(exited);
        EXPECT_EQ(windowsWhileOpen, 0u) << "a window of the failed attempt stayed";
        ASSERT_EQ(m().boxes.size(), 1u);
        EXPECT_EQ(m().boxes[0].text, "The window could not be created.");
        EXPECT_EQ(m().boxes[0].title, "");
        EXPECT_EQ(m().boxes[0].owner, gui::desktop().handle());
        EXPECT_EQ(m().boxes[0].style, 0x5u | 0x10000u);  // MB_RETRYCANCEL, MB_SETFOREGROUND
        const std::vector<std::string> main = traceOf("AAutorun::main()");
        EXPECT_EQ(std::count(main.begin(), main.end(), "Call AAutorunWindow::AAutorunWindow()"), 1);
        EXPECT_EQ(std::count(main.begin(), main.end(), "Show AAutorunWindow"), 1);
        EXPECT_EQ(main.back(), "Exit.");
        EXPECT_EQ(choicesWritten(),
                  (std::vector<std::string>{"TndrlChoice", "MixedChoice", "PDFChoice", "Version"}));
        EXPECT_TRUE(m().gui.windows.empty());  // closed and deleted
    }
}

TEST_F(Window, CancelAfterAFailedBuildEndsWithoutWriting) {
    disc();
    m().gui.failWindowCreation = 3;
    m().boxScript.push_back({2, nullptr});  // Cancel
    EXPECT_EQ(run({"E:\\autorun.exe", "/t"}), 0);
    EXPECT_TRUE(exited);
    ASSERT_EQ(m().boxes.size(), 1u);
    EXPECT_TRUE(choicesWritten().empty());
    EXPECT_FALSE(traced("AAutorun::main() Exit."));
    EXPECT_FALSE(traced("AAutorun::main() Show AAutorunWindow"));
}

TEST_F(Window, ShownWithoutThePerformSwitchAndClosedByItsCloseBox) {
    disc();
    os::HWND shown = nullptr;
    bool visible = false;
    sim::input::later([&] {
        shown = sim::input::frame(title);
        visible = shown && m().gui.find(shown)->visible;
        sim::input::systemCommand(shown, 0xF060);
    });
    EXPECT_EQ(run({"E:\\autorun.exe"}), 0);
    EXPECT_TRUE(visible);
    ASSERT_TRUE(shown);
    EXPECT_FALSE(m().windows.find(shown));  // destroyed
    EXPECT_TRUE(m().gui.windows.empty());
    EXPECT_EQ(choicesWritten(),
              (std::vector<std::string>{"TndrlChoice", "MixedChoice", "PDFChoice", "Version"}));
}

// Another instance closes windows by the preferences window's title: the
// walk over the top-level windows finds this frame, and the posted close
// request ends its message loop.
TEST_F(Window, AnotherInstancesCloseRequestClosesTheWindow) {
    disc();
    bool posted = false;
    sim::input::later([&] {
        AUtilities::closeWindow(title);
        const os::HWND frame = sim::input::frame(title);
        posted = frame && !m().windows.find(frame)->posted.empty();
    });
    EXPECT_EQ(run({"E:\\autorun.exe"}), 0);
    EXPECT_TRUE(posted);
    EXPECT_TRUE(m().gui.windows.empty());
    EXPECT_EQ(choicesWritten().size(), 4u);
}

}  // namespace
