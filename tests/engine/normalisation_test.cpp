// How a file's bytes become the searched text. A search word may hold any
// byte, so a find of a crafted word shows exactly what the text holds.
#include <gtest/gtest.h>

#include "engine_harness.h"

namespace tessaly::test {
namespace {

struct NormalisedCase {
    std::string file;
    std::string word;
    bool found;
};

class Normalisation : public EngineTest {};

TEST_F(Normalisation, BytesBecomeText) {
    const NormalisedCase cases[] = {
        {"cat\x01\x02\x03" "dog", "cat dog", true},       // a run of control bytes is one space
        {"cat\r\ndog", "cat\n dog", true},                // CR is a line break, the LF a space
        {"cat\r\ndog", "cat dog", false},
        {"cat\ndog", "cat dog", true},                    // a bare LF is only a space
        {"cat\tdog", "cat\ndog", true},                   // a tab is a line break
        {std::string("cat\0dog", 7), "catdog", true},     // NUL is dropped
        {"caf\x01 bar", "caf  bar", true},                // a real space is never merged
        {"x\x01 \x01y", "x   y", true},
        {"\xEF\xBB\xBF" "cat", " cat", false},            // leading bytes give nothing
        {"x\xEF\xBB\xBF" "cat", "x cat", true},
        {"cat\x01\x01", "cat ", true},                    // one space for a trailing run
        {"cat\x01\x01", "cat  ", false},
        {"it\x92s", "it\x92s", true},                     // 0x92 survives
        {"a\x7f\x81\x8d" "b", "a b", true},               // DEL and unassigned bytes run
        {"a\x85" "b\x80", "a\xE2\x80\xA6" "b\xE2\x82\xAC", true},  // Windows-1252's … and € stay
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.file) + " / " + testing::PrintToString(c.word));
        auto call = words({c.word});
        call.caseCode = MATCH_CASE;
        EXPECT_EQ(search(c.file, call).matched(), c.found);
    }
}

// The file's bytes as characters: UTF-8, UTF-16 after its mark, and any
// byte that is not well-formed UTF-8 as Windows-1252. Words are UTF-8.
TEST_F(Normalisation, FileBytesBecomeCharacters) {
    const std::string utf16le("\xFF\xFE" "c\0a\0f\0\xE9\0 \0", 12), utf16be("\xFE\xFF\0c\0a\0f\0\xE9", 10);
    struct Case {
        const char* what;
        std::string file;
        std::string word;
        int caseCode;
        bool found;
    };
    const Case cases[] = {
        {"UTF-8 mark", "\xEF\xBB\xBF" "caf\xC3\xA9", "caf\xC3\xA9", MATCH_CASE, true},
        {"UTF-16 LE", utf16le, "caf\xC3\xA9", MATCH_CASE, true},
        {"UTF-16 LE, odd last byte", utf16le + "x", "caf\xC3\xA9", MATCH_CASE, true},
        {"UTF-16 BE", utf16be, "CAF\xC3\x89", IGNORE_CASE, true},
        {"unpaired surrogate", std::string("\xFF\xFE" "a\0\x00\xD8" "b\0", 8), "a b", MATCH_CASE, true},
        {"Windows-1252", "na\xEFve", "na\xC3\xAFve", MATCH_CASE, true},
        {"overlong form", "caf\xC1\xA9", "caf\xC3\xA1", IGNORE_CASE, true},  // Á then ©
        {"surrogate in UTF-8", "x\xED\xA0\x80", "x\xC3\xAD", MATCH_CASE, true},  // í, then blanks
        {"Greek folds", "\xCE\xA3\xCE\x9F\xCE\xA6\xCE\x8A\xCE\x91", "\xCF\x83\xCE\xBF\xCF\x86\xCE\xAF\xCE\xB1", IGNORE_CASE, true},
        {"Greek with match case", "\xCE\xA3\xCE\x9F\xCE\xA6\xCE\x8A\xCE\x91", "\xCF\x83\xCE\xBF\xCF\x86\xCE\xAF\xCE\xB1", MATCH_CASE, false},
        {"dotted I keeps its dot", "\xC4\xB0stanbul", "istanbul", IGNORE_CASE, false},
        {"Kelvin sign folds to k", "\xE2\x84\xAA" "elvin", "kelvin", IGNORE_CASE, true},
        {"a combining mark is part of the word", "cafe\xCC\x81", "cafe", IGNORE_CASE, false},
        {"a dash ends a word", "caf\xC3\xA9\xE2\x80\x94" "bar", "caf\xC3\xA9", MATCH_CASE, true},
        // Punctuation and symbols of every script stay in the text as they are.
        {"German quotes and a dash", "\xE2\x80\x9EZitat\xE2\x80\x9C \xE2\x80\x94 5 \xE2\x82\xAC",
         "\xE2\x80\x9EZitat\xE2\x80\x9C \xE2\x80\x94 5 \xE2\x82\xAC", MATCH_CASE, true},
        {"guillemets and copyright", "\xC2\xAB" "x\xC2\xBB \xC2\xA9", "\xC2\xAB" "x\xC2\xBB \xC2\xA9", MATCH_CASE, true},
        {"CJK brackets and full stop", "\xE3\x80\x8C\xE5\xBC\x95\xE3\x80\x8D\xE3\x80\x82",
         "\xE3\x80\x8C\xE5\xBC\x95\xE3\x80\x8D\xE3\x80\x82", MATCH_CASE, true},
        {"a word inside CJK brackets", "\xE3\x80\x8C\xE5\xBC\x95\xE3\x80\x8D", "\xE5\xBC\x95", MATCH_CASE, true},
        {"a word inside curly quotes", "\xE2\x80\x98single\xE2\x80\x99", "single", IGNORE_CASE, true},
        {"an emoji is kept", "a\xF0\x9F\x98\x80" "b", "a\xF0\x9F\x98\x80" "b", MATCH_CASE, true},
        {"no-break and ideographic spaces a blank each", "a\xC2\xA0\xE3\x80\x80" "b", "a  b", MATCH_CASE, true},
        {"line separators run", "a\xE2\x80\xA8\xE2\x80\xA9" "b", "a b", MATCH_CASE, true},
        {"U+FFFD runs", "a\xEF\xBF\xBD\xEF\xBF\xBD" "b", "a b", MATCH_CASE, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        auto call = words({c.word});
        call.caseCode = c.caseCode;
        EXPECT_EQ(search(c.file, call).matched(), c.found);
    }
}

TEST_F(Normalisation, EmptyFileMatchesNothing) {
    EXPECT_EQ(search("", words({"cat"})).length, 0u);
}

TEST_F(Normalisation, LinesNeverReachAcrossALineBreak) {
    EXPECT_EQ(search("line one\r\nline two", words({"two"})).result,
              lines({"line " + hl("two")}));
    EXPECT_EQ(search("line one\nline two", words({"two"})).result,
              lines({"line one line " + hl("two")}));
    EXPECT_EQ(search("left\tright", words({"left"})).result, lines({hl("left")}));
}

}  // namespace
}  // namespace tessaly::test
