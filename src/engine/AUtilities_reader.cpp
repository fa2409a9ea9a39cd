// Starting the Zantic Velmora Reader on the disc's bookshelves.
#include "engine/AUtilities.h"
#include "engine/quoting.h"
#include "gui/Text.h"

int AUtilities::openVLR() {
    const char* const me = "AUtilities::openVLR()";
    trace(me, "Entry.");
    if (!isJavaInstalled() || !isVLRInstalled()) return rcNotInstalled;
    if (isOnNetworkDrive()) return rcNetworkDrive;

    getWindowsList();
    bool running = false;
    for (const AWindowEntry& entry : *windowsList) {
        if (gui::containsIgnoringCase(entry.title(), "ZANTIC VELMORA READER LIST OF BOOKSHELVES")) {
            trace(me, "VLR is already running.");
            running = true;
            break;
        }
    }

    int rc = rcOK;
    if (!running) {
        const std::string commandLine = quotedIfBlank(javaExecutable()) + " -jar " +
                                        quotedIfBlank(vlrJarFile()) + " " + "-d \"" + vlrPath() +
                                        "\" " + vlrParms() + driveWithSlash + "shelves;" +
                                        driveWithSlash + "books ";
        rc = startProgram(commandLine, vlrPath());
        trace(me, "startProgram() rc = %d", rc);
    }
    trace(me, "rc = %d", rc);
    trace(me, "Exit.");
    return rc;
}
