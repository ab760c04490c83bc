// Names and texts cross into Qt and back byte for byte, whatever they start with.
#include "platform/qt/lossless_text.h"

#include <gtest/gtest.h>

#include "platform/qt/rtf_document_builder.h"

namespace tessaly {
namespace {

TEST(LosslessText, EveryNameComesBackAsItsBytes) {
    const std::string names[] = {
        "plain.txt",
        "caf\xc3\xa9.txt",
        "caf\xe9.txt",                  // a stray byte
        "\xef\xbb\xbf" "starts.txt",    // U+FEFF first, which is no byte-order mark here
        "\xef\xbf\xbe" "swapped.txt",   // U+FFFE first
    };
    for (const std::string& name : names) {
        const QString text = textFromBytes(name);
        EXPECT_EQ(bytesFromText(text), name) << name;
        EXPECT_EQ(text.at(text.size() - 1), QChar(u't')) << name;
    }
    EXPECT_EQ(rtfRunText("\xef\xbf\xbe" "ok").size(), 3);
}

}  // namespace
}  // namespace tessaly
