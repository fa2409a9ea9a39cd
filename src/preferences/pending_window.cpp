// Placeholders for the preferences window's wizard, notifications and
// tear-down until they are built: the window shows the Tandrel panel's
// layout, reacts to nothing, and closes by its close box (the library
// closes the frame on the close command).
#include "preferences/AAutorunWindow.h"

const gui::NotificationId AAutorunWindow::readyId("AAutorunWindow::readyId");

AAutorunWindow::~AAutorunWindow() {
    delete connections;
    connections = nullptr;
    deleteParts();
}

AAutorunWindow& AAutorunWindow::makeReady() { return *this; }
void AAutorunWindow::connectParts() {}
gui::Observer& AAutorunWindow::dispatchNotificationEvent(const gui::NotificationEvent&) {
    return *this;
}

void AAutorunWindow::listBoxSelection(int) {}
void AAutorunWindow::pushButtonBack() {}
void AAutorunWindow::pushButtonNext() {}
void AAutorunWindow::pushButtonCancel() { close(); }
void AAutorunWindow::pushButtonDiscIndex() {}
void AAutorunWindow::pushButtonKitIndex() {}
void AAutorunWindow::pushButtonVLR() {}
std::string AAutorunWindow::radioButtonSelection() { return std::string(); }
void AAutorunWindow::setRadioButtonSelection(std::string) {}
void AAutorunWindow::setPanel() {}
void AAutorunWindow::showDownlevelVLRWindow(std::string, std::string) {}
