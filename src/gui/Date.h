// A calendar date and its short text in the user's regional date format.
#pragma once

#include <string>

namespace gui {

class Date {
public:
    // dayOfYear counts from 1 (the 1st of January).
    Date(int year, int dayOfYear);

    // Month, day and two-digit year with leading zeros, in the order of the
    // locale's LOCALE_IDATE (0 m-d-y, 1 d-m-y, 2 y-m-d, else m-d-y), separated
    // by the first character of its LOCALE_SDATE.
    std::string shortText() const;

private:
    int year_;
    int month_;
    int day_;
};

}  // namespace gui
