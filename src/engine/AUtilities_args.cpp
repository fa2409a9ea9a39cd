// The command line: switches, the program's own name and the first guess of
// the disc root.
#include "engine/AUtilities.h"
#include "gui/Application.h"
#include "gui/Text.h"
#include "platform/splitpath.h"

void AUtilities::parseArgs() {
    const char* const me = "AUtilities::parseArgs()";
    gui::Application& application = gui::Application::current();

    setSlashH(false);
    setSlashP(false);
    setSlashT(false);

    for (int i = 1; i < application.argumentCount(); ++i) {
        const std::string argument = application.argument(i);
        trace(me, "parm[%d] = \"%s\"", i, argument.c_str());
        if (argument.empty() || (argument[0] != '/' && argument[0] != '-')) continue;
        const std::string key = gui::upper(argument.substr(1));
        if (key == "P") {
            setSlashP(true);
        } else if (key == "T") {
            setSlashT(true);
            openTraceFile();
            trace(me, "Entry.");
        } else if (key == "H" || key == "?") {
            setSlashH(true);
        }
    }

    const std::string self = application.argument(0);
    trace(me, "parm[0] = \"%s\"", self.c_str());
    const os::PathParts parts = os::splitPath(self);
    programName = parts.fileName;
    trace(me, "drive = %s", parts.drive.c_str());
    trace(me, "dir = %s", parts.directory.c_str());
    trace(me, "fname = %s", programName.c_str());

    setNetworkDrive(false);
    if (!parts.drive.empty()) {
        driveWithSlash = parts.drive + "\\";
    } else if (!parts.directory.empty()) {
        driveWithSlash = parts.directory;  // a path without a drive letter, as on a share
        setNetworkDrive(true);
    } else {
        driveWithSlash.clear();
    }
    trace(me, "driveWithSlash = \"%s\"", driveWithSlash.c_str());
    trace(me, "Exit.");
}
