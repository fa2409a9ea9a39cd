#include "engine/KitDescription.h"

#include <cstring>

#include "gui/Text.h"

std::string KitDescription::kitTitle() const {
    if (title.empty() || editionDate.empty()) return std::string();
    return title + " - " + editionDate;
}

namespace {

// The text that the text-mode read leaves of the file's bytes.
std::string textOf(const char* data, std::size_t size) {
    if (size > 0 && data[size - 1] == '\x1A') --size;
    const void* zero = std::memchr(data, '\0', size);
    if (zero) size = static_cast<std::size_t>(static_cast<const char*>(zero) - data);
    std::string text;
    text.reserve(size);
    for (std::size_t i = 0; i < size; ++i)
        if (data[i] != '\r') text += data[i];
    return text;
}

void applyLine(const std::string& line, KitDescription* kit) {
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) return;
    const std::string key = gui::upper(gui::strip(line.substr(0, equals), gui::whiteSpace));
    const std::string value = gui::strip(line.substr(equals + 1), " \";");
    if (key == "VAR KITTITLE")
        kit->title = value;
    else if (key == "VAR EDITIONDATE")
        kit->editionDate = value;
}

}  // namespace

KitDescription parseKitDescription(const char* data, std::size_t size) {
    KitDescription kit;
    if (!data) return kit;
    const std::string text = textOf(data, size);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        if (end > start) applyLine(text.substr(start, end - start), &kit);
        start = end + 1;
    }
    return kit;
}
