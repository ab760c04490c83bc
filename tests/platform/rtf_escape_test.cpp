#include <gtest/gtest.h>

#include <random>

#include "platform/rtf_escape.h"

namespace tessaly {
namespace {

// Reads back what escapeRtfText wrote, as our RTF reader does: escaped
// specials, \uN? units, plain ASCII.
std::string readBack(const std::string& rtf) {
    std::u16string units;
    for (std::size_t i = 0; i < rtf.size(); ++i) {
        if (rtf[i] != '\\') {
            units += static_cast<char16_t>(static_cast<unsigned char>(rtf[i]));
        } else if (rtf[i + 1] == 'u') {
            std::size_t end = i + 2;
            while (rtf[end] != '?') ++end;
            units += static_cast<char16_t>(static_cast<std::int16_t>(std::stoi(rtf.substr(i + 2, end - i - 2))));
            i = end;
        } else {
            units += static_cast<char16_t>(rtf[++i]);
        }
    }
    return bytesFromUtf16(units);
}

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
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(escapeRtfText(c.text), c.rtf);
        EXPECT_EQ(readBack(c.rtf), c.text);
    }
}

TEST(RtfEscape, AnyBytesComeBackUnchanged) {
    std::mt19937 random(3);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(random() % 24, '\0');
        for (char& b : bytes) b = static_cast<char>(random() % 2 ? random() % 256 : 0x80 + random() % 64);
        SCOPED_TRACE(testing::PrintToString(bytes));
        EXPECT_EQ(readBack(escapeRtfText(bytes)), bytes);
    }
}

}  // namespace
}  // namespace tessaly
