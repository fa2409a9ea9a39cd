// Helpers of the launch tests: the arguments that a started program gets
// from its command line.
#pragma once

#include <string>
#include <vector>

#include "support.h"

namespace test {

// Splits a command line as the C runtime's start-up code does for argv:
// blanks and tabs separate arguments outside double quotes; 2n backslashes
// before a quote give n backslashes and the quote opens or closes; 2n+1 give
// n backslashes and a literal quote; other backslashes are literal.
inline std::vector<std::string> childArguments(const std::string& line) {
    std::vector<std::string> args;
    std::size_t i = 0;
    while (true) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
        if (i >= line.size()) break;
        std::string arg;
        bool quoted = false;
        while (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t'))) {
            std::size_t slashes = 0;
            while (i < line.size() && line[i] == '\\') ++slashes, ++i;
            if (i < line.size() && line[i] == '"') {
                arg.append(slashes / 2, '\\');
                if (slashes % 2) arg += '"';
                else quoted = !quoted;
                ++i;
            } else {
                arg.append(slashes, '\\');
                if (i < line.size() && (quoted || (line[i] != ' ' && line[i] != '\t')))
                    arg += line[i++];
            }
        }
        args.push_back(arg);
    }
    return args;
}

}  // namespace test
