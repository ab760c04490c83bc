#include "platform/qt/rtf_colour_table.h"

#include <gtest/gtest.h>

#include "run/result_document.h"

namespace tessaly {
namespace {

TEST(RtfColourTable, ReadsTheFirstTableOfADocument) {
    const RtfColour black{}, red{255, 0, 0}, blue{0, 0, 255}, automatic{0, 0, 0, true};
    const struct {
        std::string_view rtf;
        std::optional<RtfColourTable> expected;
    } cases[] = {
        {kResultHeader, RtfColourTable{black, red, blue}},
        {"{\\rtf1{\\colortbl;\\red1\\green2\\blue3;}}", RtfColourTable{automatic, {1, 2, 3}}},
        {"{\\rtf1 plain text}", std::nullopt},
        // Escaped text is no table, even when it reads like one.
        {"{\\rtf1 \\\\colortbl\\red9;}", std::nullopt},
        {"{\\rtf1 \\{\\colortbl\\red9;}", RtfColourTable{{9, 0, 0}}},
        {"{\\colortbl\\red300\\green-5\\blue7\\ctint100;}", RtfColourTable{{255, 0, 7}}},
        {"{\\colortbl\\red1;\\red2;}{\\colortbl\\red3;}", RtfColourTable{{1, 0, 0}, {2, 0, 0}}},
        // An entry without its ";" is not finished and so not an entry.
        {"{\\colortbl\\red1;\\red2", RtfColourTable{{1, 0, 0}}},
        {"{\\colortbl{\\*\\x\\red8;}\\red4;}", RtfColourTable{{4, 0, 0}}},
    };
    for (const auto& c : cases) EXPECT_EQ(readRtfColourTable(c.rtf), c.expected) << c.rtf;
}

}  // namespace
}  // namespace tessaly
