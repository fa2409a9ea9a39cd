// The program's main flow.
#include "engine/AAutorun.h"

#include "engine/AUtilities.h"
#include "gui/Application.h"
#include "gui/Exception.h"
#include "gui/MessageDialog.h"
#include "preferences/AAutorunWindow.h"

namespace {

const unsigned long windowId = 15000;

// Builds the preferences window and makes it ready. When the GUI library
// fails, the user is asked to retry; a window that was built but could not
// be made ready is destroyed first, so no hidden window stays behind.
// Answers the window, or null when the user cancelled.
AAutorunWindow* buildPreferencesWindow() {
    for (;;) {
        AAutorunWindow* window = nullptr;
        int answer = 0;
        try {
            window = new AAutorunWindow(windowId, &gui::desktop(), nullptr,
                                        AAutorunWindow::initialFrameRect(),
                                        gui::FrameWindow::defaultStyle(),
                                        AAutorunWindow::initialTitle().c_str());
            window->makeReady();
            return window;
        } catch (const gui::Exception& error) {
            delete window;
            gui::MessageDialog box(gui::desktop().handle());
            answer = box.show(error.text(0), gui::MessageDialog::retryCancelStyle |
                                                 gui::MessageDialog::applicationModal);
        }
        if (answer != gui::MessageDialog::retryAnswer) return nullptr;
    }
}

}  // namespace

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
        AUtilities::trace(me, "Call AAutorunWindow::AAutorunWindow()");
        AAutorunWindow* window = buildPreferencesWindow();
        if (!window) gui::Application::current().exit(0);
        window->setAutoDeleteObject();
        AUtilities::trace(me, "Show AAutorunWindow");
        window->show();
        gui::Application::current().run();
    }

    AUtilities::setRegistryKeys();
    AUtilities::trace(me, "Exit.");
    AUtilities::stopTracing();
    return 0;
}
