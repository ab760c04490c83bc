// The quick viewer's body from the real engine: the buffer must grow until
// the whole file fits, however much markup its line breaks take.
#include "viewer/viewer_body.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/engine_loader.h"
#include "temp_dir.h"
#include "viewer/highlight_markup.h"

namespace tessaly {
namespace {

std::size_t count(const std::string& text, std::string_view part) {
    std::size_t found = 0;
    for (std::size_t at = text.find(part); at != std::string::npos;
         at = text.find(part, at + part.size()))
        ++found;
    return found;
}

TEST(ViewerBody, TheWholeFileComesBackHoweverMuchItGrows) {
    Failure failure;
    const EngineCalls* engine = loadEngineFrom(TYX12_LIBRARY_PATH, failure);
    ASSERT_NE(engine, nullptr) << failure.describe();

    std::string lines;
    for (int line = 1; line <= 100000; ++line) lines += "line " + std::to_string(line) + "\n";
    const struct {
        const char* name;
        std::string text;
        std::size_t lineBreaks;
        std::string lastLine;
    } cases[] = {
        {"100,000 lines ended by line feeds", lines, 100000, "line 100000"},
        // A carriage return alone becomes a whole paragraph: the most markup
        // a byte can take.
        {"nothing but carriage returns", std::string(100000, '\r'), 100000, ""},
    };
    test::TempDir folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = folder.write("file.txt", c.text);
        const std::optional<ViewerBody> body = fetchViewerBody(*engine, path, c.text.size(), nullptr);
        ASSERT_TRUE(body.has_value());
        EXPECT_FALSE(body->cut);
        EXPECT_EQ(count(std::string(body->rtf()), kBodyParagraph), c.lineBreaks);
        EXPECT_NE(body->rtf().find(c.lastLine), std::string::npos);
    }

    EXPECT_FALSE(
        fetchViewerBody(*engine, (folder.path() / "missing.txt").string(), 10, nullptr).has_value());
}

}  // namespace
}  // namespace tessaly
