// Steps of the program that are not built yet. Each answers failure, so that
// nothing pretends to have succeeded.
#include "engine/AUtilities.h"

int AUtilities::openVLR() { return rcNotInstalled; }
int AUtilities::openBrowser(std::string) { return rcNotFound; }
void runPreferencesWindow() {}
