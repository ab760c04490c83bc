// The words a word index is given, gathered piece by piece as a text is read,
// against the words a plain reading of the whole text finds.
#include "text_words.h"

#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>

#include "char_class.h"
#include "unicode_class.h"
#include "utf8_writing.h"

namespace tyx12::detail {
namespace {

struct Words {
    std::set<std::string> starts;
    std::set<std::string> reversedEnds;
    std::size_t distinct = 0;  // words told apart by their start and end
    bool operator==(const Words&) const = default;
};

void PrintTo(const Words& words, std::ostream* out) {
    *out << words.distinct << " distinct; starts:";
    for (const std::string& word : words.starts) *out << " [" << word << "]";
    *out << " reversed ends:";
    for (const std::string& word : words.reversedEnds) *out << " [" << word << "]";
}

// Each maximal run of word characters, folded: its first 64 characters,
// and its last 64 reversed.
Words plainReading(const std::u32string& text) {
    Words words;
    std::set<std::u32string> distinct;
    std::u32string word;
    const auto end = [&] {
        if (word.empty()) return;
        const std::size_t kept = TextWords::kKeptCharacters;
        const std::u32string start = word.substr(0, kept);
        const std::u32string tail = word.size() > kept ? word.substr(word.size() - kept) : word;
        words.starts.insert(utf8Of(start));
        words.reversedEnds.insert(utf8Of(std::u32string(tail.rbegin(), tail.rend())));
        distinct.insert(start + U'|' + tail);
        word.clear();
    };
    for (const char32_t c : text) {
        const bool wordChar = c < 0x80 ? (std::isalnum(static_cast<int>(c)) != 0) : isWordChar(c);
        if (wordChar) {
            word.push_back(simpleFold(c));
        } else {
            end();
        }
    }
    end();
    words.distinct = distinct.size();
    return words;
}

Words gathered(const TextWords& textWords) {
    Words words;
    words.distinct = textWords.size();
    textWords.forEach([&](bool reversed, std::string_view word) {
        (reversed ? words.reversedEnds : words.starts).insert(std::string(word));
        return true;
    });
    return words;
}

TEST(TextWords, PieceByPieceTheSameWordsAsAPlainReading) {
    // Letters of several scripts and cases, digits, boundaries, and a few
    // words long enough to be kept by their two ends.
    const std::u32string alphabet = U"aAbBzZ09 .,-_\n\t\x00e9\x00c9\x03a3\x03c3\x0436\x4e2d\x20000\x2019";
    std::mt19937 random(12);
    for (int round = 0; round < 300; ++round) {
        std::u32string text;
        const int length = static_cast<int>(random() % 400);
        for (int i = 0; i < length; ++i) {
            if (random() % 50 == 0) {
                text.append(64 + random() % 10, U"xÉ"[random() % 2]);
                text.push_back(alphabet[random() % 6]);
            } else {
                text.push_back(alphabet[random() % alphabet.size()]);
            }
        }
        TextWords words;
        // A false start, cut off and read again, leaves nothing behind.
        words.take(text.data(), text.size() / 2);
        words.restart();
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t piece = std::min<std::size_t>(1 + random() % 70, text.size() - at);
            words.take(text.data() + at, piece);
            at += piece;
        }
        words.finish();
        ASSERT_TRUE(words.complete());
        const Words expected = plainReading(text);
        EXPECT_EQ(gathered(words), expected) << "round " << round;
    }
}

}  // namespace
}  // namespace tyx12::detail
