// The search's fast ways never change its answer: ruling files out by their
// raw bytes, holding a file's text whole, and stopping once the answer is
// certain give exactly what the plain way gives, which reads every file
// through tiny buffers and looks at every word.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "string_search.h"
#include "temp_dir.h"

namespace tyx12::detail {
namespace {

struct Answer {
    std::uint32_t length;
    std::string result;
    std::array<std::string, 4> wordsAfter;
    bool operator==(const Answer&) const = default;
};

Answer search(SearchRequest request, const std::array<std::string, 4>& words, std::array<bool, 4> present) {
    std::array<std::vector<char>, 4> copies;
    for (int i = 0; i < 4; ++i) {
        copies[i].assign(words[i].begin(), words[i].end());
        copies[i].push_back('\0');
        request.words[i] = present[i] ? copies[i].data() : nullptr;
    }
    std::vector<char> buffer(71200, ' ');
    Answer answer;
    answer.length = runSearch(request, buffer.data());
    answer.result = buffer.data();
    for (int i = 0; i < 4; ++i) answer.wordsAfter[i] = copies[i].data();
    return answer;
}

void appendUtf16(std::string& out, char32_t c, bool bigEndian) {
    auto unit = [&](unsigned u) {
        const char high = static_cast<char>(u >> 8), low = static_cast<char>(u & 0xFF);
        out += bigEndian ? std::string{high, low} : std::string{low, high};
    };
    if (c > 0xFFFF) {
        unit(0xD800 + ((c - 0x10000) >> 10));
        unit(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
        unit(c);
    }
}

// Hands out `whole` `step` bytes more at each call, from a string that moves
// as it grows.
struct GrowingText {
    std::string whole;
    std::string made;
    std::size_t step;
    static std::uint64_t more(void* context, const char** text) {
        auto& self = *static_cast<GrowingText*>(context);
        self.made.append(self.whole, self.made.size(), self.step);
        *text = self.made.data();
        return self.made.size();
    }
};

TEST(SearchPaths, FastWaysGiveThePlainAnswer) {
    // Words that differ by case, by encoding, by folding, and that sit inside
    // each other; the text also breaks sequences and holds NULs.
    const std::vector<std::string> vocabulary = {
        "cat", "Cat", "CAT", "cats", "caf\xc3\xa9", "CAF\xc3\x89", "caf\xe9", "na\xc3\xafve", "Gr\xc3\xb6\xc3\x9f" "e",
        "GR\xc3\x96\xc3\x9f" "E", "\xcf\x83\xce\xbf\xcf\x86\xce\xaf\xce\xb1", "\xce\xa3\xce\x9f\xce\xa6\xce\x8a\xce\x91",
        "don\xe2\x80\x99t", "don\x92t", "\xe2\x84\xaa" "elvin", "kelvin", "\xc5\xbfun", "sun", "{x}", "a\\b",
        "co-op", "x_y", "aa", "a"};
    const std::vector<std::string> separators = {" ", " ", " ", "\r\n", "\n", "\t", "\x01", std::string(1, '\0'),
                                                  ". ", ", ", "\xe2\x80\x94", "\xc3", "\xf0\x9f\x98\x80", "  ", "",
                                                  "\xc3\xa9", "\xcc\x81", "_"};
    const std::vector<std::string> extraWords = {"ca*", "*ve", "*", "c", "x y", "{x", "a\\"};
    const int codes[] = {210, 211, 212, 213};
    tessaly::test::TempDir dir;
    std::mt19937 random(2026);
    for (int round = 0; round < 1500; ++round) {
        std::string text;
        // Short files hold a few of the words, long ones most of them.
        const std::size_t tokens = random() % 3 == 0   ? random() % 6
                                   : random() % 5 == 0 ? random() % 3000
                                                       : random() % 400;
        for (std::size_t t = 0; t < tokens; ++t) {
            std::string token = vocabulary[random() % vocabulary.size()];
            // The text drops NULs, even inside a word.
            if (random() % 10 == 0) token.insert(random() % token.size(), 1, '\0');
            text += token;
            text += separators[random() % separators.size()];
        }
        if (random() % 8 == 0) {
            // The same words as UTF-16, either byte order.
            const bool bigEndian = random() % 2;
            std::string utf16 = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
            for (unsigned char c : text) appendUtf16(utf16, c < 0x80 ? c : U'\u00e9', bigEndian);
            text = utf16;
        }
        const std::string path = dir.write("file.txt", text);

        std::array<std::string, 4> words;
        std::array<bool, 4> present{};
        for (int i = 0; i < 4; ++i) {
            present[i] = random() % 3 != 0;
            words[i] = random() % 5 == 0 ? extraWords[random() % extraWords.size()]
                                         : vocabulary[random() % vocabulary.size()];
        }
        SearchRequest fast;
        fast.fileName = path.c_str();
        fast.ignoreCase = random() % 2;
        fast.codes = {codes[random() % 4], codes[random() % 4], codes[random() % 4]};
        fast.smartSearch = random() % 2;
        fast.contextWords = 1 + static_cast<int>(random() % 12);
        fast.allHits = random() % 2;
        fast.nearbyWords = random() % 3 == 0 ? static_cast<int>(random() % 5) : 0;

        SearchRequest plain = fast;
        plain.ruleOutByRawBytes = false;
        plain.rawBufferSize = 1 + random() % 40;
        plain.textSizes = {1 + random() % 24, random() % 64};

        SCOPED_TRACE(testing::Message() << "round " << round);
        const Answer expected = search(plain, words, present);
        ASSERT_EQ(search(fast, words, present), expected);

        // The same input handed over as bytes the caller holds: the start of
        // the open file, or the whole of it.
        SearchRequest held = fast;
        held.fileName = nullptr;
        const std::size_t split = random() % 2 ? text.size() : random() % (text.size() + 1);
        held.held = reinterpret_cast<const unsigned char*>(text.data());
        held.heldLength = split;
        const int fd = split < text.size() ? ::open(path.c_str(), O_RDONLY) : -1;
        if (fd >= 0) {
            ASSERT_EQ(::lseek(fd, static_cast<off_t>(split), SEEK_SET), static_cast<off_t>(split));
        }
        held.openFile = fd;
        EXPECT_EQ(search(held, words, present), expected) << "held " << split << " of " << text.size();
        if (fd >= 0) ::close(fd);

        // And as a text made while the search reads it, a piece at a time.
        GrowingText growing{text, {}, 1 + random() % 5000};
        SearchRequest grown = fast;
        grown.fileName = nullptr;
        grown.growing = {&GrowingText::more, &growing};
        EXPECT_EQ(search(grown, words, present), expected) << "grown by " << growing.step;
    }
}

}  // namespace
}  // namespace tyx12::detail
