#include "preferences/AHelpAreaConnection.h"

AHelpAreaConnection::AHelpAreaConnection(gui::InfoArea& source, gui::FlyOverHelp& target)
    : source(source), target(target) {
    observe(source);
    observe(target);
}

AHelpAreaConnection::~AHelpAreaConnection() {
    stopObserving(source);
    stopObserving(target);
}

int AHelpAreaConnection::transferDirection(const gui::NotificationEvent&) { return 0; }

void AHelpAreaConnection::setSourceFromTarget() {}

void AHelpAreaConnection::setTargetFromSource() { target.setLongStringArea(&source); }
