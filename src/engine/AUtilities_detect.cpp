// Detection of the Java runtime and of the reader, from their application
// paths and the reader's version keys in the registry.
#include "engine/AUtilities.h"
#include "engine/RegistryText.h"
#include "engine/ShortPath.h"
#include "gui/Text.h"

namespace {

const char javaKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\javaw.exe";
const char readerPathKey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\pvnshelves.jar";
const char readerVersionsKey[] = "Software\\Zantic\\Zantic Velmora Reader";
const char newReaderOptions[] = "-A ";
const char oldReaderOptions[] = "-s -u ";

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

bool AUtilities::findJava() {
    const char* const me = "AUtilities::findJava()";
    trace(me, "Entry.");
    setJavaInstalled(false);
    setJavaExecutable("");

    os::HKEY key = nullptr;
    const os::LONG openRc = openForReading(javaKey, &key);
    trace(me, "RegOpenKeyEx rc = %d", openRc);
    std::string launcher;
    bool read = false;
    if (openRc == os::ERROR_SUCCESS) {
        const os::LONG queryRc = queryRegistryText(key, nullptr, &launcher);
        trace(me, "RegQueryValueEx for Javaw.exe rc = %d", queryRc);
        os::RegCloseKey(key);
        read = queryRc == os::ERROR_SUCCESS;
    }

    // The path as stored: quotes stay part of the name tested.
    if (read && doesFileExist(launcher)) {
        setJavaExecutable(shortPathOf(launcher));
        setJavaInstalled(true);
    }

    trace(me, "isJavaInstalled = %s", gui::boolText(isJavaInstalled()));
    trace(me, "Exit.");
    return isJavaInstalled();
}

bool AUtilities::findVLR() {
    const char* const me = "AUtilities::findVLR()";
    trace(me, "Entry.");
    setVLRInstalled(false);
    setVLRPath("");

    os::HKEY key = nullptr;
    const os::LONG openRc = openForReading(readerPathKey, &key);
    trace(me, "RegOpenKeyEx for pvnshelves.jar rc = %d", openRc);
    std::string stored;
    bool read = false;
    if (openRc == os::ERROR_SUCCESS) {
        const os::LONG queryRc = queryRegistryText(key, "Path", &stored);
        trace(me, "RegQueryValueEx rc = %d", queryRc);
        os::RegCloseKey(key);
        read = queryRc == os::ERROR_SUCCESS;
    }

    if (read) {
        // The value names the reader's sys folder or the folder that holds it.
        std::string folder = gui::strip(stored, "\"");
        if (folder.size() < 3 || gui::upper(folder.substr(folder.size() - 3)) != "SYS")
            folder += "\\sys";
        const std::string jarFile = folder + "\\pvns";
        if (doesFileExist(jarFile)) {
            setVLRPath(shortPathOf(folder));
            setVLRInstalled(true);
        } else {
            trace(me, "VLR jarFile \"%s\" not found.", jarFile.c_str());
        }
    }

    trace(me, "Initialize the vlrParms and vlrVersion...");
    setVLRParms(oldReaderOptions);
    setVLRVersion("");

    if (isVLRInstalled()) {
        // The greatest sub-key name, in text order, that begins with a digit.
        std::string best;
        os::HKEY versions = nullptr;
        const os::LONG versionsRc = openForReading(readerVersionsKey, &versions);
        trace(me, "RegOpenKeyEx for %s rc = %d", readerVersionsKey, versionsRc);
        if (versionsRc == os::ERROR_SUCCESS) {
            // Zeroed, and one byte beyond the size told, so the name traced is
            // always a terminated text, empty before the first success.
            char name[registryBufferSize + 1] = {};
            char keyClass[registryBufferSize + 1] = {};
            for (os::DWORD index = 0;; ++index) {
                os::DWORD nameSize = registryBufferSize;
                os::DWORD classSize = registryBufferSize;
                os::FILETIME lastWrite = {};
                const os::LONG rc = os::RegEnumKeyExA(versions, index, name, &nameSize, nullptr,
                                                      keyClass, &classSize, &lastWrite);
                if (rc == os::ERROR_SUCCESS && isDigit(name[0]) && gui::lowerThan(best, name))
                    best = name;
                trace(me, "RegEnumKeyEx rc = %d, data = %s", rc, name);
                if (rc != os::ERROR_SUCCESS) break;
            }
            os::RegCloseKey(versions);
        }
        if (!best.empty()) {
            setVLRVersion(best);
            setVLRParms(gui::lowerThan(best, currentVLRVersion) ? oldReaderOptions
                                                               : newReaderOptions);
        }
    }

    trace(me, "isVLRInstalled = %s", gui::boolText(isVLRInstalled()));
    trace(me, "Exit.");
    return isVLRInstalled();
}
