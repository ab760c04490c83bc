// stringView: the whole file as an RTF body for the viewer.
#include <gtest/gtest.h>

#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "engine_harness.h"
#include "tyx12/open_file_search.h"

namespace tessaly::test {
namespace {

const std::string kParagraph = "{\\pard\\plain\\f3\\fs18 \\par }";

class ViewerText : public EngineTest {
protected:
    struct ViewOutcome {
        int result;
        std::string body;
    };
    // The buffer is exactly as large as promised, so a sanitizer build catches
    // any write past it.
    ViewOutcome view(const std::string& content, std::optional<int> fileSize = {}) {
        const std::string path = dir_.write("view.txt", content);
        const int size = fileSize.value_or(static_cast<int>(content.size()));
        std::vector<char> buffer(static_cast<std::size_t>(std::max(size, 0)) + TYX12_VIEW_EXTRA_CAPACITY, 'Q');
        const int result = stringView(path.c_str(), size, buffer.data());
        const auto end = std::find(buffer.begin(), buffer.end(), '\0');
        EXPECT_NE(end, buffer.end()) << "the body is NUL-terminated within the buffer";
        return {result, std::string(buffer.begin(), end)};
    }
};

TEST_F(ViewerText, Bodies) {
    const struct {
        const char* name;
        std::string file;
        std::string body;
    } cases[] = {
        {"RTF specials escaped", "a\\b{c}d", "a\\\\b\\{c\\}d"},
        {"only control bytes", "\x01\x02\x1b\x7f\x81", ""},
        {"CR LF", "one\r\ntwo", "one" + kParagraph + " two"},
        {"LF alone breaks the line", "one\ntwo", "one" + kParagraph + "two"},
        {"each LF its own break", "one\n\ntwo\n", "one" + kParagraph + kParagraph + "two" + kParagraph},
        {"LF in a control run takes its space", "a\x01\n\x02" "b", "a" + kParagraph + "b"},
        {"leading LF gives nothing", "\n\nx", "x"},
        {"LF after CR stays a space", "a\r\nb", "a" + kParagraph + " b"},
        {"a blank line after CR LF", "a\r\n\nb", "a" + kParagraph + kParagraph + "b"},
        {"tab", "a\tb", "a" + kParagraph + "b"},
        {"0x92 kept", "it\x92s", "it\\u8217?s"},
        {"NUL dropped", std::string("a\0b", 3), "ab"},
        {"control run is one space", "a\x01\x02\x03" "b", "a b"},
        {"leading control bytes give nothing", "\xEF\xBB\xBF" "text", "text"},
        {"empty file", "", ""},
        {"punctuation and symbols of every script kept",
         "5 \xE2\x82\xAC \xE2\x80\x94 \xC2\xAB" "x\xC2\xBB \xC2\xA9 \xE3\x80\x82 \xF0\x9F\x98\x80",
         "5 \\u8364? \\u8212? \\u171?x\\u187? \\u169? \\u12290? \\u-10179?\\u-8704?"},
        {"space separators a blank each", "a\xC2\xA0\xE3\x80\x80" "b", "a  b"},
        {"line separator and U+FFFD are runs", "a\xE2\x80\xA8\xEF\xBF\xBD" "b", "a b"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto outcome = view(c.file);
        EXPECT_EQ(outcome.result, 1);
        EXPECT_EQ(outcome.body, c.body);
    }
}

// The streamed body is the whole body, cut into pieces: whatever stands at
// a cut (a run's space a line feed takes back, an escape, a paragraph, a
// character split between two reads) comes out as it does in one go.
TEST_F(ViewerText, StreamedBodyIsTheWholeBody) {
    std::string mixed;
    for (int i = 0; mixed.size() < 600000; ++i) {
        mixed += "line " + std::to_string(i) + " caf\xC3\xA9 {x}\\ \xE2\x82\xAC";
        mixed += i % 7 == 0 ? "\x01\x02\n" : i % 5 == 0 ? "\r\n" : i % 3 == 0 ? "\t\x85" : "\n";
    }
    std::string utf16 = "\xFF\xFE";
    for (int i = 0; i < 150000; ++i) utf16 += i % 50 == 0 ? std::string("\n\0", 2) : std::string("a\0", 2);
    const struct {
        const char* name;
        std::string file;
    } cases[] = {
        {"mixed lines", mixed},
        {"a run's space at every cut", std::string(300000, '\x01') + "a" + std::string(200000, '\x01') + "\nb"},
        {"carriage returns only", std::string(200000, '\r')},
        {"UTF-16", utf16},
        {"empty", ""},
    };
    for (const auto& test : cases) {
        const std::string path = dir_.write("stream.txt", test.file);
        std::vector<char> whole(test.file.size() * 28 + TYX12_VIEW_EXTRA_CAPACITY);
        ASSERT_EQ(stringView(path.c_str(), static_cast<int>(test.file.size() * 27), whole.data()), 1);
        std::string streamed;
        const int fd = ::open(path.c_str(), O_RDONLY);
        const auto append = [](void* context, const char* rtf, std::uint64_t length) -> std::int32_t {
            static_cast<std::string*>(context)->append(rtf, length);
            return 1;
        };
        EXPECT_EQ(tyx12ViewOpenFile(fd, append, &streamed), 1);
        ::close(fd);
        EXPECT_EQ(streamed, std::string(whole.data())) << test.name;
        std::string held;
        EXPECT_EQ(tyx12ViewHeldText(test.file.data(), test.file.size(), append, &held), 1);
        EXPECT_EQ(held, streamed) << test.name;
    }
}

TEST_F(ViewerText, CarriageReturnsStopAtTheCapacity) {
    // fileSize + 51,172 is the last position a whole paragraph string may start below.
    const auto outcome = view(std::string(2000, '\r'));
    const std::size_t written = (2000 + 51172 + 26) / 27;
    EXPECT_EQ(outcome.body.size(), written * 27);
    EXPECT_EQ(outcome.body.substr(outcome.body.size() - 27), kParagraph);
}

TEST_F(ViewerText, AnEscapeNeverLosesItsSecondHalf) {
    // 1969 paragraphs and four escaped backslashes bring the output to one
    // below the text limit; the brace that follows cannot fit whole.
    const std::string file = std::string(1969, '\r') + "\\\\\\\\{";
    const auto outcome = view(file);
    EXPECT_EQ(outcome.body.size(), 1969u * 27 + 8);
    EXPECT_EQ(outcome.body.substr(outcome.body.size() - 8), std::string(8, '\\'));
}

TEST_F(ViewerText, CapacityHeldForEveryByte) {
    // The worst cases for growth: escapes, paragraphs, 0x92 past the text limit.
    for (const std::string& unit : {std::string("{"), std::string("\r"), std::string("\x92"),
                                   std::string("\r\x92\x01"), std::string("}\x01")}) {
        std::string file;
        while (file.size() < 60000) file += unit;
        const auto outcome = view(file);
        EXPECT_EQ(outcome.result, 1);
        EXPECT_LT(outcome.body.size(), file.size() + TYX12_VIEW_EXTRA_CAPACITY);
    }
}

TEST_F(ViewerText, FailuresLeaveTheBufferUntouched) {
    std::vector<char> buffer(TYX12_VIEW_EXTRA_CAPACITY + 10, 'Q');
    const std::string missing = (dir_.path() / "missing.txt").string();
    EXPECT_EQ(stringView(missing.c_str(), 10, buffer.data()), 0);
    EXPECT_EQ(buffer[0], 'Q');
    const std::string present = dir_.write("present.txt", "text");
    EXPECT_EQ(stringView(present.c_str(), -1, buffer.data()), 0);
    EXPECT_EQ(buffer[0], 'Q');
}

}  // namespace
}  // namespace tessaly::test
