// The text string is std::string; these are its few helpers, written once.
#pragma once

#include <string>

namespace gui {

// Upper-cases a to z and leaves every other byte alone.
inline std::string upper(std::string s) {
    for (char& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return s;
}

// Removes every character of `set` from both ends.
inline std::string strip(const std::string& s, const char* set) {
    const auto first = s.find_first_not_of(set);
    if (first == std::string::npos) return std::string();
    return s.substr(first, s.find_last_not_of(set) - first + 1);
}

// White space as the C runtime's isspace counts it in the "C" locale.
constexpr const char* whiteSpace = " \t\n\v\f\r";

// Whether `text` holds `part`, ignoring the case of a to z.
inline bool containsIgnoringCase(const std::string& text, const std::string& part) {
    return upper(text).find(upper(part)) != std::string::npos;
}

// Text order: byte by byte on unsigned codes, a proper prefix being lower.
inline bool lowerThan(const std::string& a, const std::string& b) { return a.compare(b) < 0; }

// A flag as the trace writes it.
inline const char* boolText(bool on) { return on ? "true" : "false"; }

}  // namespace gui
