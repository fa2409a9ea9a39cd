#include "gui/Exception.h"

namespace gui {

Exception::Exception(const std::string& text, std::uint32_t errorId, const std::string& className)
    : className_(className), errorId_(errorId) {
    if (!text.empty()) texts_.push_back(text);
}

Exception& Exception::addLocation(const char* file, const char* function, unsigned long line) {
    locations_.push_back({file ? file : "", function && *function ? function : "Unknown", line});
    return *this;
}

Exception& Exception::addText(const std::string& text) {
    texts_.push_back(text);
    return *this;
}

std::string Exception::text(std::size_t i) const {
    if (i >= texts_.size()) return std::string();
    return texts_[texts_.size() - 1 - i];
}

}  // namespace gui
