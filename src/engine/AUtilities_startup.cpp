// The start-up checks: whether the run may go on, and the shared state the
// rest of the run relies on.
#include "engine/AUtilities.h"

bool AUtilities::initialize() {
    const char* const me = "AUtilities::initialize()";
    trace(me, "Entry.");

    if (!isRegistryWriteable()) {
        showMessage("The autorun program cannot save registry values.  No programs will be started.");
        trace(me, "AUtilities::isRegistryWriteable() failed");
        trace(me, "Exit.");
        return false;
    }

    trace(me, "Call AUtilities::closeWindow() to close other instances of this program");
    closeWindow(windowTitle);

    trace(me, "Call AUtilities::getCurrentDirectory()");
    if (getCurrentDirectory() != rcOK) {
        showMessage("The autorun program does not appear to be running from a valid Zantic Dovrel CD");
        trace(me, "AUtilities::getCurrentDirectory() failed");
        trace(me, "Exit.");
        return false;
    }

    getKitTitle();
    if (!kitTitle().empty() && isSlashP()) closeWindow(kitTitle());

    trace(me, "Call AUtilities::getRegistryKeys()");
    getRegistryKeys();

    // The platform drops the trailing dot: a file or folder named pdf or
    // shelves, without an extension, answers.
    setPDFCD(doesFileExist(driveWithSlash + "pdf."));
    setTndrlCD(doesFileExist(driveWithSlash + "shelves."));

    trace(me, "Call AUtilities::findJava()");
    findJava();
    trace(me, "Call AUtilities::findVLR()");
    findVLR();

    trace(me, "Exit.");
    return true;
}
