// Command-line words that may hold a blank.
#pragma once

#include <string>

// CreateProcessA takes the program from the command line's first
// blank-delimited word, and the started program splits its arguments at
// blanks and tabs: a part holding one is enclosed in double quotes. Parts
// without stay as they are.
inline std::string quotedIfBlank(const std::string& part) {
    return part.find_first_of(" \t") == std::string::npos ? part : "\"" + part + "\"";
}
