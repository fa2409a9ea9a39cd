// Fuzzes the kit description file's line rules: any bytes, no crash, no
// overrun, no hang, results that keep the rules' promises, and the same
// results when the bytes come in two pieces.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "engine/KitDescription.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

void checkValue(const std::string& value, std::size_t inputSize) {
    check(value.size() <= inputSize);
    check(value.find_first_of(std::string("\n\r\0", 3)) == std::string::npos);
    if (value.empty()) return;
    const std::string stripped = " \";";
    check(stripped.find(value.front()) == std::string::npos);
    check(stripped.find(value.back()) == std::string::npos);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const KitDescription kit = parseKitDescription(reinterpret_cast<const char*>(data), size);
    checkValue(kit.title, size);
    checkValue(kit.editionDate, size);
    const std::string kitTitle = kit.kitTitle();
    check(kitTitle.empty() == (kit.title.empty() || kit.editionDate.empty()));
    if (!kitTitle.empty()) check(kitTitle == kit.title + " - " + kit.editionDate);

    // Read in pieces, the file gives the same result wherever a piece ends.
    if (size > 0) {
        const std::size_t cut = data[0] % (size + 1);
        KitDescriptionReader reader;
        reader.add(reinterpret_cast<const char*>(data), cut);
        reader.add(reinterpret_cast<const char*>(data) + cut, size - cut);
        const KitDescription pieces = reader.finish();
        check(pieces.title == kit.title && pieces.editionDate == kit.editionDate);
    }
    return 0;
}
