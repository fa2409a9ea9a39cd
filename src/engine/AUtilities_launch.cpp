// Starting programs: a child process for a command line, the program
// associated with a file, and the disc's index page in the browser.
#include <vector>

#include "engine/AUtilities.h"
#include "engine/ShortPath.h"
#include "engine/quoting.h"
#include "gui/Text.h"

int AUtilities::startProgram(std::string commandLine, std::string startDir) {
    const char* const me = "AUtilities::startProgram()";
    trace(me, "Entry.");
    trace(me, "command    = \"%s\"", commandLine.c_str());
    trace(me, "startDir   = \"%s\"", startDir.c_str());

    os::STARTUPINFOA startupInfo = {};
    startupInfo.cb = sizeof startupInfo;
    os::PROCESS_INFORMATION processInfo = {};
    // CreateProcessA writes into the command line while it parses it.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    const os::BOOL created =
        os::CreateProcessA(nullptr, line.data(), nullptr, nullptr, 1, 0, nullptr,
                           startDir.c_str(), &startupInfo, &processInfo);
    trace(me, "CreateProcess boolean rc = %d", created);

    int rc = rcOK;
    if (created) {
        // Nothing waits for the child: its handles are not needed.
        os::CloseHandle(processInfo.hProcess);
        os::CloseHandle(processInfo.hThread);
    } else {
        rc = static_cast<int>(os::GetLastError());
        trace(me, "GetLastError() = %d", rc);
        std::string message;
        if (rc != 0) {
            message = format("Error %d starting program - %s", rc, commandLine.c_str());
        } else {
            message = "Could not start program - " + commandLine;
            rc = 2;
        }
        showMessage(message);  // a ready text: a "%" in the command line stays as it is
    }
    trace(me, "rc = %d", rc);
    trace(me, "Exit.");
    return rc;
}

std::string AUtilities::findExecutable(std::string fileName) {
    const char* const me = "AUtilities::findExecutable()";
    trace(me, "Entry.");
    trace(me, "filename = \"%s\"", fileName.c_str());

    char buffer[1024] = {};
    const os::INT_PTR rc = os::FindExecutableA(fileName.c_str(), "", buffer);
    std::string executable;
    if (rc > 32) {
        executable = shortPathOf(buffer);
    } else if (rc == os::SE_ERR_NOASSOC) {
        showMessage("No viewer is associated with %s", fileName.c_str());
    } else {
        showMessage("Windows Error %d attempting to find a viewer for %s", static_cast<int>(rc),
                    fileName.c_str());
    }
    trace(me, "executable = \"%s\"", executable.c_str());
    trace(me, "Exit.");
    return executable;
}

int AUtilities::openBrowser(std::string whichIndex) {
    const char* const me = "AUtilities::openBrowser()";
    trace(me, "Entry.");
    trace(me, "whichIndex = \"%s\"", whichIndex.c_str());

    int rc = rcOK;
    const std::string page = driveWithSlash + framePage;
    if (!doesFileExist(page)) {
        trace(me, "kit index not found: \"%s\"", page.c_str());
        rc = rcNotFound;
    } else {
        const std::string anchor = whichIndex == choiceDiscIndex ? "#disc" : "";
        trace(me, "attempt to open \"%s\"", (page + anchor).c_str());
        const std::string browser = findExecutable(page);
        if (!browser.empty()) {
            const std::string commandLine =
                quotedIfBlank(browser) + " " + quotedIfBlank(page + anchor);
            if (isSlashP() && gui::containsIgnoringCase(commandLine, "NETSC")) {
                trace(me, "Incur Netscape 1 second penalty");
                os::Sleep(1000);
            }
            rc = startProgram(commandLine, driveWithSlash);
            trace(me, "startProgram() rc = %d", rc);
        }
    }
    trace(me, "Exit.");
    return rc;
}
