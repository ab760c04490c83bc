#include <gtest/gtest.h>

#include "platform/rtf_escape.h"
#include "platform/rtf_reader.h"

namespace tessaly {
namespace {

std::string readBack(const std::string& rtf) { return readRtf(rtf).at(0).text(); }

TEST(RtfEscape, PathsAndNames) {
    const struct {
        std::string text;
        std::string rtf;
    } cases[] = {
        {"/home/Ann/Report.doc", "/home/Ann/Report.doc"},
        {"/a/{b}\\c", "/a/\\{b\\}\\\\c"},
        {"caf\xc3\xa9", "caf\\u233?"},                      // é
        {"\xe2\x82\xac", "\\u8364?"},                      // €
        {"\xf0\x9f\x98\x80", "\\u-10179?\\u-8704?"},       // 😀 as a surrogate pair
        {"bad\xe9name", "bad\\u-8983?name"},               // a Latin-1 byte: not UTF-8
        {"\xc0\xaf", "\\u-9024?\\u-9041?"},                // an overlong form is two bytes
        {"line\nend", "line\\u10?end"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(escapeRtfText(c.text), c.rtf);
        EXPECT_EQ(readBack(c.rtf), c.text);
    }
}

}  // namespace
}  // namespace tessaly
