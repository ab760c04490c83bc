// Which files match a query of up to four words, from the presence of each word.
#include <gtest/gtest.h>

#include <functional>

#include "engine_harness.h"

namespace tessaly::test {
namespace {

const char* const kWords[4] = {"alpha", "bravo", "charlie", "delta"};

// A file holding exactly the words whose bits are set, one per line.
std::string fileWith(unsigned present) {
    std::string text = "intro line\r\n";
    for (int i = 0; i < 4; ++i)
        if (present & (1u << i)) text += std::string("some ") + kWords[i] + " here\r\n";
    return text;
}

struct RuleCase {
    std::array<int, 3> codes;
    std::function<bool(bool, bool, bool, bool)> matches;
    const char* name;
};

class CombiningRule : public EngineTest {};

TEST_F(CombiningRule, FourWordsUnderEveryCodeTriple) {
    const RuleCase cases[] = {
        {{AND, AND, AND}, [](bool a, bool b, bool c, bool d) { return a && b && c && d; }, "AND AND AND"},
        {{AND, AND, OR}, [](bool a, bool b, bool c, bool d) { return (a && b && c) || d; }, "AND AND OR"},
        {{AND, OR, AND}, [](bool a, bool b, bool c, bool d) { return (a && b && d) || c; }, "AND OR AND"},
        {{OR, AND, AND}, [](bool a, bool b, bool c, bool d) { return (a && c && d) || b; }, "OR AND AND"},
        {{AND, OR, OR}, [](bool a, bool b, bool c, bool d) { return (a && b) || c || d; }, "AND OR OR"},
        {{OR, AND, OR}, [](bool a, bool b, bool c, bool d) { return (a && c) || b || d; }, "OR AND OR"},
        {{OR, OR, AND}, [](bool a, bool b, bool c, bool d) { return (a && d) || b || c; }, "OR OR AND"},
        {{OR, OR, OR}, [](bool a, bool b, bool c, bool d) { return a || b || c || d; }, "OR OR OR"},
        {{AND, NOT, OR}, [](bool a, bool b, bool c, bool d) { return ((a && b) || d) && !c; }, "AND NOT OR"},
        {{NOT, OR, AND}, [](bool a, bool b, bool c, bool d) { return (c || (a && d)) && !b; }, "NOT OR AND"},
        {{NOT, NOT, OR}, [](bool a, bool b, bool c, bool d) { return (a || d) && !b && !c; }, "NOT NOT OR"},
        {{NOT, NOT, NOT}, [](bool a, bool b, bool c, bool d) { return a && !b && !c && !d; }, "NOT NOT NOT"},
        {{AND, AND, NOT}, [](bool a, bool b, bool c, bool d) { return a && b && c && !d; }, "AND AND NOT"},
    };
    for (const auto& c : cases) {
        for (unsigned present = 0; present < 16; ++present) {
            SCOPED_TRACE(std::string(c.name) + " with words " + std::to_string(present));
            const bool expected = c.matches(present & 1, present & 2, present & 4, present & 8);
            const auto outcome =
                search(fileWith(present), words({kWords[0], kWords[1], kWords[2], kWords[3]}, c.codes));
            EXPECT_EQ(outcome.matched(), expected);
            EXPECT_EQ(outcome.length, outcome.result.size());
        }
    }
}

TEST_F(CombiningRule, OrAloneShowsOnlyTheOrWords) {
    // Words 1 to 3 are not all there, word 4 is: the AND words are taken out of
    // the lines by overwriting them with "a".
    const auto outcome = search("some alpha here\r\nsome delta here\r\n",
                                words({"alpha", "bravo", "charlie", "delta"}, {AND, AND, OR}));
    EXPECT_EQ(outcome.result, lines({"some " + hl("delta") + " here"}));
    EXPECT_EQ(outcome.wordsAfter[0], "a");
    EXPECT_EQ(outcome.wordsAfter[1], "a");
    EXPECT_EQ(outcome.wordsAfter[2], "a");
    EXPECT_EQ(outcome.wordsAfter[3], "delta");
}

TEST_F(CombiningRule, AndGroupAndOrWordsAreAllShownWhenTheGroupHolds) {
    const auto outcome = search("alpha and bravo\r\nthen delta\r\n",
                                words({"alpha", "bravo", "charlie", "delta"}, {AND, OR, OR}));
    EXPECT_EQ(outcome.result,
              lines({hl("alpha") + " and " + hl("bravo"), "then " + hl("delta")}));
}

TEST_F(CombiningRule, EmptySlots) {
    const std::string text = "nothing to see\r\nbut bravo here\r\n";
    struct SlotCase {
        SearchCall call;
        bool matches;
        const char* name;
    } cases[] = {
        {words({std::nullopt, std::nullopt, std::nullopt, std::nullopt}), false, "no words at all"},
        {words({std::nullopt, "bravo"}), true, "only the second field"},
        {words({"alpha", std::nullopt}, {OR, AND, AND}), false, "empty OR slot does not match all"},
        {words({"alpha", std::nullopt, "bravo"}, {OR, OR, AND}), true, "OR word after an empty one"},
        {words({"alpha", "bravo"}), false, "alpha and bravo both needed"},
        {words({"bravo", std::nullopt}, {OR, AND, AND}), true, "empty OR slot with a found AND word"},
        {words({"alpha", "bravo"}, {OR, AND, AND}), true, "OR word alone"},
        {words({"bravo", "alpha"}, {NOT, AND, AND}), true, "NOT word absent"},
        {words({"alpha", "bravo"}, {NOT, AND, AND}), false, "NOT word present"},
        {words({"bravo", "alpha"}, {0, -1, 999}), false, "unknown codes join the AND-group"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(search(text, c.call).matched(), c.matches);
    }
}

TEST_F(CombiningRule, TheWordAIsFoundButNeverShown) {
    EXPECT_EQ(search("a cat", words({"a"})).length, 0u);
    EXPECT_EQ(search("A cat", words({"A"})).length, 0u) << "lower-cased to the marker";
    auto matchCase = words({"A"});
    matchCase.caseCode = MATCH_CASE;
    EXPECT_EQ(search("A cat", matchCase).result, lines({hl("A") + " cat"}));
    // Found by the rule, so an AND search with it still matches on the other word.
    EXPECT_EQ(search("a cat", words({"a", "cat"})).result, lines({"a " + hl("cat")}));
    EXPECT_EQ(search("the cat", words({"a", "cat"})).length, 0u);
}

}  // namespace
}  // namespace tessaly::test
