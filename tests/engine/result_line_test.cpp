// The RTF of a result line: escapes and highlights.
#include <gtest/gtest.h>

#include "engine_harness.h"

namespace tessaly::test {
namespace {

class ResultLine : public EngineTest {};

TEST_F(ResultLine, EscapesAndHighlights) {
    struct Case {
        const char* name;
        std::string text;
        SearchCall call;
        std::string expected;
    } cases[] = {
        {"RTF specials are escaped", "a {brace} and back\\slash", words({"and"}),
         lines({"a \\{brace\\} " + hl("and") + " back\\\\slash"})},
        {"a word holding a brace is escaped, not highlighted", "x {brace} y", words({"{brace}"}),
         lines({"x \\{brace\\} y"})},
        {"the file's own capitals are shown", "Hello World", words({"world"}),
         lines({"Hello " + hl("World")})},
        {"a trailing star colours the stem only", "Computers compute", words({"comp*"}),
         lines({hl("Comp") + "uters " + hl("comp") + "ute"})},
        {"every word is highlighted, the earliest first", "bravo alpha bravo",
         words({"alpha", "bravo"}), lines({hl("bravo") + " " + hl("alpha") + " " + hl("bravo")})},
        {"0x92 passes through", "it\x92s here", words({"here"}), lines({"it\\u8217?s " + hl("here")})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(search(c.text, c.call).result, c.expected);
    }
}

TEST_F(ResultLine, AHighlightNeverSplitsAnEscape) {
    // Half of "\\\\" or "\\{" inside a highlight group would break the document.
    struct Case {
        std::string text;
        std::string word;
        std::string expected;
    } cases[] = {
        {"copy to folder\\ now", "folder\\", lines({"copy to folder\\\\ now"})},
        {"say \"\\n\" now", "\\n", lines({"say \"\\\\n\" now"})},
        {"a {b} c", "{b}", lines({"a \\{b\\} c"})},
        {"path c:\\temp here", "c:\\temp", lines({"path c:\\\\temp here"})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.word);
        auto call = words({c.word});
        call.caseCode = MATCH_CASE;
        EXPECT_EQ(search(c.text, call).result, c.expected);
    }
}

TEST_F(ResultLine, MatchCaseHighlightsOnlyTheExactWord) {
    auto call = words({"Word"});
    call.caseCode = MATCH_CASE;
    EXPECT_EQ(search("Word word WORD Word", call).result,
              lines({hl("Word") + " word WORD " + hl("Word")}));
}

}  // namespace
}  // namespace tessaly::test
