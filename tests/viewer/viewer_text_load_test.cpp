#include "viewer/viewer_text_load.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "viewer/body_text_decoder.h"
#include "viewer/highlight_markup.h"

namespace tessaly {
namespace {

ViewerBody bodyOf(const std::string& rtf) {
    ViewerBody body{PageBuffer(rtf.size() + 1), rtf.size(), false};
    std::memcpy(body.buffer.data(), rtf.data(), rtf.size());
    return body;
}

ViewerTextLoad::Progress takeAll(ViewerTextLoad& load, std::vector<TextSpan>& marks) {
    for (;;) {
        ViewerTextLoad::Progress progress = load.take(std::chrono::milliseconds(100));
        marks.insert(marks.end(), progress.marks.begin(), progress.marks.end());
        if (progress.finished) return progress;
    }
}

// Several slices' worth of lines, every hundredth with a hit line.
struct LargeBody {
    std::string rtf;
    std::string result;
    LargeBody() {
        for (int line = 0; rtf.size() < 3 * ViewerTextLoad::kSliceBytes; ++line) {
            const std::string text = "line " + std::to_string(line) + " of the report \\{caf\\u233?\\}";
            rtf += text;
            rtf += kBodyParagraph;
            if (line % 100 == 0)
                result += "line " + std::to_string(line) + " of " + std::string(kHighlightOpening) +
                          "the}" + std::string(kLineSeparator);
        }
    }
};

TEST(ViewerTextLoad, MakesTheWholeTextWithEveryHitMarked) {
    const LargeBody large;
    ViewerTextLoad load(bodyOf(large.rtf), large.result);
    std::vector<TextSpan> marks;
    const ViewerTextLoad::Progress progress = takeAll(load, marks);
    const std::u16string expected = bodyText(large.rtf);
    EXPECT_EQ(progress.text, expected);
    HitLineMarker marker(large.result);
    EXPECT_EQ(marks, marker.advance(expected, true));
    EXPECT_GT(marks.size(), 1000u);
}

TEST(ViewerTextLoad, StopKeepsWhatWasMade) {
    const LargeBody large;
    ViewerTextLoad load(bodyOf(large.rtf + large.rtf + large.rtf), large.result);
    load.stop();
    std::vector<TextSpan> marks;
    const ViewerTextLoad::Progress progress = takeAll(load, marks);
    const std::u16string whole = bodyText(large.rtf);
    EXPECT_LT(progress.text.size(), 3 * whole.size());
    EXPECT_EQ(progress.text, std::u16string_view(whole).substr(0, progress.text.size()));
}

}  // namespace
}  // namespace tessaly
