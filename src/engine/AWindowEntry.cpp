#include "engine/AWindowEntry.h"

AWindowEntry::AWindowEntry() : handle_(nullptr) {}

AWindowEntry::AWindowEntry(os::HWND handle, const std::string& title)
    : handle_(handle), title_(title) {}

AWindowEntry::AWindowEntry(const AWindowEntry& other)
    : handle_(other.handle()), title_(other.title()) {}

AWindowEntry& AWindowEntry::operator=(const AWindowEntry& other) {
    handle_ = other.handle();
    title_ = other.title();
    return *this;
}

AWindowEntry::~AWindowEntry() = default;

os::HWND AWindowEntry::handle() const { return handle_; }

std::string AWindowEntry::title() const { return title_; }

bool AWindowEntry::operator<(const AWindowEntry&) const { return true; }
