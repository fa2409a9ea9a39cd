// Disc probing: the disc root, the kit title and the existence test.
#include "engine/AUtilities.h"
#include "engine/KitDescription.h"

namespace {

const char framePage[] = "vmframe.htm";
const char searchedDrives[] = "CDEFGHIJKLMNOPQRSTUVWXYZ";  // never A or B
const char kitDescriptionFile[] = "autohtml\\autorun.js";

}  // namespace

int AUtilities::getCurrentDirectory() {
    const char* const me = "AUtilities::getCurrentDirectory()";
    trace(me, "Entry.");
    trace(me, "driveWithSlash = \"%s\"", driveWithSlash.c_str());

    // No critical-error box for a drive without a medium, for the rest of the
    // process and the programs it starts.
    os::SetErrorMode(os::SEM_FAILCRITICALERRORS);

    int rc = rcOK;
    if (!driveWithSlash.empty()) {
        const std::string page = driveWithSlash + framePage;
        if (doesFileExist(page)) {
            trace(me, "\"%s\" verified.", page.c_str());
        } else {
            trace(me, "\"%s\" not found", page.c_str());
            driveWithSlash.clear();
        }
    }

    if (driveWithSlash.empty()) {
        trace(me, "Searching drives for %s", framePage);
        for (const char* letter = searchedDrives; *letter; ++letter) {
            const std::string drive(1, *letter);
            const std::string page = drive + ":\\" + framePage;
            if (os::_access(page.c_str(), 0) == 0) {
                trace(me, "%s found at %s", framePage, drive.c_str());
                driveWithSlash = drive + ":\\";
                break;
            }
        }
    }

    if (driveWithSlash.empty()) {
        trace(me, "%s never found", framePage);
        rc = rcNotFound;
    }

    trace(me, "driveWithSlash = \"%s\".", driveWithSlash.c_str());
    trace(me, "rc = %d", rc);
    trace(me, "Exit.");
    return rc;
}

bool AUtilities::getKitTitle() {
    const char* const me = "AUtilities::getKitTitle()";
    trace(me, "Entry.");
    trace(me, "Initialize kit title to blank...");
    setKitTitle("");

    const std::string path = driveWithSlash + kitDescriptionFile;
    trace(me, "Retrieving kit title from %s...", path.c_str());
    char* data = nullptr;
    std::size_t size = 0;
    if (!os::readFile(path.c_str(), &data, &size)) {
        trace(me, "Autorun.js file could not be opened");
        return false;
    }
    const KitDescription kit = parseKitDescription(data, size);
    os::freeFileData(data);

    if (!kit.kitTitle().empty()) setKitTitle(kit.kitTitle());
    trace(me, "Exit.");
    return true;
}

bool AUtilities::doesFileExist(std::string fileName) {
    const char* const me = "AUtilities::doesFileExist()";
    trace(me, "Entry.  filename = \"%s\"", fileName.c_str());
    const int rc = os::_access(fileName.c_str(), 0);
    trace(me, "access rc = %d", rc);
    trace(me, "Exit.  boolean rc = %s", rc == 0 ? "true" : "false");
    return rc == 0;
}
