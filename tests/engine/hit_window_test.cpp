// How far a result line reaches around its hit, and which hits get a line.
#include <gtest/gtest.h>

#include <chrono>

#include "engine_harness.h"

namespace tessaly::test {
namespace {

struct WindowCase {
    const char* name;
    std::string text;
    std::string word;
    int smartSearch;
    int contextWords;
    std::string expected;
};

class HitWindow : public EngineTest {};

TEST_F(HitWindow, ReachAroundTheHit) {
    const WindowCase cases[] = {
        {"context words + 1 each side", "w1 w2 w3 w4 hit w5 w6 w7 w8", "hit", 0, 1,
         lines({"w3 w4 " + hl("hit") + " w5 w6 "})},
        {"twenty characters a word at most", "abcdefghij klmnopqrs hit", "hit", 0, 1,
         lines({"cdefghij klmnopqrs " + hl("hit")})},
        {"long token before the hit drops the part before",
         "see /usr/share/doc/something/deep/file.txt price list", "price", 0, 10,
         lines({hl("price") + " list"})},
        {"long token after the hit cuts the window",
         "price abcdefghijklmnopqrstuvwxyz tail", "price", 0, 10,
         lines({hl("price") + " abcdefghijklmnopqrst"})},
        // The hit itself is held whole, so that it is marked.
        {"a long word is never cut", "see pthread_mutex_timedlock(m) now", "pthread_mutex_timedlock", 0, 10,
         lines({"see " + hl("pthread_mutex_timedlock")})},
        {"nor punctuation inside it under smart search", "call pthread_mutex.lock now", "pthread_mutex.lock", 1,
         10, lines({"call " + hl("pthread_mutex.lock") + " now"})},
        {"spaced period does not stop", "the cost. The price", "price", 1, 10,
         lines({"the cost. The " + hl("price")})},
        {"unspaced semicolon stops backward", "alpha;beta price", "price", 1, 10,
         lines({hl("price")})},
        {"without smart search it runs on", "alpha;beta price", "price", 0, 10,
         lines({"alpha;beta " + hl("price")})},
        {"comma after the word cuts forward", "price, more", "price", 1, 10,
         lines({hl("price")})},
        {"without smart search the comma stays", "price, more", "price", 0, 10,
         lines({hl("price") + ", more"})},
        {"apostrophe and hyphen never cut", "it's a well-known price-list", "price", 1, 10,
         lines({"it's a well-known " + hl("price") + "-list"})},
        {"punctuation right before the hit never cuts", "x (price) y", "price", 1, 10,
         lines({"x (" + hl("price") + ") y"})},
        {"hits inside a window share its line", "cat and cat and cat", "cat", 0, 10,
         lines({hl("cat") + " and " + hl("cat") + " and " + hl("cat")})},
        {"a repeated line is shown once", "the cat sat\rthe cat sat\r", "cat", 0, 10,
         lines({"the " + hl("cat") + " sat"})},
        {"leading spaces are removed", "   so cat", "cat", 0, 10, lines({"so " + hl("cat")})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto call = words({c.word});
        call.smartSearch = c.smartSearch;
        call.contextWords = c.contextWords;
        EXPECT_EQ(search(c.text, call).result, c.expected);
    }
}

TEST_F(HitWindow, OneHitOrAll) {
    const std::string text = "first cat here\rmiddle\rsecond cat there\r";
    auto call = words({"cat"});
    EXPECT_EQ(search(text, call).result,
              lines({"first " + hl("cat") + " here", "second " + hl("cat") + " there"}));
    call.allHits = 0;
    EXPECT_EQ(search(text, call).result, lines({"first " + hl("cat") + " here"}));
}

TEST_F(HitWindow, ContextWordsBelowOneCountAsOne) {
    const std::string text = "w1 w2 w3 w4 hit w5 w6 w7 w8";
    for (int context : {0, -5}) {
        auto call = words({"hit"});
        call.contextWords = context;
        EXPECT_EQ(search(text, call).result, lines({"w3 w4 " + hl("hit") + " w5 w6 "}));
    }
}

TEST_F(HitWindow, AWordStartingWithPunctuationIsFoundUnderSmartSearch) {
    auto call = words({"#include"});
    for (const int smartSearch : {1, 0}) {
        call.smartSearch = smartSearch;
        const auto outcome = search("#include <a>\r#include <b>\r", call);
        EXPECT_EQ(outcome.result, lines({hl("#include") + " <a>", hl("#include") + " <b>"})) << smartSearch;
    }
    // Many hits, each line its own: found at once.
    std::string text;
    for (int i = 0; i < 2000; ++i) text += "#include <x" + std::to_string(i) + ">\r";
    call.smartSearch = 1;
    const auto started = std::chrono::steady_clock::now();
    EXPECT_GT(search(text, call).length, 0u);
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
}

TEST_F(HitWindow, HugeContextStaysWithinTheText) {
    auto call = words({"mid"});
    call.contextWords = 2147483647;
    EXPECT_EQ(search("left side mid right side", call).result,
              lines({"left side " + hl("mid") + " right side"}));
}

}  // namespace
}  // namespace tessaly::test
