// Connects the preferences window's information area to its fly-over help:
// at activation the hover-help handler gets the area as the place for long
// help texts. Nothing is transferred afterwards.
#pragma once

#include "gui/Connection.h"
#include "gui/FlyOverHelp.h"
#include "gui/FrameWindow.h"

class AHelpAreaConnection : public gui::EventToAttributeConnection {
public:
    AHelpAreaConnection(gui::InfoArea& source, gui::FlyOverHelp& target);
    ~AHelpAreaConnection() override;

    int transferDirection(const gui::NotificationEvent& event) override;  // always 0
    void setSourceFromTarget() override;                                   // nothing
    void setTargetFromSource() override;

private:
    gui::InfoArea& source;
    gui::FlyOverHelp& target;
};
