// Steps of the program that are not built yet. Each answers failure, so that
// nothing pretends to have succeeded.
#include "engine/AUtilities.h"

void runPreferencesWindow() {}
