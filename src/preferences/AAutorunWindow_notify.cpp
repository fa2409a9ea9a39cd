// The preferences window's wiring: notifications switched on and observed,
// the information area connected to the fly-over help, the dispatch of the
// frame's, the buttons' and the list's notifications, and the tear-down.
#include <memory>

#include "preferences/AAutorunWindow.h"
#include "preferences/AHelpAreaConnection.h"

const gui::NotificationId AAutorunWindow::readyId("AAutorunWindow::readyId");

AAutorunWindow& AAutorunWindow::makeReady() {
    connectParts();
    notifyObservers(gui::NotificationEvent(readyId, *this, true, 0, 0));
    return *this;
}

std::vector<gui::Notifier*> AAutorunWindow::observedParts() {
    return {this,         backButton,        cancelButton,       nextButton,
            vlrNowButton, kitIndexNowButton, discIndexNowButton, discTypeList};
}

void AAutorunWindow::connectParts() {
    enableNotification();
    gui::Notifier* const notifiers[] = {
        viewPort,           mainCanvas,           buttonCanvas,        backButton,
        nextButton,         cancelButton,         discTypeList,        spareCanvas,
        choiceCanvas,       vlrRadioButton,       discIndexRadioButton, kitIndexRadioButton,
        windowRadioButton,  nothingRadioButton,   vlrNowButton,        discIndexNowButton,
        kitIndexNowButton,  headingText,          infoArea,            flyOverHelp,
    };
    for (gui::Notifier* notifier : notifiers) notifier->enableNotification();

    for (gui::Notifier* notifier : observedParts()) observe(*notifier);

    auto connection = std::make_unique<AHelpAreaConnection>(*infoArea, *flyOverHelp);
    connections->add(connection.get());
    connection.release();
    connections->activate();
}

gui::Observer& AAutorunWindow::dispatchNotificationEvent(const gui::NotificationEvent& event) {
    const gui::Notifier* const notifier = &event.notifier();
    if (event.is(gui::FrameWindow::systemCommandId)) {
        // The close box, the system menu's Close and Alt+F4.
        if (event.windowMessage().commandId() == gui::FrameWindow::closeCommand)
            pushButtonCancel();
    } else if (event.is(gui::PushButton::buttonClickId)) {
        // While a handler waits for a box only Cancel acts: its close request
        // is carried out once that handler has returned.
        if (boxesOpen > 0 && notifier != cancelButton) return *this;
        if (notifier == backButton)
            pushButtonBack();
        else if (notifier == cancelButton)
            pushButtonCancel();
        else if (notifier == discIndexNowButton)
            pushButtonDiscIndex();
        else if (notifier == kitIndexNowButton)
            pushButtonKitIndex();
        else if (notifier == nextButton)
            pushButtonNext();
        else if (notifier == vlrNowButton)
            pushButtonVLR();
    } else if (event.is(gui::ListBox::selectId)) {
        if (boxesOpen > 0) {
            // Ignored while a box is open; the list goes back to the panel
            // shown (that echo arrives here too and finds nothing to do).
            if (discTypeList->selection() != currentPanel) discTypeList->select(currentPanel);
            return *this;
        }
        listBoxSelection(discTypeList->selection());
    }
    return *this;
}

AAutorunWindow::~AAutorunWindow() {
    delete connections;
    connections = nullptr;
    for (gui::Notifier* notifier : observedParts())
        if (notifier) stopObserving(*notifier);
    deleteParts();
}
