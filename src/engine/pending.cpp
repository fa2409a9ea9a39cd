// Steps of the program that are not built yet. Each answers failure, so that
// nothing pretends to have succeeded.
#include "engine/AUtilities.h"

bool AUtilities::initialize() { return false; }
int AUtilities::setRegistryKeys() { return rcRegistryWriteFailed; }
void runPreferencesWindow() {}
// Stand-ins until the disc probing and the window list land: the bare
// existence test, untraced, and a list that knows no window.
bool AUtilities::doesFileExist(std::string fileName) { return os::_access(fileName.c_str(), 0) == 0; }
void AUtilities::getWindowsList() {
    delete windowsList;
    windowsList = new AWindowList;
}
