#include "gui/Date.h"

#include <cstdio>

#include "platform/os.h"

namespace gui {

namespace {

bool isLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

std::string localeText(os::LCTYPE type) {
    char buffer[80] = {};
    if (os::GetLocaleInfoA(os::GetUserDefaultLCID(), type, buffer, sizeof buffer) <= 0) return "";
    buffer[sizeof buffer - 1] = '\0';
    return buffer;
}

std::string twoDigits(int n) {
    char buffer[4];
    std::snprintf(buffer, sizeof buffer, "%02d", ((n % 100) + 100) % 100);
    return buffer;
}

}  // namespace

Date::Date(int year, int dayOfYear) : year_(year), month_(1), day_(1) {
    static const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int rest = dayOfYear < 1 ? 1 : dayOfYear;
    for (int m = 0; m < 12; ++m) {
        const int length = lengths[m] + (m == 1 && isLeap(year) ? 1 : 0);
        if (rest <= length || m == 11) {
            month_ = m + 1;
            day_ = rest <= length ? rest : length;
            return;
        }
        rest -= length;
    }
}

std::string Date::shortText() const {
    const std::string order = localeText(os::LOCALE_IDATE);
    const std::string separators = localeText(os::LOCALE_SDATE);
    const std::string sep = separators.empty() ? std::string("/") : separators.substr(0, 1);
    const std::string m = twoDigits(month_), d = twoDigits(day_), y = twoDigits(year_);
    if (order == "1") return d + sep + m + sep + y;
    if (order == "2") return y + sep + m + sep + d;
    return m + sep + d + sep + y;
}

}  // namespace gui
