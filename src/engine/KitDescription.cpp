#include "engine/KitDescription.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "gui/Text.h"

std::string KitDescription::kitTitle() const {
    if (title.empty() || editionDate.empty()) return std::string();
    return title + " - " + editionDate;
}

StrippedPrefix::StrippedPrefix(const char* set, std::size_t limit) : set_(set), limit_(limit) {
    kept_.reserve(limit);
}

void StrippedPrefix::add(const char* data, std::size_t size) {
    const char* const end = data + size;
    const auto inSet = [this](char c) { return std::strchr(set_, c) != nullptr; };
    if (kept_.empty()) data = std::find_if_not(data, end, inSet);  // the leading run
    if (inside_ == limit_) return;  // all that is kept is part of the text
    const std::size_t before = kept_.size();
    kept_.append(data, std::min<std::size_t>(end - data, limit_ - before));
    // The run's last character outside the set ends the text so far; the
    // trailing run before it, held or not, is part of the text after all.
    const auto last = std::find_if_not(std::make_reverse_iterator(end),
                                       std::make_reverse_iterator(data), inSet);
    if (last.base() != data) inside_ = std::min(limit_, before + (last.base() - data));
}

void StrippedPrefix::clear() {
    kept_.clear();
    inside_ = 0;
}

namespace {

const char titleKey[] = "VAR KITTITLE";
const char editionDateKey[] = "VAR EDITIONDATE";
// A key is kept one character past the longer of the two it is compared with:
// enough to tell every longer key from both.
constexpr std::size_t keptKeyLength = sizeof editionDateKey;  // its length + 1

// The bytes that the text mode treats apart from the rest.
bool special(char c) { return c == '\0' || c == '\r' || c == '\n' || c == '\x1A'; }

}  // namespace

KitDescriptionReader::KitDescriptionReader()
    : key_(gui::whiteSpace, keptKeyLength), value_(" \";", keptValueLength) {}

void KitDescriptionReader::add(const char* data, std::size_t size) {
    const char* const end = data + size;
    while (data != end && !ended_) {
        if (heldCtrlZ_) {  // not the last byte after all
            addToLine("\x1A", 1);
            heldCtrlZ_ = false;
        }
        const char* const run = std::find_if(data, end, special);
        addToLine(data, run - data);
        if (run == end) break;
        switch (*run) {
            case '\0': ended_ = true; break;
            case '\n': endLine(); break;
            case '\x1A': heldCtrlZ_ = true; break;
            default: break;  // a carriage return is dropped
        }
        data = run + 1;
    }
}

KitDescription KitDescriptionReader::finish() {
    endLine();
    return kit_;
}

std::size_t KitDescriptionReader::heldBytes() const {
    return key_.heldBytes() + value_.heldBytes() + kit_.title.capacity() +
           kit_.editionDate.capacity();
}

// The text before the line's first "=" goes to the key, the rest to the value.
void KitDescriptionReader::addToLine(const char* data, std::size_t size) {
    const char* const end = data + size;
    if (!inValue_) {
        const char* const equals = std::find(data, end, '=');
        key_.add(data, equals - data);
        if (equals == end) return;
        inValue_ = true;
        data = equals + 1;
    }
    value_.add(data, end - data);
}

// A line without "=" (an empty one too) is skipped.
void KitDescriptionReader::endLine() {
    if (inValue_) {
        const std::string key = gui::upper(key_.text());
        if (key == titleKey)
            kit_.title = value_.text();
        else if (key == editionDateKey)
            kit_.editionDate = value_.text();
    }
    key_.clear();
    value_.clear();
    inValue_ = false;
}

KitDescription parseKitDescription(const char* data, std::size_t size) {
    KitDescriptionReader reader;
    if (data) reader.add(data, size);
    return reader.finish();
}
