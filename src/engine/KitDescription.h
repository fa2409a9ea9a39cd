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

// A text stripped at both ends of the characters of a set, fed in runs, of
// which only the first `limit` characters are kept. The leading run of the
// set is not held; a trailing run is held only as far as the limit, since a
// later character outside the set makes it part of the text again.
class StrippedPrefix {
public:
    StrippedPrefix(const char* set, std::size_t limit);
    // Adds a run of characters, none of them a zero byte.
    void add(const char* data, std::size_t size);
    // The first `limit` characters of the text stripped so far.
    std::string text() const { return kept_.substr(0, inside_); }
    void clear();
    std::size_t heldBytes() const { return kept_.capacity(); }

private:
    const char* set_;
    std::size_t limit_;
    std::string kept_;        // from the first character outside the set on, at most limit_
    std::size_t inside_ = 0;  // how much of kept_ comes before the trailing run
};

// Reads the file's bytes, given in pieces as they are read, as the C
// runtime's text mode delivers them (every carriage return dropped, a Ctrl-Z
// that is the file's last byte dropped), up to the first zero byte, and
// applies the line rules:
// - lines are split at line feeds; an empty line or one without "=" is skipped;
// - the key is the text before the first "=", stripped of white space at both
//   ends and with a to z upper-cased;
// - the value is the rest after that "=", stripped at both ends of blanks,
//   double quotes and semicolons, and cut to its first keptValueLength
//   characters;
// - the last line whose key is "VAR KITTITLE" or "VAR EDITIONDATE" wins.
// Of a line only a bounded part of its key and value is held, so a file of
// any size, and a line of any length, can be read.
class KitDescriptionReader {
public:
    // How much of a value is kept: one character more than the 1,023 that a
    // window title or a trace line's text holds. A kit title built from cut
    // values has the same first 1,023 characters as the whole one and is
    // longer than 1,023 characters exactly when the whole one is, so it is
    // traced the same and contained in the same window titles.
    static constexpr std::size_t keptValueLength = 1024;

    KitDescriptionReader();
    void add(const char* data, std::size_t size);
    // A zero byte has ended the text: the bytes after it need not be read.
    bool ended() const { return ended_; }
    // The result, once the last piece has been added.
    KitDescription finish();
    // The bytes held for the line in progress and the result so far.
    std::size_t heldBytes() const;

private:
    void addToLine(const char* data, std::size_t size);
    void endLine();

    KitDescription kit_;
    StrippedPrefix key_;
    StrippedPrefix value_;
    bool inValue_ = false;    // the line's first "=" has been met
    bool heldCtrlZ_ = false;  // kept only if another byte follows
    bool ended_ = false;      // a zero byte has ended the text
};

// The same rules over the whole file in one piece.
KitDescription parseKitDescription(const char* data, std::size_t size);
