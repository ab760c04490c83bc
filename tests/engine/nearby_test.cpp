// NEARBY: lines kept only where the joined words stand close, and files
// dropped when some part of the query never showed.
#include <gtest/gtest.h>

#include "engine_harness.h"

namespace tessaly::test {
namespace {

struct NearbyCase {
    const char* name;
    std::string text;
    std::vector<std::optional<std::string>> searchWords;
    std::array<int, 3> codes;
    int nearbyWords;
    std::string expected;
};

SearchCall nearbyCall(const NearbyCase& c) {
    SearchCall call;
    for (std::size_t i = 0; i < c.searchWords.size(); ++i) call.words[i] = c.searchWords[i];
    call.codes = c.codes;
    call.nearbyWords = c.nearbyWords;
    return call;
}

class Nearby : public EngineTest {};

TEST_F(Nearby, TwoAndThreeWords) {
    const NearbyCase cases[] = {
        {"one word between is near enough", "alpha one bravo", {"alpha", "bravo"}, {NEAR, AND, AND}, 1,
         lines({hl("alpha") + " one " + hl("bravo")})},
        {"two words between is too far", "alpha one two bravo", {"alpha", "bravo"}, {NEAR, AND, AND}, 1, ""},
        {"only the near line stays", "alpha one two bravo\ralpha bravo\r", {"alpha", "bravo"},
         {NEAR, AND, AND}, 1, lines({hl("alpha") + " " + hl("bravo")})},
        {"a window with one of the pair is dropped", "alpha\ralpha bravo\r", {"alpha", "bravo"},
         {NEAR, AND, AND}, 3, lines({hl("alpha") + " " + hl("bravo")})},
        {"distance 0 means no test", "alpha one two three bravo", {"alpha", "bravo"}, {NEAR, AND, AND},
         0, lines({hl("alpha") + " one two three " + hl("bravo")})},
        {"NEAR AND: pair and third both seen", "alpha x bravo\rcharlie\ralpha\r",
         {"alpha", "bravo", "charlie"}, {NEAR, AND, AND}, 1,
         lines({hl("alpha") + " x " + hl("bravo"), hl("charlie")})},
        {"NEAR AND: third never seen", "alpha x bravo\r", {"alpha", "bravo", "charlie"},
         {NEAR, AND, AND}, 1, ""},
        {"NEAR AND: pair never near", "alpha x y bravo\rcharlie\r", {"alpha", "bravo", "charlie"},
         {NEAR, AND, AND}, 1, ""},
        {"AND NEAR: first word alone", "charlie\rbravo alpha\r", {"charlie", "bravo", "alpha"},
         {AND, NEAR, AND}, 1, lines({hl("charlie"), hl("bravo") + " " + hl("alpha")})},
        {"NEAR OR: the OR word alone carries the file", "charlie\r", {"alpha", "bravo", "charlie"},
         {NEAR, OR, AND}, 1, lines({hl("charlie")})},
        {"NEAR OR: a lone pair word is dropped", "alpha\rcharlie\r", {"alpha", "bravo", "charlie"},
         {NEAR, OR, AND}, 1, lines({hl("charlie")})},
        {"NEAR NOT keeps every line", "alpha far far far bravo\r", {"alpha", "bravo", "charlie"},
         {NEAR, NOT, AND}, 1, lines({hl("alpha") + " far far far " + hl("bravo")})},
        {"NEAR NOT still refuses the NOT word", "alpha bravo\rcharlie\r", {"alpha", "bravo", "charlie"},
         {NEAR, NOT, AND}, 1, ""},
        {"NEAR NEAR within the span", "alpha bravo x charlie", {"alpha", "bravo", "charlie"},
         {NEAR, NEAR, AND}, 2, lines({hl("alpha") + " " + hl("bravo") + " x " + hl("charlie")})},
        {"NEAR NEAR beyond the span", "alpha bravo x y charlie", {"alpha", "bravo", "charlie"},
         {NEAR, NEAR, AND}, 2, ""},
        {"three words without NEAR and a distance match nothing", "alpha bravo charlie",
         {"alpha", "bravo", "charlie"}, {AND, AND, AND}, 1, ""},
        {"an empty slot leaves a NEARBY pair", "alpha x bravo", {"alpha", std::nullopt, "bravo"},
         {NEAR, AND, AND}, 1, lines({hl("alpha") + " x " + hl("bravo")})},
        {"ignore case compares lower-cased windows", "ALPHA x Bravo", {"alpha", "BRAVO"},
         {NEAR, AND, AND}, 1, lines({hl("ALPHA") + " x " + hl("Bravo")})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto outcome = search(c.text, nearbyCall(c));
        EXPECT_EQ(outcome.result, c.expected);
        EXPECT_EQ(outcome.length, c.expected.size());
    }
}

TEST_F(Nearby, FourWords) {
    const std::vector<std::optional<std::string>> four = {"alpha", "bravo", "charlie", "delta"};
    const NearbyCase cases[] = {
        {"AND AND NEAR: every part seen", "alpha\rbravo\rcharlie x delta\r", four, {AND, AND, NEAR}, 1,
         lines({hl("alpha"), hl("bravo"), hl("charlie") + " x " + hl("delta")})},
        {"AND AND NEAR: pair too far", "alpha\rbravo\rcharlie x y delta\r", four, {AND, AND, NEAR}, 1, ""},
        {"AND OR NEAR: only near pairs stay", "alpha\rcharlie delta\r", four, {AND, OR, NEAR}, 1,
         lines({hl("charlie") + " " + hl("delta")})},
        {"NEAR AND NEAR: both pairs", "alpha bravo\rcharlie delta\r", four, {NEAR, AND, NEAR}, 1,
         lines({hl("alpha") + " " + hl("bravo"), hl("charlie") + " " + hl("delta")})},
        {"NEAR AND NEAR: second pair missing", "alpha bravo\rcharlie\r", four, {NEAR, AND, NEAR}, 1, ""},
        {"NEAR OR NEAR: either pair", "charlie delta\r", four, {NEAR, OR, NEAR}, 1,
         lines({hl("charlie") + " " + hl("delta")})},
        {"NEAR NEAR NEAR: all within the span", "alpha bravo charlie delta\r", four, {NEAR, NEAR, NEAR}, 2,
         lines({hl("alpha") + " " + hl("bravo") + " " + hl("charlie") + " " + hl("delta")})},
        {"NEAR NEAR NEAR: span too wide", "alpha bravo charlie x delta\r", four, {NEAR, NEAR, NEAR}, 2, ""},
        {"AND NEAR NEAR", "alpha\rbravo charlie delta\r", four, {AND, NEAR, NEAR}, 2,
         lines({hl("alpha"), hl("bravo") + " " + hl("charlie") + " " + hl("delta")})},
        {"NEAR AND AND", "charlie\rdelta\ralpha bravo\r", four, {NEAR, AND, AND}, 1,
         lines({hl("charlie"), hl("delta"), hl("alpha") + " " + hl("bravo")})},
        {"AND NEAR OR: word 1 and the pair", "alpha\rbravo charlie\r", four, {AND, NEAR, OR}, 1,
         lines({hl("alpha"), hl("bravo") + " " + hl("charlie")})},
        {"AND NEAR OR: the pair alone is not enough", "bravo charlie\rdelta\r", four, {AND, NEAR, OR}, 1, ""},
        {"OR NEAR AND: word 4 alone", "delta\r", four, {OR, NEAR, AND}, 1, lines({hl("delta")})},
        {"OR NEAR AND: the pair without word 4", "bravo charlie\r", four, {OR, NEAR, AND}, 1, ""},
        {"NEAR AND OR: the pair and word 3", "alpha bravo\rcharlie\r", four, {NEAR, AND, OR}, 1,
         lines({hl("alpha") + " " + hl("bravo"), hl("charlie")})},
        {"NEAR AND OR: the pair alone is not enough", "alpha bravo\r", four, {NEAR, AND, OR}, 1, ""},
        {"NEAR OR AND: word 4 alone", "delta\r", four, {NEAR, OR, AND}, 1, lines({hl("delta")})},
        {"NEAR OR AND: the pair without word 4", "alpha bravo\r", four, {NEAR, OR, AND}, 1, ""},
        {"OR AND NEAR: lone words and the pair", "alpha\rcharlie delta\r", four, {OR, AND, NEAR}, 1,
         lines({hl("alpha"), hl("charlie") + " " + hl("delta")})},
        {"OR AND NEAR: no pair", "alpha\rbravo\r", four, {OR, AND, NEAR}, 1, ""},
        {"NEAR NEAR OR: word 4 alone", "delta\r", four, {NEAR, NEAR, OR}, 1, lines({hl("delta")})},
        {"a NOT code keeps every line", "alpha far far far bravo\rcharlie\r", four, {NEAR, AND, NOT}, 1,
         lines({hl("alpha") + " far far far " + hl("bravo"), hl("charlie")})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(search(c.text, nearbyCall(c)).result, c.expected);
    }
}

TEST_F(Nearby, AndNearAndNeedsTheLastWordUnderEitherCase) {
    // A line holding only the near pair must not stand in for word 4, whether
    // or not case is matched.
    const std::vector<std::optional<std::string>> four = {"alpha", "bravo", "charlie", "delta"};
    for (int caseCode : {IGNORE_CASE, MATCH_CASE}) {
        SCOPED_TRACE(caseCode);
        NearbyCase without{"", "alpha\rbravo charlie\r", four, {AND, NEAR, AND}, 1, ""};
        auto call = nearbyCall(without);
        call.caseCode = caseCode;
        EXPECT_EQ(search(without.text, call).length, 0u);

        NearbyCase with{"", "alpha\rbravo charlie\rdelta\r", four, {AND, NEAR, AND}, 1, ""};
        call = nearbyCall(with);
        call.caseCode = caseCode;
        EXPECT_EQ(search(with.text, call).result,
                  lines({hl("alpha"), hl("bravo") + " " + hl("charlie"), hl("delta")}));
    }
}

}  // namespace
}  // namespace tessaly::test
