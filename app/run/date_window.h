// The Time Stamp option turned into the window of last-modified dates that a
// run searches, computed once when the run starts.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

#include "platform/error_codes.h"

namespace tessaly {

// What the date window reads from the options.
struct DateWindowOptions {
    bool between = false;       // between two dates
    bool inPastMonths = false;  // in the past N months
    std::string dateFrom;    // month/day/year, as 3/7/2003
    std::string dateTo;
    std::string pastMonths = "6";  // N, 1 to 12, as its text holds it
};

struct CalendarDate {
    int year = 0;
    int month = 0;  // 1 to 12
    int day = 0;    // 1 to 31
};

// Dates are compared as yyyymmdd numbers: year * 10000 + month * 100 + day.
struct DateWindow {
    enum class Kind { None, Between, Since };
    Kind kind = Kind::None;
    int from = 0;    // Between: first day searched
    int to = 0;      // Between: last day searched
    int cutOff = 0;  // Since: first day searched

    // Both ends are inside.
    bool admits(int yyyymmdd) const;
};

// Reads a date text month/day/year. Blanks around each part are ignored and
// a one-digit month or day counts as if it had a leading "0". Anything else
// (a missing part, a letter, a month of three digits, a day the month does
// not have) gives nothing, so that a damaged settings file or a slip of the
// keyboard cannot make up a date.
bool yyyymmddFromDateText(std::string_view text, int& yyyymmdd);

// The cut-off for "past N months" seen on `today`: the same day N months
// earlier. The day is kept even where that month is shorter (31 March less
// one month is 20030231): the number only serves for comparison.
int pastMonthsCutOff(CalendarDate today, int months);

// The calendar date of a moment, in local time, as file dates are shown.
CalendarDate localDate(std::time_t moment);
int yyyymmddOf(CalendarDate date);

// The window of the selected Time Stamp option; `today` comes from the
// caller so that a run started just before midnight uses one date throughout.
// A date text or month count that cannot be read fails with code 5 and
// leaves `window` with no window.
Failure computeDateWindow(const DateWindowOptions& options, CalendarDate today, DateWindow& window);

}  // namespace tessaly
