#include <gtest/gtest.h>

#include <random>

#include "platform/rtf_escape.h"
#include "platform/rtf_reader.h"

namespace tessaly {
namespace {

std::vector<std::string> texts(const std::vector<RtfParagraph>& paragraphs) {
    std::vector<std::string> out;
    for (const auto& p : paragraphs) out.push_back(p.text());
    return out;
}

TEST(RtfReader, TheEnginesLines) {
    const std::string separator = "{\\plain\\f2\\fs18 \\par \\pard\\plain\\f3\\fs18 \\par }";
    const std::string rtf = "the {\\fs18\\cf1\\b Cat} sat\\\\on \\{it\\}" + separator + "next " + separator;
    const auto paragraphs = readRtf(rtf);
    EXPECT_EQ(texts(paragraphs), (std::vector<std::string>{"the Cat sat\\on {it}", "", "next ", ""}));
    ASSERT_EQ(paragraphs[0].runs.size(), 3u);
    EXPECT_FALSE(paragraphs[0].runs[0].bold);
    EXPECT_TRUE(paragraphs[0].runs[1].bold);
    EXPECT_EQ(paragraphs[0].runs[1].colour, 1);
    EXPECT_EQ(paragraphs[0].runs[1].text, "Cat");
    EXPECT_EQ(paragraphs[0].runs[1].fontSize, 18);
    EXPECT_FALSE(paragraphs[0].runs[2].bold) << "the group's end restores the style";
}

TEST(RtfReader, TextForms) {
    const struct {
        const char* name;
        std::string rtf;
        std::string text;
    } cases[] = {
        {"tables show nothing", "{\\rtf1{\\fonttbl{\\f0\\fswiss MS Sans Serif;}}{\\colortbl\\red0;}hello}", "hello"},
        {"0x92 is a right quote", "it\x92s", "it\xe2\x80\x99s"},
        {"hex escape", "caf\\'e9", "caf\xc3\xa9"},
        {"unicode with its stand-in", "\\u8364?5", "\xe2\x82\xac" "5"},
        {"a surrogate pair", "\\u-10179?\\u-8704?", "\xf0\x9f\x98\x80"},
        {"unknown words pass", "\\foo12 a\\bar b", "ab"},
        {"ignorable destination", "{\\*\\generator x;}text", "text"},
        {"source line ends are not text", "a\r\nb", "ab"},
        {"stray closing braces", "a}}b", "ab"},
        {"a lone backslash at the end", "a\\", "a"},
        {"nested deeper than kept", std::string(1000, '{') + "deep" + std::string(1000, '}'), "deep"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto paragraphs = readRtf(c.rtf);
        ASSERT_EQ(paragraphs.size(), 1u);
        EXPECT_EQ(paragraphs[0].text(), c.text);
    }
}

TEST(RtfReader, EscapedNamesReadBackByteForByte) {
    std::mt19937 random(5);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes(1 + random() % 20, '\0');
        for (char& b : bytes) b = static_cast<char>(1 + random() % 255);
        const auto paragraphs = readRtf(escapeRtfText(bytes));
        ASSERT_EQ(paragraphs.size(), 1u) << testing::PrintToString(bytes);
        EXPECT_EQ(paragraphs[0].text(), bytes);
    }
}

}  // namespace
}  // namespace tessaly
