// The preferences window's wizard: which panel is shown, what is stored when
// a panel is left, the old-reader warning, Finish, Cancel and the
// now-buttons.
#include <string>

#include "engine/AUtilities.h"
#include "gui/Application.h"
#include "gui/Text.h"
#include "preferences/AAutorunWindow.h"

namespace {

const unsigned long frameIconId = 1;

// Counts a handler as waiting for a message box while it is alive.
class BoxWait {
public:
    explicit BoxWait(int& counter) : counter_(counter) { ++counter_; }
    ~BoxWait() { --counter_; }
    BoxWait(const BoxWait&) = delete;
    BoxWait& operator=(const BoxWait&) = delete;

private:
    int& counter_;
};

}  // namespace

std::vector<std::pair<gui::RadioButton*, std::string>> AAutorunWindow::radioChoices() {
    return {{vlrRadioButton, AUtilities::choiceVLR},
            {discIndexRadioButton, AUtilities::choiceDiscIndex},
            {kitIndexRadioButton, AUtilities::choiceKitIndex},
            {windowRadioButton, AUtilities::choiceWindow},
            {nothingRadioButton, AUtilities::choiceNothing}};
}

std::string AAutorunWindow::radioButtonSelection() {
    const char* const me = "AAutorunWindow::radioButtonSelection()";
    AUtilities::trace(me, "Entry.");
    std::string selection = AUtilities::choiceNothing;
    for (const auto& [button, choice] : radioChoices())
        if (button->isSelected()) {
            selection = choice;
            break;
        }
    AUtilities::trace(me, "Selection = \"%s\"", selection.c_str());
    AUtilities::trace(me, "Exit.");
    return selection;
}

void AAutorunWindow::setRadioButtonSelection(std::string choice) {
    const char* const me = "AAutorunWindow::setRadioButtonSelection()";
    AUtilities::trace(me, "Entry.");
    gui::RadioButton* button = nothingRadioButton;  // also for a text that is no choice
    for (const auto& [candidate, candidateChoice] : radioChoices())
        if (candidateChoice == choice) {
            button = candidate;
            break;
        }
    button->select();
    AUtilities::trace(me, "Exit.");
}

void AAutorunWindow::showDownlevelVLRWindow(std::string oldSelection, std::string newSelection) {
    const char* const me = "AAutorunWindow::showDownlevelVLRWindow()";
    AUtilities::trace(me, "Entry.  old = %s.  new = %s.", oldSelection.c_str(),
                      newSelection.c_str());
    if (newSelection != AUtilities::choiceVLR) {
        AUtilities::trace(me, "Exit.  currentSelection is not VLR");
        return;
    }
    if (oldSelection == AUtilities::choiceVLR) {
        AUtilities::trace(me, "Exit.  oldSelection is VLR");
        return;
    }
    if (gui::lowerThan(AUtilities::vlrVersion(), AUtilities::currentVLRVersion)) {
        const BoxWait wait(boxesOpen);
        AUtilities::showMessage("%s\n%s\n%s\n%s\n%s",
                                "You have an old version of the Zantic Velmora Reader",
                                "installed, which does not provide the newest functions,",
                                "improvements, and fixes.  We recommend that you install",
                                "the latest version, using the velmora tools",
                                "installation program on this collection.");
    }
    AUtilities::trace(me, "Exit.");
}

// The store step: the shown panel's selection is read from the radio
// buttons; leaving the Tandrel or mixed panel checks for an old reader.
void AAutorunWindow::storePanel(int panel) {
    std::string& selection = selectionOf(panel);
    selection = radioButtonSelection();
    if (panel == pdfPanel) return;  // the reader is not offered there
    std::string& old = panel == tndrlPanel ? oldTndrlSelection : oldMixedSelection;
    showDownlevelVLRWindow(old, selection);
    old = selection;
}

std::string& AAutorunWindow::selectionOf(int panel) {
    return panel == tndrlPanel ? currentTndrlSelection
           : panel == pdfPanel ? currentPDFSelection
                               : currentMixedSelection;
}

// The reader can be chosen only when both it and the Java runtime are
// installed; otherwise a current "VLR" gives way to "Window".
void AAutorunWindow::setReaderControls(std::string& selection) {
    const bool usable = AUtilities::isVLRInstalled() && AUtilities::isJavaInstalled();
    enableReaderRow(usable);
    if (!usable && selection == AUtilities::choiceVLR) selection = AUtilities::choiceWindow;
}

void AAutorunWindow::enableReaderRow(bool enable) {
    vlrRadioButton->enable(enable);
    vlrLabel->enable(enable);
    vlrNowButton->enable(enable);
}

namespace {

// How each panel shows Back, Next and the reader's row.
struct PanelLook {
    const char* traced;
    const char* backHelp;  // null: Back is disabled and keeps its help text
    const char* nextText;
    const char* nextHelp;
    bool offersReader;     // when the reader and the Java runtime are installed
};

const PanelLook panelLooks[] = {
    {"Switch to Tandrel panel.", nullptr, "Next>", "Advance to make a selection for PDF discs.",
     true},
    {"Switch to PDF panel.", "Go back to make a selection for Tandrel discs.", "Next>",
     "Advance to make a selection for mixed Tandrel and PDF discs.", false},
    {"Switch to Mixed panel.", "Go back to make a selection for PDF discs.", "Finish",
     "Save your choices and exit.", true},
};

}  // namespace

