#include "run/date_window.h"

#include "platform/blanks.h"
#include "run/filter_text.h"

namespace tessaly {

namespace {

// A part of digits only, of at most `maxDigits`.
bool readNumber(std::string_view part, std::size_t maxDigits, int& value) {
    part = trimBlanks(part);
    if (part.empty() || part.size() > maxDigits) return false;
    value = 0;
    for (const char digit : part) {
        if (digit < '0' || digit > '9') return false;
        value = value * 10 + (digit - '0');
    }
    return true;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

Failure unreadable(std::string what, std::string_view text) {
    Failure failure;
    failure.code = code::invalidArgument;
    failure.operation = "read the " + std::move(what);
    failure.path = std::string(text);
    return failure;
}

}  // namespace

bool DateWindow::admits(int yyyymmdd) const {
    switch (kind) {
    case Kind::None:
        return true;
    case Kind::Between:
        return from <= yyyymmdd && yyyymmdd <= to;
    case Kind::Since:
        return yyyymmdd >= cutOff;
    }
    return true;
}

bool yyyymmddFromDateText(std::string_view text, int& yyyymmdd) {
    const std::size_t firstSlash = text.find('/');
    if (firstSlash == std::string_view::npos) return false;
    const std::size_t secondSlash = text.find('/', firstSlash + 1);
    if (secondSlash == std::string_view::npos) return false;
    int month = 0, day = 0, year = 0;
    if (!readNumber(text.substr(0, firstSlash), 2, month)) return false;
    if (!readNumber(text.substr(firstSlash + 1, secondSlash - firstSlash - 1), 2, day))
        return false;
    // A further "/" is caught here: it is not a digit.
    if (!readNumber(text.substr(secondSlash + 1), 4, year)) return false;
    // A day no calendar has would make a window that holds no file at all.
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month)) return false;
    // Written one after the other with month and day padded to two digits,
    // the parts read as this number.
    yyyymmdd = year * 10000 + month * 100 + day;
    return true;
}

int pastMonthsCutOff(CalendarDate today, int months) {
    if (today.month > months) return yyyymmddOf({today.year, today.month - months, today.day});
    return yyyymmddOf({today.year - 1, today.month + 12 - months, today.day});
}

CalendarDate localDate(std::time_t moment) {
    std::tm parts{};
    if (!localtime_r(&moment, &parts)) return {};
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday};
}

int yyyymmddOf(CalendarDate date) {
    return date.year * 10000 + date.month * 100 + date.day;
}

Failure computeDateWindow(const DateWindowOptions& options, CalendarDate today,
                          DateWindow& window) {
    window = {};
    if (options.between) {
        DateWindow between;
        between.kind = DateWindow::Kind::Between;
        if (!yyyymmddFromDateText(options.dateFrom, between.from)) {
            return unreadable("date", options.dateFrom);
        }
        if (!yyyymmddFromDateText(options.dateTo, between.to)) {
            return unreadable("date", options.dateTo);
        }
        window = between;
    } else if (options.inPastMonths) {
        int months = 0;
        // Beyond 12 the month arithmetic would leave the year it assumes.
        if (!readNumber(options.pastMonths, 2, months) || months < 1 || months > 12) {
            return unreadable("month count", options.pastMonths);
        }
        window.kind = DateWindow::Kind::Since;
        window.cutOff = pastMonthsCutOff(today, months);
    }
    return {};
}

}  // namespace tessaly
