// The kit description file (autohtml\autorun.js on the disc): the two of its
// lines that give the kit's title and edition date. A pure function over the
// file's bytes, so it can be tested and fuzzed on its own.
#pragma once

#include <cstddef>
#include <string>

struct KitDescription {
    std::string title;        // the last "VAR KITTITLE" line's value
    std::string editionDate;  // the last "VAR EDITIONDATE" line's value

    // The title, " - " and the edition date when both are non-empty, else "".
    std::string kitTitle() const;
};

// Reads the file's bytes, given in pieces as they are read, as the C
// runtime's text mode delivers them (every carriage return dropped, a Ctrl-Z
// that is the file's last byte dropped), up to the first zero byte, and
// applies the line rules:
// - lines are split at line feeds; an empty line or one without "=" is skipped;
// - the key is the text before the first "=", stripped of white space at both
//   ends and with a to z upper-cased;
// - the value is the rest after that "=", stripped at both ends of blanks,
//   double quotes and semicolons;
// - the last line whose key is "VAR KITTITLE" or "VAR EDITIONDATE" wins.
// Only the line in progress is held, so a file of any size can be read.
class KitDescriptionReader {
public:
    void add(const char* data, std::size_t size);
    // The result, once the last piece has been added.
    KitDescription finish();

private:
    void endLine();

    KitDescription kit_;
    std::string line_;
    bool heldCtrlZ_ = false;  // kept only if another byte follows
    bool ended_ = false;      // a zero byte has ended the text
};

// The same rules over the whole file in one piece.
KitDescription parseKitDescription(const char* data, std::size_t size);
