#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/rtf_reader.h"
#include "viewer/highlight_merge.h"
#include "viewer/viewer_piece.h"

namespace tessaly {
namespace {

const std::string HO(kHighlightOpening);
const std::string SEP(kLineSeparator);
const std::string PARA = "{\\pard\\plain\\f3\\fs18 \\par }";  // the body's paragraph break

std::string hit(const std::string& word) { return HO + word + "}"; }

struct Merged {
    std::vector<std::string> pieces;
    std::string rest;
    bool operator==(const Merged&) const = default;
};

void PrintTo(const Merged& merged, std::ostream* out) {
    for (const auto& piece : merged.pieces) *out << "\n  piece: " << piece;
    *out << "\n  rest: " << merged.rest;
}

Merged mergeAll(std::string_view body, std::string_view resultText) {
    HighlightMerge merge(body, resultText);
    Merged merged;
    while (auto piece = merge.next()) merged.pieces.push_back(*piece);
    merged.rest = merge.rest();
    return merged;
}

// The merge as the viewer was first written: two copies of the result text
// walked hit by hit, the plain one (A) to rebuild each line's text, the marked
// one (B) cut a line at a time. Positions are 1-based, 0 for "not found", as
// that code's string functions give them. Good only for lines that each end
// with the separator and hold a hit.
Merged mergeAsFirstWritten(std::string V, const std::string& resultText) {
    const auto inStr = [](const std::string& text, const std::string& what) -> std::size_t {
        const std::size_t found = text.find(what);
        return found == std::string::npos ? 0 : found + 1;
    };
    std::string A = resultText, B = resultText, P;
    Merged merged;
    std::size_t h = inStr(A, HO);
    while (h >= 1) {
        const std::string pre = A.substr(0, h - 1);
        A = A.substr(h - 1 + HO.size());
        const std::size_t close = inStr(A, "}");
        const std::string w = A.substr(0, close - 1);
        A = A.substr(close);
        P += pre;
        P += w;
        const std::size_t e = inStr(A, SEP);
        const std::size_t n = inStr(A, HO);
        if (n == 0 || n > e) {
            if (e > 0) {
                const std::string post = A.substr(0, e - 1);
                A = A.substr(e - 1 + SEP.size());
                P += post;
            }
            const std::size_t m = inStr(B, SEP);
            const std::string marked = B.substr(0, m - 1);
            B = B.substr(m - 1 + SEP.size());
            const std::size_t g = inStr(V, P);
            if (g > 0) {
                merged.pieces.push_back(V.substr(0, g - 1) + marked);
                V = V.substr(g - 1 + P.size());
            }
            P.clear();
        }
        h = inStr(A, HO);
    }
    merged.rest = V;
    return merged;
}

TEST(HighlightMerge, SameAsTheFirstViewerOnWellFormedResults) {
    const std::string body = "The cat sat." + PARA + " A dog ran." + PARA + " The cat sat." + PARA +
                             " Back\\\\slash \\{braced\\} cat." + PARA + " end";
    const struct {
        const char* name;
        std::string body;
        std::string result;
    } cases[] = {
        {"one line, one hit", body, "The " + hit("cat") + " sat." + SEP},
        {"two hits in one line", body, "The " + hit("cat") + " " + hit("sat") + "." + SEP},
        {"hit at the start and at the end", body, hit("The") + " cat " + hit("sat.") + SEP},
        {"two lines in order", body, "The " + hit("cat") + " sat." + SEP + "A " + hit("dog") + " ran." + SEP},
        {"a repeated line matches the next occurrence", body,
         "The " + hit("cat") + " sat." + SEP + "The " + hit("cat") + " sat." + SEP},
        {"a line met only before the previous match is skipped", body,
         "A " + hit("dog") + " ran." + SEP + "The " + hit("cat") + " sat." + SEP + "A " + hit("dog") + SEP},
        {"a line not in the body", body,
         "no such " + hit("cat") + SEP + "A " + hit("dog") + " ran." + SEP},
        {"escapes", body, "Back\\\\" + hit("slash") + " \\{braced\\} " + hit("cat") + "." + SEP},
        {"the whole body is one line", "just " + std::string("words"), "just " + hit("words") + SEP},
        {"empty result", body, ""},
        {"empty body", "", "The " + hit("cat") + SEP},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(mergeAll(c.body, c.result), mergeAsFirstWritten(c.body, c.result));
    }
}

TEST(HighlightMerge, SameAsTheFirstViewerOnRandomWellFormedResults) {
    // Small vocabularies make repeated lines, lines found early, and lines
    // never found common. The bodies have no line breaks: across those the
    // first viewer found nothing, and this one finds the line (tested below).
    std::mt19937 random(20240607);
    const std::vector<std::string> words = {"a", "cat", "dog", "\\\\", "\\{x\\}", "sat", "a cat"};
    const auto pick = [&](std::size_t count) { return words[random() % count]; };
    for (int round = 0; round < 2000; ++round) {
        std::string body;
        for (int i = static_cast<int>(random() % 12); i > 0; --i) body += pick(words.size()) + " ";
        std::string result;
        for (int line = static_cast<int>(random() % 4); line > 0; --line) {
            for (int hits = 1 + static_cast<int>(random() % 3); hits > 0; --hits) {
                if (random() % 2) result += pick(words.size()) + " ";
                result += hit(pick(3));
                if (random() % 2) result += " " + pick(words.size());
            }
            result += SEP;
        }
        SCOPED_TRACE("body: " + body + "\nresult: " + result);
        ASSERT_EQ(mergeAll(body, result), mergeAsFirstWritten(body, result));
    }
}

TEST(HighlightMerge, AHitLineRunningOverLineBreaksIsFound) {
    // The search reads a run of line feeds as one blank; the body breaks the
    // line at each of them.
    const std::string body = "The cat" + PARA + "sat. A dog" + PARA + PARA + "ran. End" + PARA;
    const Merged merged = mergeAll(body, "The " + hit("cat") + " sat." + SEP + "A " + hit("dog") + " ran." + SEP);
    EXPECT_EQ(merged.pieces, (std::vector<std::string>{"The " + hit("cat") + " sat.",
                                                       " A " + hit("dog") + " ran."}));
    EXPECT_EQ(merged.rest, " End" + PARA);
    // A line that only matches across a break in the middle of a word is not there.
    EXPECT_TRUE(mergeAll("ca" + PARA + "t sat", hit("cat") + " sat" + SEP).pieces.empty());
}

TEST(HighlightMerge, MalformedResultsNeitherLoopNorDesynchronise) {
    const std::string body = "one cat" + PARA + " two dog" + PARA + " three owl";
    const struct {
        const char* name;
        std::string body;
        std::string result;
        Merged expected;
    } cases[] = {
        {"last line without its separator", body, "two " + hit("dog"),
         {{"one cat" + PARA + " two " + hit("dog")}, PARA + " three owl"}},
        {"a line without a hit is passed over", body, "one cat" + SEP + "two " + hit("dog") + SEP,
         {{"one cat" + PARA + " two " + hit("dog")}, PARA + " three owl"}},
        {"a hitless line that would match later does not move the search", body,
         "three owl" + SEP + "two " + hit("dog") + SEP,
         {{"one cat" + PARA + " two " + hit("dog")}, PARA + " three owl"}},
        {"only separators", body, SEP + SEP, {{}, body}},
        {"a highlight never closed", body, "one " + HO + "cat" + SEP + "three " + hit("owl") + SEP,
         {{"one " + HO + "cat", PARA + " two dog" + PARA + " three " + hit("owl")}, ""}},
        {"result longer than the body", "cat", "a long " + hit("cat") + " line" + SEP + hit("cat") + " again" + SEP,
         {{}, "cat"}},
        {"body ends at its NUL", std::string("one cat\0one cat", 15), "one " + hit("cat") + SEP + "one " + hit("cat") + SEP,
         {{"one " + hit("cat")}, ""}},
        {"result ends at its NUL", body, "one " + hit("cat") + SEP + '\0' + "two " + hit("dog") + SEP,
         {{"one " + hit("cat")}, PARA + " two dog" + PARA + " three owl"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(mergeAll(c.body, c.result), c.expected);
    }
}

TEST(HighlightMerge, StopKeepsTheRestForLater) {
    const std::string body = "one cat" + PARA + " two dog" + PARA + " three owl";
    HighlightMerge merge(body, "one " + hit("cat") + SEP + "two " + hit("dog") + SEP);
    EXPECT_EQ(merge.rest(), body);
    ASSERT_EQ(merge.next(), "one " + hit("cat"));
    EXPECT_EQ(merge.rest(), PARA + " two dog" + PARA + " three owl");
    ASSERT_EQ(merge.next(), PARA + " two " + hit("dog"));
    EXPECT_EQ(merge.next(), std::nullopt);
    EXPECT_EQ(merge.next(), std::nullopt);
    EXPECT_EQ(merge.rest(), PARA + " three owl");
}

TEST(HighlightMerge, UnmarkedLine) {
    const struct {
        std::string marked;
        std::string text;
    } cases[] = {
        {"plain", "plain"},
        {"a " + hit("cat") + " and " + hit("dog") + "s", "a cat and dogs"},
        {hit("\\\\x") + " \\{y\\}", "\\\\x \\{y\\}"},
        {"open " + HO + "never closed", "open never closed"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(unmarkedLine(c.marked), c.text) << c.marked;
}

TEST(HighlightMerge, PiecesReadBackAsTheBodyWithRedBoldHits) {
    const std::string body = "Back\\\\slash \\{x\\} cat" + PARA + " more";
    HighlightMerge merge(body, "\\{x\\} " + hit("cat") + SEP);
    const auto piece = merge.next();
    ASSERT_TRUE(piece);
    const auto paragraphs = readRtf(viewerPiece(*piece));
    ASSERT_EQ(paragraphs.size(), 1u);
    // The header ends in two blanks: the first closes its last control word,
    // the second is text that opens every piece.
    EXPECT_EQ(paragraphs[0].text(), " Back\\slash {x} cat");
    const auto& last = paragraphs[0].runs.back();
    EXPECT_EQ(last.text, "cat");
    EXPECT_TRUE(last.bold);
    EXPECT_EQ(last.colour, 1);
    EXPECT_FALSE(paragraphs[0].runs.front().bold);
}

}  // namespace
}  // namespace tessaly
