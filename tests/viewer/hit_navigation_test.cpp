#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "viewer/hit_navigation.h"

namespace tessaly {
namespace {

using Words = std::array<std::u16string, 4>;

struct Expected {
    int offset;
    int length;
    int wordIndex;
};

TEST(HitNavigation, StrippedAndWildcardWords) {
    const struct {
        std::u16string typed;
        std::u16string stripped;
        bool wildcard;
    } cases[] = {
        {u"cat", u"cat", false}, {u"*ing", u"ing", true}, {u"comp*", u"comp", true},
        {u"*", u"", true},       {u"**", u"*", true},     {u"*a*", u"a*", true},
        {u"a*b", u"a*b", true},  {u"", u"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(strippedWord(c.typed), c.stripped);
        EXPECT_EQ(isWildcard(c.typed), c.wildcard);
    }
}

TEST(HitNavigation, NextHit) {
    const struct {
        const char* name;
        std::u16string text;
        int from;
        Words words;
        bool matchCase;
        std::optional<Expected> expected;
    } cases[] = {
        {"a hit at offset 0 is found from the top", u"cat and cat", 0, {u"cat"}, false, Expected{0, 3, 0}},
        {"a hit at offset 1", u" cat cat", 0, {u"cat"}, false, Expected{1, 3, 0}},
        {"a hit at offset 2", u"  cat", 0, {u"cat"}, false, Expected{2, 3, 0}},
        {"from one past the current hit to the next", u"a cat, a cat", 3, {u"cat"}, false, Expected{9, 3, 0}},
        {"after the last hit: nothing", u"a cat, a cat", 10, {u"cat"}, false, std::nullopt},
        {"selection past the end", u"a cat", 50, {u"cat"}, false, std::nullopt},
        {"a negative selection counts as the top", u"  cat", -7, {u"cat"}, false, Expected{2, 3, 0}},
        {"the earliest word wins", u"xx cat dog", 0, {u"dog", u"cat"}, false, Expected{3, 3, 1}},
        {"a tie goes to the lower-numbered word", u"xx catalog", 0, {u"", u"catalog", u"cat*"}, false,
         Expected{3, 7, 1}},
        {"a tie goes to the lower-numbered word, shorter", u"xx catalog", 0, {u"cat*", u"catalog"}, false,
         Expected{3, 3, 0}},
        {"Match Case off: any case", u"xx CAT Cat", 0, {u"Cat"}, false, Expected{3, 3, 0}},
        {"Match Case on: that case only", u"xx cat CAT Cat", 0, {u"Cat"}, true, Expected{11, 3, 0}},
        {"Latin-1 letters fold", u"xx CAF\u00c9", 0, {u"caf\u00e9"}, false, Expected{3, 4, 0}},
        {"Latin-1 letters kept apart with Match Case", u"xx CAF\u00c9", 0, {u"CAF\u00e9"}, true, std::nullopt},
        {"a leading star finds inside words", u"xx singing", 0, {u"*ing"}, false, Expected{4, 3, 0}},
        {"a trailing star finds word starts", u"xx busing", 0, {u"sing*"}, false, Expected{5, 4, 0}},
        {"without a star only whole words", u"xx singing ing", 0, {u"ing"}, false, Expected{11, 3, 0}},
        {"digits join words", u"xx cat9 cat", 0, {u"cat"}, false, Expected{8, 3, 0}},
        {"accented letters join words", u"xx \u00e9cat cat", 0, {u"cat"}, false, Expected{8, 3, 0}},
        {"punctuation parts words", u"xx (cat) x", 0, {u"cat"}, false, Expected{4, 3, 0}},
        {"the unit before the search start still joins", u"xxxcat cat", 1, {u"cat"}, false,
         Expected{7, 3, 0}},
        {"a word at the very end", u"xx cat", 0, {u"cat"}, false, Expected{3, 3, 0}},
        {"a lone star is ignored", u"xx * cat", 0, {u"*", u"cat"}, false, Expected{5, 3, 1}},
        {"all four empty: nothing", u"xx cat", 0, {}, false, std::nullopt},
        {"possessive", u"xx dog's bone", 0, {u"dog"}, false, Expected{3, 3, 0}},
        {"possessive: the next occurrence is taken as it stands", u"xx hotdog's dog", 0, {u"dog"}, false,
         Expected{6, 3, 0}},
        {"not possessive: whole words only", u"xx hotdogs dog", 0, {u"dog"}, false, Expected{11, 3, 0}},
        {"possessive capital S without Match Case", u"xx hotdog'S dog", 0, {u"dog"}, false,
         Expected{6, 3, 0}},
        {"possessive capital S with Match Case", u"xx hotdog'S dog", 0, {u"dog"}, true, Expected{12, 3, 0}},
        {"only the next occurrence decides", u"xx hotdog hotdog's dog", 0, {u"dog"}, false,
         Expected{19, 3, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto found = nextHit(c.text, c.from, c.words, c.matchCase);
        ASSERT_EQ(found.has_value(), c.expected.has_value());
        if (!found) continue;
        EXPECT_EQ(found->offset, c.expected->offset);
        EXPECT_EQ(found->length, c.expected->length);
        EXPECT_EQ(found->wordIndex, c.expected->wordIndex);
    }
}

TEST(HitNavigation, SteppingVisitsEveryHitThenWraps) {
    const std::u16string text = u"Dog and cat. A dog's cat? DOG";
    const Words words = {u"cat", u"dog"};
    int selection = 0;
    std::vector<int> visited;
    while (const auto found = nextHit(text, selection, words, false)) {
        visited.push_back(found->offset);
        selection = found->offset + 1;
    }
    EXPECT_EQ(visited, (std::vector<int>{0, 8, 15, 21, 26}));
    // From the caret inside a word, that word is not a hit.
    EXPECT_EQ(nextHit(text, 1, words, false)->offset, 8);
}

}  // namespace
}  // namespace tessaly
