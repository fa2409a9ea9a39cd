// The preferences window's construction and layout: every part, its cell,
// text and long help text, the two grids, and the copies of the saved
// choices.
#include "preferences/AAutorunWindow.h"

#include <initializer_list>

#include "engine/AUtilities.h"
#include "gui/MessageDialog.h"

namespace {

constexpr int frameWidth = 620;
constexpr int frameHeight = 435;
constexpr gui::Colour grey{192, 192, 192};

// The parts' ids above the window id (+19 belongs to no part).
enum PartId : unsigned long {
    mainCanvasId = 1,
    buttonCanvasId = 2,
    backButtonId = 3,
    nextButtonId = 4,
    cancelButtonId = 5,
    discTypeListId = 6,
    spareCanvasId = 7,
    choiceCanvasId = 8,
    vlrRadioButtonId = 9,
    discIndexRadioButtonId = 10,
    kitIndexRadioButtonId = 11,
    windowRadioButtonId = 12,
    nothingRadioButtonId = 13,
    vlrNowButtonId = 14,
    discIndexNowButtonId = 15,
    kitIndexNowButtonId = 16,
    headingTextId = 17,
    infoAreaId = 18,
    vlrLabelId = 20,
    nothingLabelId = 21,
    discIndexLabelId = 22,
    kitIndexLabelId = 23,
    windowLabelLine1Id = 24,
    windowLabelLine2Id = 25,
};

const char* const discTypes[] = {
    "Discs with only Tandrel files",
    "Discs with only PDF files",
    "Discs with both Tandrel and PDF files",
};

const char heading[] =
    "For each of the following types of Zantic collection discs, select an action to occur "
    "when a disc is inserted:";

const char listHelp[] = "Make a selection for each type of disc.";
const char readerHelp[] =
    "Choose this option to open the Zantic Velmora Reader and display the Tandrel bookshelves "
    "on the disc.  If the Velmora Reader is already running, it will auto-refresh if that option "
    "is selected in Corvantis and if the directories for the disc have been added to the "
    "user-defined directories in Corvantis.";
const char discIndexHelp[] =
    "Choose this option to open the disc index in your browser.  For a multi-disc collection, "
    "you will see the contents of the current disc.   For a single-disc collection, the "
    "collection and disc indexes are the same.";
const char kitIndexHelp[] =
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
const char readerButtonHelp[] =
    "Click on this button to open the Velmora Reader - Corvantis if it is not already running.";
const char discIndexButtonHelp[] =
    "Click on this button to start your browser and display the index for the current disc.";
const char kitIndexButtonHelp[] =
    "Click on this button to start your browser and display the index for this collection.";
const char cancelHelp[] = "Exit without saving any choices";

struct Cell {
    gui::Window* part;
    int column;
    int row;
};

struct Track {
    int index;
    bool expandable;
};

void setColumns(gui::MultiCellCanvas& canvas, std::initializer_list<Track> columns) {
    for (const Track& t : columns)
        canvas.setColumnWidth(t.index, gui::MultiCellCanvas::defaultCell().width, t.expandable);
}

void setRows(gui::MultiCellCanvas& canvas, std::initializer_list<Track> rows) {
    for (const Track& t : rows)
        canvas.setRowHeight(t.index, gui::MultiCellCanvas::defaultCell().height, t.expandable);
}

void putIntoCells(gui::MultiCellCanvas& canvas, std::initializer_list<Cell> cells) {
    for (const Cell& c : cells) canvas.addToCell(*c.part, c.column, c.row);
}

}  // namespace

