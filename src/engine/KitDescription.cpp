#include "engine/KitDescription.h"

#include "gui/Text.h"

std::string KitDescription::kitTitle() const {
    if (title.empty() || editionDate.empty()) return std::string();
    return title + " - " + editionDate;
}

namespace {

void applyLine(const std::string& line, KitDescription* kit) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) return;
    const std::string key = gui::upper(gui::strip(line.substr(0, equals), gui::whiteSpace));
    std::string* field = key == "VAR KITTITLE"      ? &kit->title
                         : key == "VAR EDITIONDATE" ? &kit->editionDate
                                                    : nullptr;
    if (field) *field = gui::strip(line.substr(equals + 1), " \";");
}

// The bytes that the text mode treats apart from the rest.
bool special(char c) { return c == '\0' || c == '\r' || c == '\n' || c == '\x1A'; }

}  // namespace

void KitDescriptionReader::add(const char* data, std::size_t size) {
    std::size_t i = 0;
    while (i < size && !ended_) {
        if (heldCtrlZ_) {  // not the last byte after all
            line_ += '\x1A';
            heldCtrlZ_ = false;
        }
        std::size_t run = i;
        while (run < size && !special(data[run])) ++run;
        if (run > i) {
            line_.append(data + i, run - i);
            i = run;
            continue;
        }
        switch (data[i++]) {
            case '\0': ended_ = true; break;
            case '\n': endLine(); break;
            case '\x1A': heldCtrlZ_ = true; break;
            default: break;  // a carriage return is dropped
        }
    }
}

KitDescription KitDescriptionReader::finish() {
    endLine();
    return kit_;
}

void KitDescriptionReader::endLine() {
    if (!line_.empty()) applyLine(line_, &kit_);
    line_.clear();
}

KitDescription parseKitDescription(const char* data, std::size_t size) {
    KitDescriptionReader reader;
    if (data) reader.add(data, size);
    return reader.finish();
}
