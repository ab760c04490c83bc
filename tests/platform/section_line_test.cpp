#include "platform/section_line.h"

#include <gtest/gtest.h>

#include "categories/data_files.h"

namespace tessaly {
namespace {

TEST(SectionLine, ClassesOfLines) {
    const struct {
        const char* line;
        bool bracket;
        bool header;
    } cases[] = {
        {"[Work]", true, true},
        {"  [ Work ]  ", true, true},
        {"x[ab]", true, true},
        {"/home/me/[old]/docs", true, true},
        {"]backwards[", true, false},
        {"a]b[c]", true, false},  // the first "]" comes before the first "["
        {"[open only", false, false},
        {"close only]", false, false},
        {"/home/me/docs", false, false},
        {"", false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(isBracketLine(c.line), c.bracket);
        EXPECT_EQ(isHeaderLine(c.line), c.header);
    }
}

TEST(SectionLine, NamesOfHeaderLines) {
    const struct {
        const char* line;
        const char* name;  // nullptr: not a header line
    } cases[] = {
        {"[Work]", "Work"},
        {"[ Work ]", "Work"},
        {"   [ Work ]   ", "Work"},
        {"[]", ""},
        {"[   ]", ""},
        {"[two words]", "two words"},
        {"x[ab]", "[a"},
        {"xy[abc]", "y[a"},  // the window shifts by the text before "["
        {"[a]b]", "a"},
        {"[[a]", "[a"},
        {"/home/me/[old]/docs", "hom"},  // a folder with brackets reads as a header
        {"[Work] trailing", "Work"},
        {"[\tTab\t]", "\tTab\t"},  // only blanks are trimmed
        {"[Bücher]", "Bücher"},
        {"é[ab]", "[a"},         // counted in characters: the "é" is not cut in half
        {"x\x84[ab]", "\x84["},  // a byte that begins no character counts as one
        {"]x[", nullptr},
        {"Work", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const std::optional<std::string> name = headerName(c.line);
        if (!c.name) {
            EXPECT_FALSE(name.has_value());
            continue;
        }
        ASSERT_TRUE(name.has_value());
        EXPECT_EQ(*name, c.name);
    }
}

TEST(SectionLine, ANameComesBackFromTheHeaderWrittenForIt) {
    const char* names[] = {"Work",   "",         "two words", "[a",
                           "Bücher", "\x84w[\r", "\xC3",      "a\xE2\x82"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        EXPECT_EQ(headerName(headerFor(name)), std::optional<std::string>(name));
    }
}

TEST(SectionLine, ExactHeaderIsCaseSensitiveAndUntrimmed) {
    EXPECT_TRUE(isExactHeader("[Work]", "Work"));
    EXPECT_TRUE(isExactHeader("[]", ""));
    EXPECT_TRUE(isExactHeader("[ Work ]", " Work "));
    EXPECT_FALSE(isExactHeader("[ Work ]", "Work"));
    EXPECT_FALSE(isExactHeader("[work]", "Work"));
    EXPECT_FALSE(isExactHeader("[Work] ", "Work"));
    EXPECT_FALSE(isExactHeader("Work", "Work"));
}

TEST(DataFiles, PathsAreTheDataFolderFollowedByTheName) {
    EXPECT_EQ(dataFilePath("/home/me/tessaly/", categoryFileName), "/home/me/tessaly/tyindex.ini");
    EXPECT_EQ(dataFilePath("/home/me/tessaly", wordFileName), "/home/me/tessaly/tyword.ini");
    EXPECT_EQ(dataFilePath("/", categoryTemporaryName), "/cattemp.ty~");
    EXPECT_EQ(wordTemporaryName, "texttemp.ty~");
}

}  // namespace
}  // namespace tessaly
