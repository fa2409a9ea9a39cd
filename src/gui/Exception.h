// The GUI library's exception: a class name, an error id, the places where it
// was thrown and rethrown, and a stack of texts whose text 0 is the newest.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gui {

class Exception {
public:
    struct Location {
        std::string file;
        std::string function;
        unsigned long line;
    };

    Exception(const std::string& text, std::uint32_t errorId = 0,
              const std::string& className = "gui::Exception");
    virtual ~Exception() = default;

    const std::string& name() const { return className_; }
    std::uint32_t errorId() const { return errorId_; }

    Exception& addLocation(const char* file, const char* function, unsigned long line);
    std::size_t locationCount() const { return locations_.size(); }
    const Location& location(std::size_t i) const { return locations_.at(i); }

    Exception& addText(const std::string& text);
    std::size_t textCount() const { return texts_.size(); }
    // Text 0 is the one added last; an index beyond the count answers "".
    std::string text(std::size_t i = 0) const;

private:
    std::string className_;
    std::uint32_t errorId_;
    std::vector<Location> locations_;
    std::vector<std::string> texts_;  // oldest first
};

}  // namespace gui

// Throws or rethrows the library's exception, recording where.
#define GUI_THROW(exception) \
    throw (exception).addLocation(__FILE__, __func__, static_cast<unsigned long>(__LINE__))
#define GUI_RETHROW(exception)                                                        \
    do {                                                                              \
        (exception).addLocation(__FILE__, __func__, static_cast<unsigned long>(__LINE__)); \
        throw;                                                                        \
    } while (0)
