// The short (8.3) form of a path, as the program hands paths to the programs
// it starts.
#pragma once

#include <string>

// The short form of an existing path. When the conversion fails or would not
// fit 1,020 characters, the long path itself, so the result always names what
// was found.
std::string shortPathOf(const std::string& longPath);
