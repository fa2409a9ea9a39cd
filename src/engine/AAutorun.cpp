// The program's main flow.
#include "engine/AAutorun.h"

#include "engine/AUtilities.h"
#include "gui/Application.h"

// Builds the preferences window (Retry or Cancel when the library fails),
// shows it and runs the message loop until it has been closed.
void runPreferencesWindow();

int AAutorun::main(int argc, char** argv) {
    const char* const me = "AAutorun::main()";

    AUtilities::setTraceActive(false);
    gui::Application::current().setArguments(argc, argv);
    AUtilities::parseArgs();
    AUtilities::trace(me, "Entry.");
    AUtilities::trace(me, "version = %s", AUtilities::version.c_str());

    if (AUtilities::isSlashH()) {
        AUtilities::showMessage("%s parameters:\n\n/h Help\n/p Perform action\n/t Trace on",
                                AUtilities::programName.c_str());
        return 0;
    }

    if (!AUtilities::initialize()) {
        AUtilities::trace(me, "Initialization failed.");
        AUtilities::stopTracing();
        return 0;
    }

    std::string action;
    bool showWindow = false;
    if (AUtilities::isSlashP()) {
        AUtilities::trace(me, "Invoked with /P");
        action = AUtilities::isMixedCD() ? AUtilities::mixedChoice()
                 : AUtilities::isPDFCD() ? AUtilities::pdfChoice()
                                         : AUtilities::tndrlChoice();
        AUtilities::trace(me, "action is %s", action.c_str());
        if (action == AUtilities::choiceVLR) {
            AUtilities::trace(me, "Call AUtilities::openVLR()");
            if (AUtilities::openVLR() == AUtilities::rcNotInstalled) showWindow = true;
        } else if (action == AUtilities::choiceDiscIndex) {
            AUtilities::trace(me, "Call AUtilities::openBrowser( DiscIndex )");
            AUtilities::openBrowser(AUtilities::choiceDiscIndex);
        } else if (action == AUtilities::choiceKitIndex) {
            AUtilities::trace(me, "Call AUtilities::openBrowser( KitIndex )");
            AUtilities::openBrowser(AUtilities::choiceKitIndex);
        } else if (action == AUtilities::choiceWindow) {
            showWindow = true;
        }
    } else {
        AUtilities::trace(me, "isSlashP() was false");
        showWindow = true;
    }

    if (showWindow) {
        if (action == AUtilities::choiceVLR && !AUtilities::isVLRInstalled())
            AUtilities::showMessage("%s\n%s\n\n%s\n%s",
                                    "You previously selected to open the Velmora Reader when a Dovrel",
                                    "disc is loaded, but the Velmora Reader is no longer installed.",
                                    "Please make a new selection in the Autorun Preferences window,",
                                    "which will appear when you click on OK.");
        runPreferencesWindow();
    }

    AUtilities::setRegistryKeys();
    AUtilities::trace(me, "Exit.");
    AUtilities::stopTracing();
    return 0;
}
