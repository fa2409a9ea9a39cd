// Disc probing: the disc root, the kit title and the existence test.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "engine/AUtilities.h"
#include "engine/KitDescription.h"
#include "gui/Text.h"

namespace {

const char searchedDrives[] = "CDEFGHIJKLMNOPQRSTUVWXYZ";  // never A or B
const char kitDescriptionFile[] = "autohtml\\autorun.js";

// The size of an open file, from seeking to its end (0 for a device, and
// when the seek fails), with the file pointer put back at the start.
std::uint64_t sizeAtOpen(os::HANDLE file) {
    const os::LARGE_INTEGER none{};
    os::LARGE_INTEGER end{};
    if (!os::SetFilePointerEx(file, none, &end, os::FILE_END) || end.QuadPart <= 0 ||
        !os::SetFilePointerEx(file, none, nullptr, os::FILE_BEGIN))
        return 0;
    return static_cast<std::uint64_t>(end.QuadPart);
}

// Reads the kit description file piece by piece, so that neither the file
// nor any line of it is held whole, up to its first zero byte and no further
// than the size it had when it was opened: a device that yields bytes without
// end, or a file that grows while it is read, ends the text too. False when
// it cannot be opened; a failed read ends the text there.
bool readKitDescription(const std::string& path, KitDescription* kit) {
    const os::HANDLE file =
        os::CreateFileA(path.c_str(), os::GENERIC_READ, os::FILE_SHARE_READ | os::FILE_SHARE_WRITE,
                        nullptr, os::OPEN_EXISTING, os::FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == os::invalidHandle()) return false;
    KitDescriptionReader reader;
    std::vector<char> piece(64 * 1024);
    std::uint64_t left = sizeAtOpen(file);
    os::DWORD read = 0;
    while (left > 0 && !reader.ended() &&
           os::ReadFile(file, piece.data(),
                        static_cast<os::DWORD>(std::min<std::uint64_t>(piece.size(), left)), &read,
                        nullptr) &&
           read > 0) {
        reader.add(piece.data(), read);
        left -= std::min<std::uint64_t>(read, left);
    }
    os::CloseHandle(file);
    *kit = reader.finish();
    return true;
}

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
        trace(me, "Searching drives for %s", framePage.c_str());
        for (const char* letter = searchedDrives; *letter; ++letter) {
            const std::string drive(1, *letter);
            const std::string page = drive + ":\\" + framePage;
            if (os::_access(page.c_str(), 0) == 0) {
                trace(me, "%s found at %s", framePage.c_str(), drive.c_str());
                driveWithSlash = drive + ":\\";
                break;
            }
        }
    }

    if (driveWithSlash.empty()) {
        trace(me, "%s never found", framePage.c_str());
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
    KitDescription kit;
    if (!readKitDescription(path, &kit)) {
        trace(me, "Autorun.js file could not be opened");
        return false;
    }

    if (!kit.kitTitle().empty()) setKitTitle(kit.kitTitle());
    trace(me, "Exit.");
    return true;
}

bool AUtilities::doesFileExist(std::string fileName) {
    const char* const me = "AUtilities::doesFileExist()";
    trace(me, "Entry.  filename = \"%s\"", fileName.c_str());
    const int rc = os::_access(fileName.c_str(), 0);
    trace(me, "access rc = %d", rc);
    trace(me, "Exit.  boolean rc = %s", gui::boolText(rc == 0));
    return rc == 0;
}
