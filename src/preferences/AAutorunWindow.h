// The preferences window: a three-step wizard on a frame window, one panel
// per kind of disc (Tandrel, PDF, mixed), in which the user picks the action
// for each kind, can open the reader or an index at once, and saves the
// choices with Finish.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "gui/Canvas.h"
#include "gui/Connection.h"
#include "gui/Controls.h"
#include "gui/FlyOverHelp.h"
#include "gui/FrameWindow.h"
#include "gui/Notification.h"

class AAutorunWindow : public gui::FrameWindow, public gui::Observer {
public:
    // Sent to the window's observers once the window is ready.
    static const gui::NotificationId readyId;

    static constexpr int tndrlPanel = 0;
    static constexpr int pdfPanel = 1;
    static constexpr int mixedPanel = 2;

    // ---- construction and layout --------------------------------------------
    AAutorunWindow(unsigned long windowId, gui::Window* parent, gui::Window* owner,
                   const gui::Rect& rect, gui::Style style, const char* title);
    // 620 by 435 pixels, centred on the desktop.
    static gui::Rect initialFrameRect();
    static std::string initialTitle();

    // ---- notifications, help-area connection and tear-down ------------------
    ~AAutorunWindow() override;
    // Switches notifications on, connects the information area to the
    // fly-over help and announces readyId.
    virtual AAutorunWindow& makeReady();
    gui::Observer& dispatchNotificationEvent(const gui::NotificationEvent& event) override;

    // ---- panels and choices ---------------------------------------------------
    void listBoxSelection(int item);
    void pushButtonBack();
    void pushButtonNext();
    void pushButtonCancel();
    void pushButtonDiscIndex();
    void pushButtonKitIndex();
    void pushButtonVLR();
    std::string radioButtonSelection();
    void setRadioButtonSelection(std::string choice);
    void setPanel();
    void showDownlevelVLRWindow(std::string oldSelection, std::string newSelection);

private:
    friend struct AAutorunWindowProbe;  // the host tests' view of the fields

    void connectParts();
    // The parts whose notifications the window observes, itself first; a
    // part not built yet is null.
    std::vector<gui::Notifier*> observedParts();
    // Steps of the wizard: leaving a panel, moving to another, the reader's
    // row, Finish.
    void storePanel(int panel);
    void moveTo(int panel);
    void setReaderControls(std::string& selection);
    void enableReaderRow(bool enable);
    // The window's copy of the choice shown on a panel (any number but the
    // Tandrel and PDF panels' is the mixed panel).
    std::string& selectionOf(int panel);
    // Each radio button with the choice it stands for.
    std::vector<std::pair<gui::RadioButton*, std::string>> radioChoices();
    void finish();
    // Deletes the parts that exist, in the reverse order of their creation;
    // never the hover-help handler, which belongs to flyOverHelp.
    void deleteParts();

    gui::ViewPort* viewPort = nullptr;
    gui::MultiCellCanvas* mainCanvas = nullptr;
    gui::SetCanvas* buttonCanvas = nullptr;
    gui::PushButton* backButton = nullptr;
    gui::PushButton* nextButton = nullptr;
    gui::PushButton* cancelButton = nullptr;
    gui::ListBox* discTypeList = nullptr;
    gui::Canvas* spareCanvas = nullptr;
    gui::MultiCellCanvas* choiceCanvas = nullptr;
    gui::RadioButton* vlrRadioButton = nullptr;
    gui::RadioButton* discIndexRadioButton = nullptr;
    gui::RadioButton* kitIndexRadioButton = nullptr;
    gui::RadioButton* windowRadioButton = nullptr;
    gui::RadioButton* nothingRadioButton = nullptr;
    gui::PushButton* vlrNowButton = nullptr;
    gui::PushButton* discIndexNowButton = nullptr;
    gui::PushButton* kitIndexNowButton = nullptr;
    gui::StaticText* headingText = nullptr;
    gui::StaticText* vlrLabel = nullptr;
    gui::StaticText* discIndexLabel = nullptr;
    gui::StaticText* kitIndexLabel = nullptr;
    gui::StaticText* nothingLabel = nullptr;
    gui::StaticText* windowLabelLine1 = nullptr;
    gui::StaticText* windowLabelLine2 = nullptr;
    gui::InfoArea* infoArea = nullptr;
    gui::FlyOverHelp* flyOverHelp = nullptr;
    gui::FlyOverHelpHandler* flyOverHelpHandler = nullptr;  // belongs to flyOverHelp
    gui::ConnectionList* connections = nullptr;
    int currentPanel = tndrlPanel;
    std::string currentTndrlSelection;
    std::string currentMixedSelection;
    std::string currentPDFSelection;
    std::string originalTndrlSelection;
    std::string originalMixedSelection;
    std::string originalPDFSelection;
    std::string oldTndrlSelection;
    std::string oldMixedSelection;

    // How many handlers of the window are waiting for a message box. While
    // one waits, the window's messages still run inside the box's loop: the
    // list and every button but Cancel are ignored then, and a close request
    // waits for the outermost handler (the library defers the destruction).
    int boxesOpen = 0;
};
