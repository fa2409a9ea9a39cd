// Today's date as the "Date" value of the settings: the calendar's edges
// (the ends of the months, February in leap and common years, the year's
// last day) in every regional date order, in the GUI library's short date
// text and through the machine's clock and locale into the registry.
#include <cstring>
#include <string>

#include "gui/Date.h"
#include "support.h"

namespace {

using test::settingsKey;

// A regional date order and separator, and the text they give as a pattern
// in which m, d and y stand for the two-digit month, day and year.
struct Order {
    const char* iDate;
    const char* sDate;
    const char* pattern;
};
const Order orders[] = {
    {"0", "/", "m/d/y"},
    {"1", ".", "d.m.y"},
    {"2", "-", "y-m-d"},
    {"2", ". ", "y.m.d"},  // of a longer separator, its first character
    {"1", "-/", "d-m-y"},
    {"7", ".", "m.d.y"},  // an order of no meaning
    {"", "/", "m/d/y"},   // an empty answer
};

std::string fill(const std::string& pattern, const std::string& month, const std::string& day,
                 const std::string& year) {
    std::string out;
    for (const char c : pattern)
        out += c == 'm' ? month : c == 'd' ? day : c == 'y' ? year : std::string(1, c);
    return out;
}

// The first and last day of every month, by their day of the year.
struct Day {
    int dayOfYear;
    const char* month;
    const char* day;
};
const Day commonYear[] = {
    {1, "01", "01"},   {31, "01", "31"},  {32, "02", "01"},  {59, "02", "28"},  {60, "03", "01"},
    {90, "03", "31"},  {91, "04", "01"},  {120, "04", "30"}, {121, "05", "01"}, {151, "05", "31"},
    {152, "06", "01"}, {181, "06", "30"}, {182, "07", "01"}, {212, "07", "31"}, {213, "08", "01"},
    {243, "08", "31"}, {244, "09", "01"}, {273, "09", "30"}, {274, "10", "01"}, {304, "10", "31"},
    {305, "11", "01"}, {334, "11", "30"}, {335, "12", "01"}, {365, "12", "31"},
};
const Day leapYear[] = {
    {1, "01", "01"},   {31, "01", "31"},  {32, "02", "01"},  {59, "02", "28"},  {60, "02", "29"},
    {61, "03", "01"},  {91, "03", "31"},  {92, "04", "01"},  {121, "04", "30"}, {122, "05", "01"},
    {152, "05", "31"}, {153, "06", "01"}, {182, "06", "30"}, {183, "07", "01"}, {213, "07", "31"},
    {214, "08", "01"}, {244, "08", "31"}, {245, "09", "01"}, {274, "09", "30"}, {275, "10", "01"},
    {305, "10", "31"}, {306, "11", "01"}, {335, "11", "30"}, {336, "12", "01"}, {366, "12", "31"},
};

class Today : public test::Fixture {
protected:
    // Runs the program with the perform switch from a disc of the kit and
    // answers the "Date" value that its write test left, "<none>" if none.
    std::string dateWritten() {
        m().files.addFile("E:\\vmframe.htm");
        EXPECT_EQ(run({"E:\\autorun.exe", "/p"}), 0);
        const sim::Registry::Value* date = m().registry.findValue(settingsKey, "Date");
        return date ? date->data : "<none>";
    }
};

TEST_F(Today, ShortTextOfEveryMonthsEdgesInEveryOrder) {
    const struct {
        int year;
        bool leap;
        const char* twoDigits;
    } years[] = {
        {1900, false, "00"},  // a century not divisible by 400
        {2000, true, "00"},   // a century divisible by 400
        {2023, false, "23"},
        {2024, true, "24"},
        {2100, false, "00"},
    };
    for (const Order& order : orders) {
        SCOPED_TRACE(std::string("order \"") + order.iDate + "\", separator \"" + order.sDate +
                     "\"");
        m().localeIDate = order.iDate;
        m().localeSDate = order.sDate;
        for (const auto& year : years) {
            auto check = [&](const Day& day) {
                EXPECT_EQ(gui::Date(year.year, day.dayOfYear).shortText(),
                          fill(order.pattern, day.month, day.day, year.twoDigits))
                    << year.year << ", day " << day.dayOfYear;
            };
            if (year.leap)
                for (const Day& day : leapYear) check(day);
            else
                for (const Day& day : commonYear) check(day);
        }
    }
}

// The program's own way to today's date: the C runtime's clock, its local
// calendar and the user's regional settings, written as "Date" by the
// start-up's write test.
TEST_F(Today, ClockAndLocaleGiveTheDateValue) {
    const struct {
        const char* what;
        os::TIME64 now;  // seconds since 1970, UTC
        int offsetMinutes;
        const char* iDate;
        const char* sDate;
        const char* date;
    } rows[] = {
        {"28 February 2000", 951739200, 0, "0", "/", "02/28/00"},
        {"29 February 2000", 951825600, 0, "1", ".", "29.02.00"},
        {"1 March 2000", 951912000, 0, "2", "-", "00-03-01"},
        {"31 December 2000", 978264000, 0, "9", "/", "12/31/00"},
        {"1 March 2023", 1677672000, 0, "1", ".", "01.03.23"},
        {"28 February 2024", 1709121600, 0, "2", ". ", "24.02.28"},
        {"29 February 2024", 1709208000, 0, "0", "/", "02/29/24"},
        {"1 March 2024", 1709294400, 0, "1", "-/", "01-03-24"},
        {"31 December 2024", 1735646400, 0, "1", "/", "31/12/24"},
        {"28 February 2100", 4107499200, 0, "1", ".", "28.02.00"},
        {"1 March 2100", 4107585600, 0, "0", "/", "03/01/00"},
        {"31 December 2100", 4133937600, 0, "2", "/", "00/12/31"},
        // The local date, not the one at Greenwich.
        {"28 February 2024 23:30 UTC, an hour east", 1709163000, 60, "1", ".", "29.02.24"},
        {"1 March 2024 00:30 UTC, an hour west", 1709253000, -60, "2", "-", "24-02-29"},
        {"28 February 2100 23:30 UTC, an hour east", 4107540600, 60, "0", "/", "03/01/00"},
        {"31 December 2000 23:30 UTC, an hour east", 978305400, 60, "0", "/", "01/01/01"},
        // The runtime has no local date before 1970: the write test still
        // writes a date, the first day of its calendar.
        {"a clock before 1970", -86400, 0, "0", "/", "01/01/00"},
    };
    for (const auto& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        m().now = row.now;
        m().localOffsetMinutes = row.offsetMinutes;
        m().localeIDate = row.iDate;
        m().localeSDate = row.sDate;
        EXPECT_EQ(dateWritten(), row.date + std::string(1, '\0'));
    }
}

// The "Date" value follows the user's own locale and regional settings,
// whatever the system's locale and US English would give.
TEST_F(Today, TheDateFollowsTheUsersLocaleAlone) {
    const os::LCID usEnglish = 0x0409, german = 0x0407, french = 0x040C;
    const struct {
        const char* what;
        os::LCID user;
        const char* iDate;  // the user's regional settings
        const char* sDate;
        os::LCID system;
        const char* date;
    } rows[] = {
        {"a German user on a French system", german, "1", ".", french, "08.02.02"},
        {"a French user on a German system", french, "1", "/", german, "08/02/02"},
        {"a US user on a German system", usEnglish, "0", "/", german, "02/08/02"},
        {"a German user who chose year-month-day", german, "2", "-", usEnglish, "02-02-08"},
    };
    for (const auto& row : rows) {
        nextRow(row.what);
        SCOPED_TRACE(row.what);
        m().userLocale = row.user;
        m().localeIDate = row.iDate;
        m().localeSDate = row.sDate;
        m().systemLocale = row.system;
        EXPECT_EQ(dateWritten(), row.date + std::string(1, '\0'));
    }
}

// The simulated machine answers for the locale asked about: the
// pseudo-locales stand for the user's and the system's locale, the user's
// locale answers the user's settings unless asked for its standard values,
// and a locale or an item it does not know is reported and fails as an
// invalid parameter.
TEST_F(Today, TheMachineAnswersForTheLocaleAskedAbout) {
    m().userLocale = 0x0407;
    m().localeIDate = "2";  // the user changed German's day.month.year
    m().localeSDate = "-";
    m().systemLocale = 0x040C;
    EXPECT_EQ(os::GetUserDefaultLCID(), 0x0407u);
    const struct {
        const char* what;
        os::LCID locale;
        os::LCTYPE type;
        const char* answer;  // null: not modelled
        const char* reported;
    } rows[] = {
        {"the user's default", sim::localeUserDefault, os::LOCALE_IDATE, "2", nullptr},
        {"the user's locale by its number", 0x0407, os::LOCALE_SDATE, "-", nullptr},
        {"the user's locale, its standard value", 0x0407,
         os::LOCALE_SDATE | sim::localeNoUserOverride, ".", nullptr},
        {"the system's default", sim::localeSystemDefault, os::LOCALE_IDATE, "1", nullptr},
        {"the system's default separator", sim::localeSystemDefault, os::LOCALE_SDATE, "/", nullptr},
        {"US English", 0x0409, os::LOCALE_IDATE, "0", nullptr},
        {"US English separator", 0x0409, os::LOCALE_SDATE, "/", nullptr},
        {"a locale it does not know", 0x0411, os::LOCALE_IDATE, nullptr,
         "GetLocaleInfoA: locale 0x411"},
        {"an item it does not know", sim::localeUserDefault, 0x20, nullptr,
         "GetLocaleInfoA: type 0x20"},  // LOCALE_SLONGDATE
        {"a flag it does not model", sim::localeUserDefault, os::LOCALE_IDATE | 0x20000000,
         nullptr, "GetLocaleInfoA: type 0x20000021"},  // LOCALE_RETURN_NUMBER
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        char buffer[8] = "xxxxxxx";
        m().lastError = 0;
        const int n = os::GetLocaleInfoA(row.locale, row.type, buffer, sizeof buffer);
        if (row.answer) {
            EXPECT_EQ(std::string(buffer), row.answer);
            EXPECT_EQ(n, static_cast<int>(std::string(row.answer).size()) + 1);
            EXPECT_TRUE(m().unmodeled.empty());
        } else {
            EXPECT_EQ(n, 0);
            EXPECT_EQ(os::GetLastError(), sim::errorInvalidParameter);
            EXPECT_EQ(m().unmodeled, std::vector<std::string>{row.reported});
        }
        m().unmodeled.clear();  // the fixture's own check would flag it
    }
}

// The size of the buffer: 0 asks the size needed, terminator included, and
// writes nothing; a buffer too small for the answer and its terminator gets
// nothing and fails with ERROR_INSUFFICIENT_BUFFER.
TEST_F(Today, TheLocaleAnswersTheSizeNeededAndFillsOnlyABufferLargeEnough) {
    m().userLocale = 0x0407;
    m().localeSDate = ". ";  // a separator of two characters: three with the terminator
    const char untouched = '\xbd';
    const struct {
        const char* what;
        int size;
        int answer;           // 0: the call fails, with ERROR_INSUFFICIENT_BUFFER
        std::string written;  // the buffer's start after the call
    } rows[] = {
        {"the size asked", 0, 3, ""},
        {"no room for the terminator", 2, 0, ""},
        {"room for one character", 1, 0, ""},
        {"room for all", 3, 3, std::string(". \0", 3)},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        char buffer[8];
        std::memset(buffer, untouched, sizeof buffer);
        m().lastError = 0;
        EXPECT_EQ(os::GetLocaleInfoA(sim::localeUserDefault, os::LOCALE_SDATE, buffer, row.size),
                  row.answer);
        if (row.answer == 0) {
            EXPECT_EQ(os::GetLastError(), sim::errorInsufficientBuffer);
        }
        EXPECT_EQ(std::string(buffer, sizeof buffer),
                  row.written + std::string(sizeof buffer - row.written.size(), untouched));
    }
}

}  // namespace
