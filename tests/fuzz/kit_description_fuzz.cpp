// Fuzzes the kit description file's line rules: any bytes, no crash, no
// overrun, no hang, results that keep the rules' promises and equal those of
// the rules applied to whole lines, the same results when the bytes come in
// two pieces, and a bounded part of a line held.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/KitDescription.h"
#include "gui/Text.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

void checkValue(const std::string& value, std::size_t inputSize) {
    check(value.size() <= inputSize);
    check(value.size() <= KitDescriptionReader::keptValueLength);
    check(value.find_first_of(std::string("\n\r\0", 3)) == std::string::npos);
    if (value.empty()) return;
    const std::string stripped = " \";";
    check(stripped.find(value.front()) == std::string::npos);
    // A value cut to what is kept may end inside a run of those characters.
    if (value.size() < KitDescriptionReader::keptValueLength)
        check(stripped.find(value.back()) == std::string::npos);
}

// The rules over the whole text and whole lines, each value cut to its
// first `kept` characters.
KitDescription wholeLines(const char* data, std::size_t size, std::size_t kept) {
    std::string text;
    for (std::size_t i = 0; i < size && data[i] != '\0'; ++i)
        if (data[i] != '\r' && !(data[i] == '\x1A' && i + 1 == size)) text += data[i];
    KitDescription kit;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t stop = std::min(text.find('\n', start), text.size());
        const std::string line = text.substr(start, stop - start);
        start = stop + 1;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = gui::upper(gui::strip(line.substr(0, equals), gui::whiteSpace));
        const std::string value =
            gui::strip(line.substr(equals + 1), " \";").substr(0, kept);
        if (key == "VAR KITTITLE") kit.title = value;
        if (key == "VAR EDITIONDATE") kit.editionDate = value;
    }
    return kit;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const KitDescription kit = parseKitDescription(reinterpret_cast<const char*>(data), size);
    checkValue(kit.title, size);
    checkValue(kit.editionDate, size);
    const std::string kitTitle = kit.kitTitle();
    check(kitTitle.empty() == (kit.title.empty() || kit.editionDate.empty()));
    if (!kitTitle.empty()) check(kitTitle == kit.title + " - " + kit.editionDate);
    const char* const text = reinterpret_cast<const char*>(data);
    const KitDescription whole = wholeLines(text, size, KitDescriptionReader::keptValueLength);
    check(kit.title == whole.title && kit.editionDate == whole.editionDate);
    // What a window title or a trace line shows of the kit title (its first
    // 1,023 characters, and whether there are more) is the uncut one's.
    const std::string uncut = wholeLines(text, size, std::string::npos).kitTitle();
    check(kitTitle.substr(0, 1023) == uncut.substr(0, 1023));
    check((kitTitle.size() > 1023) == (uncut.size() > 1023));

    // Read in pieces, the file gives the same result wherever a piece ends.
    if (size > 0) {
        const std::size_t cut = data[0] % (size + 1);
        KitDescriptionReader reader;
        reader.add(reinterpret_cast<const char*>(data), cut);
        reader.add(reinterpret_cast<const char*>(data) + cut, size - cut);
        check(reader.heldBytes() <= 4 * 1024);
        const KitDescription pieces = reader.finish();
        check(pieces.title == kit.title && pieces.editionDate == kit.editionDate);
    }
    return 0;
}