AAutorunWindow::AAutorunWindow(unsigned long windowId, gui::Window* parent, gui::Window* owner,
                               const gui::Rect& rect, gui::Style style, const char* title)
    : gui::FrameWindow(windowId, parent, owner, rect, style, title ? title : "") {
    const char* const me = "AAutorunWindow::AAutorunWindow()";
    AUtilities::trace(me, "Entry.");
    try {
        connections = new gui::ConnectionList;

        const unsigned long id = windowId;
        viewPort = new gui::ViewPort(gui::FrameWindow::clientId, this, this);
        mainCanvas = new gui::MultiCellCanvas(id + mainCanvasId, viewPort, viewPort);
        buttonCanvas = new gui::SetCanvas(id + buttonCanvasId, mainCanvas, mainCanvas);
        backButton = new gui::PushButton(id + backButtonId, buttonCanvas, buttonCanvas);
        nextButton = new gui::PushButton(id + nextButtonId, buttonCanvas, buttonCanvas);
        cancelButton = new gui::PushButton(id + cancelButtonId, buttonCanvas, buttonCanvas);
        discTypeList = new gui::ListBox(
            id + discTypeListId, mainCanvas, mainCanvas, gui::Rect(),
            gui::ListBox::defaultStyle() & ~gui::ListBox::horizontalScroll &
                ~gui::ListBox::multipleSelect);
        spareCanvas = new gui::Canvas(id + spareCanvasId, mainCanvas, mainCanvas);
        choiceCanvas = new gui::MultiCellCanvas(id + choiceCanvasId, mainCanvas, mainCanvas);
        vlrRadioButton = new gui::RadioButton(id + vlrRadioButtonId, choiceCanvas, choiceCanvas);
        discIndexRadioButton =
            new gui::RadioButton(id + discIndexRadioButtonId, choiceCanvas, choiceCanvas);
        kitIndexRadioButton =
            new gui::RadioButton(id + kitIndexRadioButtonId, choiceCanvas, choiceCanvas);
        windowRadioButton =
            new gui::RadioButton(id + windowRadioButtonId, choiceCanvas, choiceCanvas);
        nothingRadioButton =
            new gui::RadioButton(id + nothingRadioButtonId, choiceCanvas, choiceCanvas);
        vlrNowButton = new gui::PushButton(id + vlrNowButtonId, choiceCanvas, choiceCanvas);
        discIndexNowButton =
            new gui::PushButton(id + discIndexNowButtonId, choiceCanvas, choiceCanvas);
        kitIndexNowButton =
            new gui::PushButton(id + kitIndexNowButtonId, choiceCanvas, choiceCanvas);
        headingText = new gui::StaticText(id + headingTextId, mainCanvas, mainCanvas);
        vlrLabel = new gui::StaticText(id + vlrLabelId, choiceCanvas, choiceCanvas);
        discIndexLabel = new gui::StaticText(id + discIndexLabelId, choiceCanvas, choiceCanvas);
        kitIndexLabel = new gui::StaticText(id + kitIndexLabelId, choiceCanvas, choiceCanvas);
        nothingLabel = new gui::StaticText(id + nothingLabelId, choiceCanvas, choiceCanvas);
        windowLabelLine1 =
            new gui::StaticText(id + windowLabelLine1Id, choiceCanvas, choiceCanvas);
        windowLabelLine2 =
            new gui::StaticText(id + windowLabelLine2Id, choiceCanvas, choiceCanvas);
        infoArea = new gui::InfoArea(*this, id + infoAreaId);
        flyOverHelp = new gui::FlyOverHelp(*this);

        // The outer grid: margins in columns 1 and 3 and row 1.
        putIntoCells(*mainCanvas, {{headingText, 2, 2},
                                   {discTypeList, 2, 3},
                                   {choiceCanvas, 2, 6},
                                   {buttonCanvas, 2, 8}});
        setColumns(*mainCanvas, {{1, false}, {2, true}, {3, false}});
        setRows(*mainCanvas,
                {{1, false}, {3, false}, {4, false}, {5, false}, {6, true}, {7, true}, {8, false}});
        mainCanvas->setBackgroundColour(grey);

        backButton->setText("<Back");
        nextButton->setText("Next>");
        cancelButton->setText("Cancel");
        for (const char* item : discTypes) discTypeList->addAsLast(item);
        discTypeList->setMinimumSize({0, 55});
        spareCanvas->setMinimumSize({100, 100});

        // The inner grid: radio button, label and now-button per row; on the
        // screen reader, disc index, collection index, do nothing, window.
        putIntoCells(*choiceCanvas, {{vlrRadioButton, 1, 1},
                                     {vlrLabel, 2, 1},
                                     {vlrNowButton, 4, 1},
                                     {discIndexRadioButton, 1, 3},
                                     {discIndexLabel, 2, 3},
                                     {discIndexNowButton, 4, 3},
                                     {kitIndexRadioButton, 1, 5},
                                     {kitIndexLabel, 2, 5},
                                     {kitIndexNowButton, 4, 5},
                                     {nothingRadioButton, 1, 7},
                                     {nothingLabel, 2, 7},
                                     {windowRadioButton, 1, 9},
                                     {windowLabelLine1, 2, 9},
                                     {windowLabelLine2, 2, 10}});
        setColumns(*choiceCanvas, {{1, false}, {2, true}, {3, false}, {4, false}});
        setRows(*choiceCanvas,
                {{1, false}, {2, true}, {4, true}, {6, true}, {8, true}, {9, false}, {10, false}});

        const struct {
            gui::RadioButton* radio;
            gui::StaticText* label;
            const char* text;
        } alternatives[] = {
            {vlrRadioButton, vlrLabel, "Open the Zantic Velmora Reader - Corvantis"},
            {discIndexRadioButton, discIndexLabel, "Open the disc index"},
            {kitIndexRadioButton, kitIndexLabel, "Open the collection index"},
            {nothingRadioButton, nothingLabel, "Do nothing.  Don't start any programs."},
            {windowRadioButton, windowLabelLine1,
             "Don't set a preference for this type of disc.  Show"},
        };
        for (const auto& a : alternatives) {
            a.radio->setText("");
            a.label->setAlignment(gui::StaticText::centerLeft);
            a.label->setText(a.text);
        }
        windowLabelLine2->setText("this preferences window again the next time");
        vlrNowButton->setText("Open the Velmora Reader now");
        discIndexNowButton->setText("Open the disc index now");
        kitIndexNowButton->setText("Open the collection index now");

        headingText->setAlignment(gui::StaticText::topLeftWrapping);
        headingText->setText(heading);
        headingText->setMinimumSize({0, 35});

        infoArea->setLineCount(4);

        setClient(viewPort);
        setBackgroundColour(grey);
        setFocus();

        flyOverHelpHandler = &flyOverHelp->defaultHandler();
        const struct {
            gui::Window* part;
            const char* help;
        } helps[] = {
            {discTypeList, listHelp},
            {vlrRadioButton, readerHelp},
            {vlrLabel, readerHelp},
            {discIndexRadioButton, discIndexHelp},
            {discIndexLabel, discIndexHelp},
            {kitIndexRadioButton, kitIndexHelp},
            {kitIndexLabel, kitIndexHelp},
            {windowRadioButton, windowHelp},
            {windowLabelLine1, windowHelp},
            {windowLabelLine2, windowHelp},
            {nothingRadioButton, nothingHelp},
            {nothingLabel, nothingHelp},
            {vlrNowButton, readerButtonHelp},
            {discIndexNowButton, discIndexButtonHelp},
            {kitIndexNowButton, kitIndexButtonHelp},
            {cancelButton, cancelHelp},
        };
        for (const auto& h : helps) flyOverHelpHandler->setHelpText(h.part->handle(), "", h.help);

        currentPanel = tndrlPanel;
        originalTndrlSelection = AUtilities::tndrlChoice();
        originalMixedSelection = AUtilities::mixedChoice();
        originalPDFSelection = AUtilities::pdfChoice();
        currentTndrlSelection = originalTndrlSelection;
        currentMixedSelection = originalMixedSelection;
        currentPDFSelection = originalPDFSelection;
        oldTndrlSelection = currentTndrlSelection;
        oldMixedSelection = currentMixedSelection;

        setPanel();
    } catch (...) {
        // The frame's base is torn down by the language; the parts are ours.
        deleteParts();
        delete connections;
        connections = nullptr;
        throw;
    }
    AUtilities::trace(me, "Exit.");
}

