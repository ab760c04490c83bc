// Whole-word and wildcard finds, seen through the result line they produce.
#include <gtest/gtest.h>

#include "engine_harness.h"

namespace tessaly::test {
namespace {

struct FindCase {
    const char* text;
    const char* word;
    std::string expected;  // the collected text; empty when not found
};

class WordFind : public EngineTest {};

TEST_F(WordFind, WholeWordsAndWildcards) {
    const FindCase cases[] = {
        {"the cat sat", "cat", lines({"the " + hl("cat") + " sat"})},
        {"(cat)", "cat", lines({"(" + hl("cat") + ")"})},
        {"cat", "cat", lines({hl("cat")})},
        {"cat-like", "cat", lines({hl("cat") + "-like"})},
        {"first line\rcat", "cat", lines({hl("cat")})},
        {"concatenate", "cat", ""},
        {"cats", "cat", ""},
        // The first candidate fails on its right neighbour and the search
        // resumes behind it, never trying the overlapping one.
        {"aaa aa", "aa", lines({"aaa " + hl("aa")})},
        {"computer", "comp*", lines({hl("comp") + "uter"})},
        {"comp.", "comp*", lines({hl("comp") + "."})},
        {"decomp", "comp*", ""},
        {"running", "*ing", lines({"runn" + hl("ing")})},
        {"ing", "*ing", lines({hl("ing")})},
        {"ingot", "*ing", ""},
        {"don\x92t stop", "don\x92t", lines({hl("don\\u8217?t") + " stop"})},
        {"don\x92t stop", "don\u2019t", lines({hl("don\\u8217?t") + " stop"})},
        {"don\x92t stop", "don't", ""},
        {"caf\xe9 au lait", "caf\xe9", lines({hl("caf\\u233?") + " au lait"})},
        {"caf\xe9s au lait", "caf\xe9", ""},               // an accented letter is a letter
        {"\xc3\xa9" "caf\xc3\xa9 au lait", "caf\xc3\xa9", ""},
        {"caf\xc3\xa9\xe2\x80\x94lait", "caf\xc3\xa9", lines({hl("caf\\u233?") + "\\u8212?lait"})},
        {"a lone star * here", "*", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " / " + c.word);
        const auto outcome = search(c.text, words({c.word}));
        EXPECT_EQ(outcome.result, c.expected);
        EXPECT_EQ(outcome.length, c.expected.size());
    }
}

TEST_F(WordFind, CaseCodes) {
    const std::string text = "The CAT sat";
    auto ignore = words({"Cat"});
    auto outcome = search(text, ignore);
    EXPECT_EQ(outcome.result, lines({"The " + hl("CAT") + " sat"}));
    EXPECT_EQ(outcome.wordsAfter[0], "cat") << "words come back lower-cased";

    auto match = words({"Cat"});
    match.caseCode = MATCH_CASE;
    outcome = search(text, match);
    EXPECT_EQ(outcome.length, 0u);
    EXPECT_EQ(outcome.wordsAfter[0], "Cat") << "match case leaves the word alone";

    match.words[0] = "CAT";
    EXPECT_EQ(search(text, match).result, lines({"The " + hl("CAT") + " sat"}));

    // Every code other than 201 means match case.
    match.words[0] = "cat";
    match.caseCode = 0;
    EXPECT_EQ(search(text, match).length, 0u);
}

TEST_F(WordFind, EmptyAndStarOnlyWordsNeverMatchNorHang) {
    const std::string text = "stars * and more * stars";
    for (const char* word : {"", "*"}) {
        SCOPED_TRACE(word);
        EXPECT_EQ(search(text, words({word})).length, 0u);
        // As an OR alternative it must not stop the other word from matching.
        EXPECT_EQ(search(text, words({"more", word}, {OR, AND, AND})).result,
                  lines({"stars * and " + hl("more") + " * stars"}));
    }
}

}  // namespace
}  // namespace tessaly::test
