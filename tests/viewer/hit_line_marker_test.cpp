#include "viewer/hit_line_marker.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "viewer/highlight_markup.h"

namespace tessaly {
namespace {

const std::string HO(kHighlightOpening);
const std::string SEP(kLineSeparator);

std::string hit(const std::string& word) { return HO + word + "}"; }

// The marked words, as the text reads them.
std::vector<std::u16string> markedWords(std::u16string_view text, const std::string& result) {
    HitLineMarker marker(result);
    std::vector<std::u16string> words;
    for (const TextSpan& mark : marker.advance(text, true))
        words.emplace_back(text.substr(mark.start, mark.length));
    return words;
}

TEST(HitLineMarker, MarksTheHitWordsOfEachLineFoundInOrder) {
    const std::u16string text = u"The cat sat.\n A dog ran.\n The cat sat.\n Back\\slash {braced} cat.\n end";
    using Words = std::vector<std::u16string>;
    const struct {
        const char* name;
        std::u16string text;
        std::string result;
        Words marked;
    } cases[] = {
        {"one line, one hit", text, "The " + hit("cat") + " sat." + SEP, {u"cat"}},
        {"two hits in one line", text, "The " + hit("cat") + " " + hit("sat") + "." + SEP, {u"cat", u"sat"}},
        {"two lines in order", text, "The " + hit("cat") + " sat." + SEP + "A " + hit("dog") + " ran." + SEP,
         {u"cat", u"dog"}},
        {"a line met only before the previous match is skipped", text,
         "A " + hit("dog") + " ran." + SEP + "The " + hit("cat") + " sat." + SEP + "A " + hit("dog") + SEP,
         {u"dog", u"cat"}},
        // Each hit's window reaches back past the end of the one before.
        {"lines that overlap", u"under the terms of the GNU General Public License as published by the Free",
         "under " + hit("the") + " terms of " + hit("the") + " GNU General" + SEP + "terms of " + hit("the") +
             " GNU General Public License as published by " + hit("the") + " Free" + SEP,
         {u"the", u"the", u"the"}},
        {"a line not in the text", text, "no such " + hit("cat") + SEP + "A " + hit("dog") + " ran." + SEP,
         {u"dog"}},
        {"escapes", text, "Back\\\\" + hit("slash") + " \\{braced\\} " + hit("cat") + "." + SEP,
         {u"slash", u"cat"}},
        {"over line breaks, a run of them one blank", u"The cat\nsat. A dog\n\nran.",
         "The " + hit("cat") + " sat." + SEP + "A " + hit("dog") + " " + hit("ran") + "." + SEP,
         {u"cat", u"dog", u"ran"}},
        {"a break inside a word is no blank", u"ca\nt sat", hit("cat") + " sat" + SEP, {}},
        {"the next line may start right behind the last", u"one catdog", hit("cat") + SEP + hit("dog") + SEP,
         {u"cat", u"dog"}},
        {"last line without its separator", text, "A " + hit("dog"), {u"dog"}},
        {"a hitless line that would match later does not move the search", u"one cat two dog three owl",
         "three owl" + SEP + "two " + hit("dog") + SEP, {u"dog"}},
        {"a highlight never closed", u"one cat", "one " + HO + "cat" + SEP, {u"cat"}},
        {"result ends at its NUL", text, "A " + hit("dog") + SEP + '\0' + "The " + hit("cat") + SEP,
         {u"dog"}},
        {"a line starting with a blank", u"x\n\ny cat", " y " + hit("cat") + SEP, {u"cat"}},
        {"empty result", text, "", {}},
        {"empty text", u"", "The " + hit("cat") + SEP, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(markedWords(c.text, c.result), c.marked);
    }
}

TEST(HitLineMarker, TextGrowingInSlicesMarksAsTheWholeDoes) {
    std::u16string text;
    std::string result;
    for (int line = 0; line < 50; ++line) {
        const std::string number = std::to_string(line);
        text += u"line " + std::u16string(number.begin(), number.end()) + u" holds the\n\ncat\n";
        if (line % 3 == 0) result += "line " + number + " holds " + hit("the") + " " + hit("cat") + SEP;
    }
    HitLineMarker whole(result);
    const std::vector<TextSpan> expected = whole.advance(text, true);
    ASSERT_EQ(expected.size(), 34u);
    for (const std::size_t slice : {1u, 7u, 64u, 1000u}) {
        HitLineMarker marker(result);
        std::vector<TextSpan> marks;
        for (std::size_t length = 0; length < text.size();) {
            length = std::min(text.size(), length + slice);
            const auto found = marker.advance(std::u16string_view(text).substr(0, length),
                                              length == text.size());
            marks.insert(marks.end(), found.begin(), found.end());
        }
        EXPECT_EQ(marks, expected) << slice;
    }
}

}  // namespace
}  // namespace tessaly
