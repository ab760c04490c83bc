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
        {"\x7f\x80\x81" "a\x85" "b", "a b", true},        // symbols and unassigned bytes run
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.file) + " / " + testing::PrintToString(c.word));
        auto call = words({c.word});
        call.caseCode = MATCH_CASE;
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
