#include "viewer/rtf_body_split.h"

#include "platform/rtf_reader.h"
#include "viewer/viewer_piece.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaly {
namespace {

TEST(RtfBodySplit, CutsOnlyAtTheOutermostLevelAndNeverInsideAnEscape) {
    const std::string paragraph = "{\\pard\\plain\\f3\\fs18 \\par }";
    struct Case {
        std::string body;
        std::size_t wanted;
        std::size_t expected;
    };
    const Case cases[] = {
        {"plain text", 3, 3},
        {"plain text", 0, 0},
        {"plain text", 20, 10},
        {"ab" + paragraph + "cd", 3, 2 + paragraph.size()},  // not inside the paragraph group
        {"a\\{b", 2, 3},                                    // not between \ and {
        {"a\\\\b", 2, 3},                                   // an escaped backslash is whole
        {"a\\\\\\}b", 4, 5},
        {"{\\fs18\\cf1\\b word} rest", 1, 18},              // a marked word stays whole
        {"x{y{z}}w", 2, 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body + " @" + std::to_string(c.wanted));
        const std::size_t cut = bodySplitPoint(c.body, c.wanted);
        EXPECT_EQ(cut, c.expected);
        // Both sides read alone: every group closed, no escape cut in two.
        const std::string left = c.body.substr(0, cut);
        int depth = 0;
        bool escaped = false;
        for (char ch : left) {
            if (escaped) { escaped = false; continue; }
            if (ch == '\\') escaped = true;
            else if (ch == '{') ++depth;
            else if (ch == '}') --depth;
        }
        EXPECT_EQ(depth, 0);
        EXPECT_FALSE(escaped);
    }
}

}  // namespace
}  // namespace tessaly

namespace tessaly {
namespace {

std::string plainTextOf(const std::string& rtf) {
    std::string text;
    for (const RtfParagraph& paragraph : readRtf(rtf)) text += paragraph.text() + "\n";
    return text;
}

TEST(RtfBodySplit, ABodyCutIntoPiecesReadsAsTheWholeBody) {
    const std::string paragraph = "{\\pard\\plain\\f3\\fs18 \\par }";
    std::string body;
    for (int i = 0; i < 200; ++i) body += "line " + std::to_string(i) + " a \\{b\\} c" + paragraph + " ";
    const std::string whole = plainTextOf(viewerPiece(body));

    std::string pieces;
    for (std::size_t done = 0; done < body.size();) {
        const std::size_t cut = bodySplitPoint(std::string_view(body).substr(done), 100);
        const std::string_view piece = std::string_view(body).substr(done, cut);
        pieces += plainTextOf(done == 0 ? viewerPiece(piece) : viewerContinuation(piece));
        done += cut;
    }
    // Reading piece by piece joins paragraphs at the cuts; the characters are
    // the same and no blank is added where the body was cut.
    const auto characters = [](std::string text) {
        std::erase(text, '\n');
        return text;
    };
    EXPECT_EQ(characters(pieces), characters(whole));
}

}  // namespace
}  // namespace tessaly
