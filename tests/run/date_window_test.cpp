#include "run/date_window.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

TEST(DateWindow, ReadsDateTexts) {
    const struct {
        const char* text;
        bool readable;
        int yyyymmdd;
    } cases[] = {
        {"3/7/2003", true, 20030307},
        {"12/31/1999", true, 19991231},
        {"03/07/2003", true, 20030307},
        {"  3/  7/  2003  ", true, 20030307},
        {"3 /7 /2003", true, 20030307},  // a trailing blank must not shift the digits
        {"", false, 0},
        {"3/7", false, 0},
        {"3-7-2003", false, 0},
        {"a/7/2003", false, 0},
        {"3//2003", false, 0},
        {"3/7/2003/1", false, 0},
        {"123/7/2003", false, 0},
        {"3/7/20031", false, 0},
        {"-3/7/2003", false, 0},
        // Days that no calendar has.
        {"2/29/2024", true, 20240229},
        {"2/29/2023", false, 0},
        {"2/30/2024", false, 0},
        {"4/31/2024", false, 0},
        {"13/1/2026", false, 0},
        {"0/0/2020", false, 0},
        {"1/1/0", false, 0},
        {"2/29/1900", false, 0},
        {"2/29/2000", true, 20000229},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        int value = -1;
        EXPECT_EQ(yyyymmddFromDateText(c.text, value), c.readable);
        if (c.readable) {
            EXPECT_EQ(value, c.yyyymmdd);
        }
    }
}

TEST(DateWindow, PastMonthsKeepsTheDay) {
    const struct {
        CalendarDate today;
        int months;
        int cutOff;
    } cases[] = {
        {{2003, 3, 15}, 3, 20021215}, {{2003, 3, 31}, 1, 20030231},  {{2003, 3, 15}, 2, 20030115},
        {{2003, 1, 10}, 1, 20021210}, {{2003, 12, 1}, 12, 20021201}, {{2004, 2, 29}, 12, 20030229},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << yyyymmddOf(c.today) << " less " << c.months);
        EXPECT_EQ(pastMonthsCutOff(c.today, c.months), c.cutOff);
    }
}

TEST(DateWindow, FollowsTheSelectedTimeStampOption) {
    const CalendarDate today{2003, 3, 15};
    DateWindowOptions options;
    options.dateFrom = "1/2/2001";
    options.dateTo = "3/7/2003";
    options.pastMonths = "3";

    DateWindow window;
    ASSERT_FALSE(computeDateWindow(options, today, window));
    EXPECT_EQ(window.kind, DateWindow::Kind::None);
    EXPECT_TRUE(window.admits(19000101));

    options.inPastMonths = true;
    ASSERT_FALSE(computeDateWindow(options, today, window));
    EXPECT_EQ(window.kind, DateWindow::Kind::Since);
    EXPECT_EQ(window.cutOff, 20021215);
    EXPECT_FALSE(window.admits(20021214));
    EXPECT_TRUE(window.admits(20021215));

    // Between two dates wins over past months, whatever else is set.
    options.between = true;
    ASSERT_FALSE(computeDateWindow(options, today, window));
    EXPECT_EQ(window.kind, DateWindow::Kind::Between);
    EXPECT_EQ(window.from, 20010102);
    EXPECT_EQ(window.to, 20030307);
    const struct {
        int date;
        bool inside;
    } days[] = {
        {20010101, false}, {20010102, true}, {20020615, true}, {20030307, true}, {20030308, false}};
    for (const auto& d : days) EXPECT_EQ(window.admits(d.date), d.inside) << d.date;
}

TEST(DateWindow, UnreadableOptionsFailWithCode5AndNoWindow) {
    const struct {
        bool fromTo;
        const char* dateFrom;
        const char* dateTo;
        const char* pastMonths;
    } cases[] = {
        {true, "", "3/7/2003", "6"}, {true, "1/2/2001", "3.7.2003", "6"},
        {false, "", "", "0"},        {false, "", "", "13"},
        {false, "", "", "six"},      {false, "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dateFrom << " | " << c.dateTo << " | " << c.pastMonths);
        DateWindowOptions options;
        options.between = c.fromTo;
        options.inPastMonths = !c.fromTo;
        options.dateFrom = c.dateFrom;
        options.dateTo = c.dateTo;
        options.pastMonths = c.pastMonths;
        DateWindow window;
        window.kind = DateWindow::Kind::Since;
        const Failure failure = computeDateWindow(options, {2003, 3, 15}, window);
        EXPECT_EQ(failure.code, code::invalidArgument);
        EXPECT_EQ(window.kind, DateWindow::Kind::None);
    }
}

TEST(DateWindow, FileDatesAreLocal) {
    std::tm parts{};
    parts.tm_year = 2003 - 1900;
    parts.tm_mon = 2;
    parts.tm_mday = 7;
    parts.tm_hour = 23;
    parts.tm_min = 59;
    parts.tm_isdst = -1;
    EXPECT_EQ(yyyymmddOf(localDate(std::mktime(&parts))), 20030307);
    parts.tm_mday = 8;
    parts.tm_hour = 0;
    parts.tm_min = 0;
    parts.tm_isdst = -1;
    EXPECT_EQ(yyyymmddOf(localDate(std::mktime(&parts))), 20030308);
}

}  // namespace
}  // namespace tessaly
