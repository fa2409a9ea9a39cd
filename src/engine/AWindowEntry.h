// One entry of the snapshot of top-level windows: a handle and its title.
#pragma once

#include <string>
#include <vector>

#include "platform/os.h"

class AWindowEntry {
public:
    AWindowEntry();
    AWindowEntry(os::HWND handle, const std::string& title);
    AWindowEntry(const AWindowEntry& other);
    AWindowEntry& operator=(const AWindowEntry& other);
    virtual ~AWindowEntry();

    os::HWND handle() const;
    std::string title() const;

    // Every entry orders before every other, itself included: no two entries
    // count as duplicates.
    bool operator<(const AWindowEntry& other) const;

private:
    os::HWND handle_;
    std::string title_;
};

// The snapshot keeps every entry added to it, in the order added.
using AWindowList = std::vector<AWindowEntry>;
