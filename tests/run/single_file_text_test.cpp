#include <gtest/gtest.h>

#include "run/result_document.h"
#include "run/single_file_text.h"

namespace tessaly {
namespace {

TEST(SingleFileText, SizeInKbNeverShowsZero) {
    const struct {
        std::uint64_t bytes;
        std::uint64_t kb;
    } cases[] = {{0, 1}, {1, 1}, {1023, 1}, {1024, 1}, {2047, 1}, {2048, 2}, {5000, 4},
                 {5ull * 1024 * 1024 * 1024, 5ull * 1024 * 1024}};
    for (const auto& c : cases) EXPECT_EQ(sizeInKb(c.bytes), c.kb) << c.bytes;
}

TEST(SingleFileText, HeadingLinesAndNote) {
    const std::string lines = "a {\\fs18\\cf1\\b cat}{\\plain\\f2\\fs18 \\par \\pard\\plain\\f3\\fs18 \\par }";
    const std::string start = std::string(kResultHeader) + "{\\fs18\\cf2\\b Date: 1/2/24 10:04:05    Size:  ";
    const std::string close = "\\f4\\fs18}\\pard {\\fs18 \\par} \\pard {\\fs18 \\par }";
    const std::string note = "{\\fs18\\cf1\\b Too many hits found. Please refine the search text and search "
                             "this file again!" + close;
    const struct {
        const char* name;
        std::uint64_t size;
        std::string lines;
        std::uint32_t length;
        std::string expected;
    } cases[] = {
        {"hits", 5000, lines, static_cast<std::uint32_t>(lines.size()),
         start + "4KB" + close + "\\fs18 " + lines + "}"},
        {"no longer matches", 0, "", 0, start + "1KB" + close + "\\fs18 }"},
        {"stale text behind the NUL is dropped", 2048, lines + '\0' + "old stale text",
         static_cast<std::uint32_t>(lines.size()), start + "2KB" + close + "\\fs18 " + lines + "}"},
        {"exactly at the limit: still lines", 1024, lines, kMaxResultLength,
         start + "1KB" + close + "\\fs18 " + lines + "}"},
        {"above the limit: the note, no lines", 90000, "", kMaxResultLength + 1,
         start + "87KB" + close + "\\fs18 " + note + "}"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(singleFileText("1/2/24 10:04:05", c.size, c.lines, c.length), c.expected);
    }
}

TEST(SingleFileText, DateTextIsEscaped) {
    // A regional format may write anything; it must not open an RTF group.
    const std::string text = singleFileText("{x}\\", 1, "", 0);
    EXPECT_NE(text.find("Date: \\{x\\}\\\\    Size:"), std::string::npos) << text;
}

}  // namespace
}  // namespace tessaly