void AAutorunWindow::setPanel() {
    const char* const me = "AAutorunWindow::setPanel()";
    AUtilities::trace(me, "Entry.");
    // Any panel number but 0 and 1 is the mixed panel.
    const int panel = currentPanel == tndrlPanel || currentPanel == pdfPanel ? currentPanel
                                                                             : mixedPanel;
    const PanelLook& look = panelLooks[panel];
    std::string& selection = selectionOf(panel);
    AUtilities::trace(me, "%s", look.traced);
    if (look.backHelp) {
        backButton->enable();
        flyOverHelpHandler->setHelpText(backButton->handle(), "", look.backHelp);
    } else {
        backButton->disable();
    }
    nextButton->setText(look.nextText);
    flyOverHelpHandler->setHelpText(nextButton->handle(), "", look.nextHelp);
    if (look.offersReader)
        setReaderControls(selection);
    else
        enableReaderRow(false);
    discTypeList->select(panel);
    setRadioButtonSelection(selection);
    setIcon(gui::Application::current().userResourceLibrary().loadIcon(frameIconId));
    AUtilities::trace(me, "Exit.");
}

// A move to another panel: the shown one is stored first.
void AAutorunWindow::moveTo(int panel) {
    storePanel(currentPanel);
    currentPanel = panel;
    setPanel();
}

void AAutorunWindow::listBoxSelection(int item) {
    const char* const me = "AAutorunWindow::listBoxSelection()";
    AUtilities::trace(me, "Entry.");
    AUtilities::trace(me, "Selected item = %d.  Current panel = %d.", item, currentPanel);
    // No selection (-1) or an item beyond the three panels is no move.
    const bool isPanel = item >= tndrlPanel && item <= mixedPanel;
    if (isPanel && item != currentPanel) moveTo(item);
    AUtilities::trace(me, "Exit.");
}

void AAutorunWindow::pushButtonBack() {
    const char* const me = "AAutorunWindow::pushButtonBack()";
    AUtilities::trace(me, "Entry.");
    if (currentPanel == tndrlPanel) {
        // Back is disabled on the first panel.
    } else if (currentPanel == pdfPanel) {
        AUtilities::trace(me, "Switch to Tndrl panel.");
        moveTo(tndrlPanel);
    } else {
        AUtilities::trace(me, "Switch to PDF panel.");
        moveTo(pdfPanel);
    }
    AUtilities::trace(me, "Exit.");
}

void AAutorunWindow::pushButtonNext() {
    const char* const me = "AAutorunWindow::pushButtonNext()";
    AUtilities::trace(me, "Entry.");
    AUtilities::trace(me, "Current panel = %d", currentPanel);
    if (currentPanel == tndrlPanel) {
        AUtilities::trace(me, "Switch to PDF panel.");
        moveTo(pdfPanel);
    } else if (currentPanel == pdfPanel) {
        AUtilities::trace(me, "Switch to Mixed panel.");
        moveTo(mixedPanel);
    } else {
        finish();
    }
    AUtilities::trace(me, "Exit.");
}

// Finish: stores the last panel, hands the three choices to the shared
// state and closes; tells the user when a choice has changed.
void AAutorunWindow::finish() {
    const char* const me = "AAutorunWindow::pushButtonNext()";
    AUtilities::trace(me, "Perform Finish activities.");
    storePanel(mixedPanel);
    AUtilities::trace(me, "originalTndrlSelection = %s", originalTndrlSelection.c_str());
    AUtilities::trace(me, "originalMixedSelection = %s", originalMixedSelection.c_str());
    AUtilities::trace(me, "originalPDFSelection = %s", originalPDFSelection.c_str());
    AUtilities::trace(me, "currentTndrlSelection = %s", currentTndrlSelection.c_str());
    AUtilities::trace(me, "currentMixedSelection = %s", currentMixedSelection.c_str());
    AUtilities::trace(me, "currentPDFSelection = %s", currentPDFSelection.c_str());
    AUtilities::setTndrlChoice(currentTndrlSelection);
    AUtilities::setMixedChoice(currentMixedSelection);
    AUtilities::setPDFChoice(currentPDFSelection);
    const bool changed = currentTndrlSelection != originalTndrlSelection ||
                         currentMixedSelection != originalMixedSelection ||
                         currentPDFSelection != originalPDFSelection;
    if (changed) {
        AUtilities::trace(me, "showChangeMessage = %s", "true");
        const BoxWait wait(boxesOpen);
        AUtilities::showMessage("%s\n%s", "Your autorun preference changes will take effect ",
                                "the next time you insert a disc.");
    }
    close();
}

void AAutorunWindow::pushButtonCancel() {
    const char* const me = "AAutorunWindow::pushButtonCancel()";
    AUtilities::trace(me, "Entry.");
    close();
    AUtilities::trace(me, "Exit.");
}

// The now-buttons open at once and leave panel and selections alone; a
// failure shows its own box, during which the window waits like for any box.
namespace {
template <typename Open>
void openNow(const char* me, int& boxesOpen, Open open) {
    AUtilities::trace(me, "Entry.");
    {
        const BoxWait wait(boxesOpen);
        open();
    }
    AUtilities::trace(me, "Exit.");
}
}  // namespace

void AAutorunWindow::pushButtonDiscIndex() {
    openNow("AAutorunWindow::pushButtonDiscIndex()", boxesOpen,
            [] { AUtilities::openBrowser(AUtilities::choiceDiscIndex); });
}

void AAutorunWindow::pushButtonKitIndex() {
    openNow("AAutorunWindow::pushButtonKitIndex()", boxesOpen,
            [] { AUtilities::openBrowser(AUtilities::choiceKitIndex); });
}

void AAutorunWindow::pushButtonVLR() {
    openNow("AAutorunWindow::pushButtonVLR()", boxesOpen, [] { AUtilities::openVLR(); });
}