gui::Rect AAutorunWindow::initialFrameRect() {
    const gui::Desktop& desktop = gui::desktop();
    const int x = (desktop.width() - frameWidth) / 2;  // truncates toward zero
    const int y = (desktop.height() - frameHeight) / 2;
    return {x, y, x + frameWidth, y + frameHeight};
}

std::string AAutorunWindow::initialTitle() { return AUtilities::windowTitle; }

void AAutorunWindow::deleteParts() {
    // Reverse order of creation; children before the canvas that holds them.
    auto drop = [](auto*& part) {
        delete part;
        part = nullptr;
    };
    drop(flyOverHelp);  // deletes flyOverHelpHandler with it
    flyOverHelpHandler = nullptr;
    drop(infoArea);
    drop(windowLabelLine2);
    drop(windowLabelLine1);
    drop(nothingLabel);
    drop(kitIndexLabel);
    drop(discIndexLabel);
    drop(vlrLabel);
    drop(headingText);
    drop(kitIndexNowButton);
    drop(discIndexNowButton);
    drop(vlrNowButton);
    drop(nothingRadioButton);
    drop(windowRadioButton);
    drop(kitIndexRadioButton);
    drop(discIndexRadioButton);
    drop(vlrRadioButton);
    drop(choiceCanvas);
    drop(spareCanvas);
    drop(discTypeList);
    drop(cancelButton);
    drop(nextButton);
    drop(backButton);
    drop(buttonCanvas);
    drop(mainCanvas);
    drop(viewPort);
}
