#include "viewer/body_text_decoder.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaly {
namespace {

TEST(BodyTextDecoder, MarkupGoesAndCharactersStay) {
    const struct {
        std::string rtf;
        std::u16string text;
    } cases[] = {
        {"plain words", u"plain words"},
        {"one{\\pard\\plain\\f3\\fs18 \\par }two", u"one\ntwo"},
        {"\\\\ \\{x\\}", u"\\ {x}"},
        {"caf\\u233?", u"caf\u00e9"},
        // Beyond the first plane: two surrogates, each with its fallback.
        {"\\u-10179?\\u-8704?!", u"\U0001F600!"},
        {"{\\fs18\\cf1\\b hit} word", u"hit word"},
        {"\\u233 ?x", u"\u00e9x"},
        {"line\r\nend", u"lineend"},
        {"cut \\", u"cut "},
    };
    for (const auto& c : cases) EXPECT_EQ(bodyText(c.rtf), c.text) << c.rtf;
}

TEST(BodyTextDecoder, SlicesNeverSplitAnEscape) {
    const std::string rtf = "a\\u233?b{\\pard\\plain\\f3\\fs18 \\par }\\\\c";
    for (std::size_t slice = 1; slice <= rtf.size(); ++slice) {
        BodyTextDecoder decoder(rtf);
        std::u16string text(rtf.size(), u'\0');
        std::size_t length = 0;
        while (!decoder.done()) length += decoder.decode(slice, text.data() + length);
        text.resize(length);
        EXPECT_EQ(text, u"a\u00e9b\n\\c") << slice;
    }
}

}  // namespace
}  // namespace tessaly
