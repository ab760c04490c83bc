#include "viewer/viewer_text_load.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <future>
#include <string>

#include "viewer/body_text_decoder.h"
#include "viewer/highlight_markup.h"
#include "viewer/hit_line_marker.h"

namespace tessaly {
namespace {

using namespace std::chrono_literals;

constexpr std::size_t kNever = std::string::npos;

// Holds the body back at one piece until the test has done its part.
struct PieceGate {
    std::size_t at = kNever;
    std::promise<void> reached;
    std::promise<void> go;
};

// Hands the body on a line at a time, as the engine cuts it: never inside an
// escape. `readable` false: the read fails halfway.
ViewerTextLoad::BodyPieces piecesOf(std::string rtf, bool readable = true, PieceGate* gate = nullptr) {
    return [rtf = std::move(rtf), readable, gate](const ViewerTextLoad::PieceSink& sink) {
        std::size_t at = 0;
        for (std::size_t piece = 0; at < rtf.size(); ++piece) {
            if (!readable && at > rtf.size() / 2) return false;
            if (gate && piece == gate->at) {
                gate->reached.set_value();
                gate->go.get_future().wait();
            }
            const std::size_t end = rtf.find(kBodyParagraph, at);
            const std::size_t next = end == std::string::npos ? rtf.size() : end + kBodyParagraph.size();
            if (!sink(std::string_view(rtf).substr(at, next - at))) return true;
            at = next;
        }
        return true;
    };
}

ViewerTextLoad::Progress takeAll(ViewerTextLoad& load, std::vector<TextSpan>& marks) {
    for (;;) {
        ViewerTextLoad::Progress progress = load.take(100ms);
        marks.insert(marks.end(), progress.marks.begin(), progress.marks.end());
        if (progress.ending) return progress;
    }
}

// Many slices' worth of lines, every hundredth with a hit line.
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
    std::vector<TextSpan> expectedMarks() const { return HitLineMarker(result).advance(bodyText(rtf), true); }
    ViewerTextLoad::FindHits findHits() const {
        return [this](const std::atomic<bool>&) { return std::make_unique<HitLineMarker>(result); };
    }
};

TEST(ViewerTextLoad, MakesTheWholeTextWithEveryHitMarkedWheneverTheHitsCome) {
    const LargeBody large;
    const std::u16string expected = bodyText(large.rtf);
    for (const bool hitsAfterText : {false, true}) {
        std::promise<void> textShown;
        std::shared_future<void> released = textShown.get_future().share();
        ViewerTextLoad load(large.rtf.size(), piecesOf(large.rtf),
                            [&large, released, hitsAfterText](const std::atomic<bool>& stopping) {
                                if (hitsAfterText) released.wait();
                                return large.findHits()(stopping);
                            });
        std::vector<TextSpan> marks;
        if (hitsAfterText) {
            // The whole text is up before the search has answered.
            for (ViewerTextLoad::Progress progress = load.take(100ms); progress.text.size() < expected.size();
                 progress = load.take(100ms)) {
                marks.insert(marks.end(), progress.marks.begin(), progress.marks.end());
                ASSERT_FALSE(progress.ending);
            }
            textShown.set_value();
        }
        const ViewerTextLoad::Progress progress = takeAll(load, marks);
        EXPECT_EQ(progress.ending, ViewerTextLoad::Ending::Whole);
        EXPECT_EQ(progress.text, expected);
        EXPECT_EQ(marks, large.expectedMarks()) << hitsAfterText;
    }
}

TEST(ViewerTextLoad, AnEndShortOfTheBodyKeepsWhatWasMadeAndSaysWhy) {
    const LargeBody large;
    const std::string three = large.rtf + large.rtf + large.rtf;
    const std::u16string whole = bodyText(three);
    const struct {
        std::size_t stopAtPiece;
        bool readable;
        std::size_t capacity;
        ViewerTextLoad::Ending ending;
    } cases[] = {
        {0, true, three.size(), ViewerTextLoad::Ending::Stopped},
        {1, true, three.size(), ViewerTextLoad::Ending::Stopped},
        {40000, true, three.size(), ViewerTextLoad::Ending::Stopped},
        {kNever, false, three.size(), ViewerTextLoad::Ending::Unreadable},
        {kNever, true, whole.size() / 2, ViewerTextLoad::Ending::Cut},
    };
    for (const auto& test : cases) {
        PieceGate gate;
        gate.at = test.stopAtPiece;
        ViewerTextLoad load(test.capacity, piecesOf(three, test.readable, &gate), large.findHits());
        if (test.stopAtPiece != kNever) {
            gate.reached.get_future().wait();
            load.stop();
            gate.go.set_value();
        }
        std::vector<TextSpan> marks;
        const ViewerTextLoad::Progress progress = takeAll(load, marks);
        EXPECT_EQ(progress.ending, test.ending);
        EXPECT_LT(progress.text.size(), whole.size());
        EXPECT_EQ(progress.text, std::u16string_view(whole).substr(0, progress.text.size()));
        // Every piece made before Stop is shown: a piece is a line and its break.
        if (test.stopAtPiece != kNever) {
            EXPECT_EQ(std::count(progress.text.begin(), progress.text.end(), u'\n'), test.stopAtPiece);
        }
        for (const TextSpan& mark : marks) EXPECT_LE(mark.start + mark.length, progress.text.size());
    }
}

}  // namespace
}  // namespace tessaly
