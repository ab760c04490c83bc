// The word index's rule against the engine's own answer: a file the rule
// passes over, given the words the engine gathered from its text, must be one
// the engine finds no match in. Gathering the words changes no answer, and
// gives the words of the whole text. Words and text are drawn from a small alphabet of letters,
// punctuation, stars, controls, NULs and letters beyond ASCII that fold, so
// that matches, near misses and splits are common.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "file_text.h"
#include "index_terms.h"
#include "text_words.h"
#include "input_file.h"
#include "raw_source.h"
#include "tyx12/open_file_search.h"

namespace {

using namespace tyx12::detail;

const char* const kPieces[] = {"a", "b", "ab", "ba", "A", "B", "-", "*", " ", "\n", "\r", "\t", ".", "'",
                               "\xC3\xA9", "\xC3\x89", "\xC3\x9F", "\xE2\x84\xAA", "k", "K", "\x01", "\x7F",
                               "" /* a NUL */, "\xE9", "\xF0\x9F\x98\x80", "_", "1"};

std::string drawText(FuzzedDataProvider& input, std::size_t most) {
    std::string text;
    const std::size_t count = input.ConsumeIntegralInRange<std::size_t>(0, most);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t pick = input.ConsumeIntegralInRange<std::size_t>(0, std::size(kPieces) - 1);
        if (std::strlen(kPieces[pick]) == 0) text.push_back('\0');
        else text += kPieces[pick];
    }
    return text;
}

// The text's words as an index keeps them: a word's start and its end
// reversed, each cut to what is kept; a term as long is looked up by its start.
constexpr std::size_t kKept = TextWords::kKeptCharacters;

struct WordSet {
    std::set<std::u32string> words, reversed;
    bool holdsWord(const std::u32string& w) const {
        return w.size() < kKept ? words.count(w) > 0 : holdsPrefixIn(words, w.substr(0, kKept));
    }
    static bool holdsPrefixIn(const std::set<std::u32string>& set, const std::u32string& p) {
        const auto it = set.lower_bound(p);
        return it != set.end() && it->compare(0, p.size(), p) == 0;
    }
    bool holdsPrefix(const std::u32string& p) const { return holdsPrefixIn(words, p.substr(0, kKept)); }
    bool holdsReversedPrefix(const std::u32string& p) const { return holdsPrefixIn(reversed, p.substr(0, kKept)); }
};

WordSet wordsOf(const std::string& content) {
    InputFile file(InputFile::Held{reinterpret_cast<const unsigned char*>(content.data()), content.size(), -1});
    std::vector<unsigned char> raw(64 * 1024);
    RawSource source(file, raw.data(), raw.size(), false);
    TextBuffers buffers;
    TextSizes sizes;
    sizes.capacity = content.size() + 64;  // all of it held at once
    FileText text(source, true, buffers, sizes);
    while (!text.reachesEnd()) text.readMore(0);
    WordSet words;
    forEachTextWord(text.searched(), [&](std::u32string_view word) {
        words.words.emplace(word.substr(0, kKept));
        const std::u32string_view end = word.substr(word.size() - std::min(word.size(), kKept));
        words.reversed.emplace(end.rbegin(), end.rend());
    });
    return words;
}

struct Terms {
    std::vector<std::pair<int, IndexTerm>> all;
};

std::int32_t keepWord(void* context, std::int32_t reversed, const char* word, std::uint64_t length) {
    auto& words = *static_cast<WordSet*>(context);
    const SearchWord decoded(std::string_view(word, length), false);
    (reversed ? words.reversed : words.words).emplace(decoded.text());
    return 1;
}

std::int32_t keepTerm(void* context, std::int32_t word, std::int32_t kind, const char* term, std::uint64_t length) {
    // Back to code points through the engine's own reading of UTF-8.
    const SearchWord decoded(std::string_view(term, length), false);
    static_cast<Terms*>(context)->all.push_back({word, {static_cast<TermKind>(kind), std::u32string(decoded.text())}});
    return 1;
}

int pickCode(FuzzedDataProvider& input) {
    static const int codes[] = {TYX12_AND, TYX12_OR, TYX12_NOT, TYX12_NEARBY};
    return codes[input.ConsumeIntegralInRange<int>(0, 3)];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int caseCode = input.ConsumeBool() ? TYX12_IGNORE_CASE : TYX12_MATCH_CASE;
    const int codes[3] = {pickCode(input), pickCode(input), pickCode(input)};
    const int nearbyWords = input.ConsumeIntegralInRange<int>(0, 4);
    const int allHits = input.ConsumeIntegralInRange<int>(0, 1);
    std::string words[4];
    bool present[4];
    for (int i = 0; i < 4; ++i) {
        present[i] = input.ConsumeBool();
        if (present[i]) words[i] = drawText(input, 4);
        if (present[i] && input.ConsumeBool()) words[i] = input.ConsumeBool() ? "*" + words[i] : words[i] + "*";
        // A word holds no NUL: the C string would end there.
        words[i] = words[i].substr(0, words[i].find('\0'));
    }
    const std::string content = drawText(input, 64);

    const auto word = [&](int i) { return present[i] ? words[i].c_str() : nullptr; };
    Terms terms;
    const std::int32_t withTerms =
        tyx12IndexTerms(word(0), codes[0], word(1), codes[1], word(2), codes[2], word(3), keepTerm, &terms);
    const WordSet madeWords = wordsOf(content);
    std::string copies[4] = {words[0], words[1], words[2], words[3]};
    const auto copy = [&](int i) { return present[i] ? copies[i].data() : nullptr; };
    std::vector<char> result(TYX12_RESULT_MIN_CAPACITY);
    const std::uint32_t length =
        tyx12SearchHeld(-1, content.data(), content.size(), caseCode, copy(0), codes[0], copy(1), codes[1], copy(2),
                        codes[2], copy(3), 0, 10, allHits, result.data(), nearbyWords);
    const std::string answer(result.data(), length <= TYX12_RESULT_MAX_LENGTH ? length : 0);

    std::string again[4] = {words[0], words[1], words[2], words[3]};
    const auto second = [&](int i) { return present[i] ? again[i].data() : nullptr; };
    WordSet textWords;
    std::int32_t whole = 0;
    std::vector<char> gatheredResult(TYX12_RESULT_MIN_CAPACITY);
    const std::uint32_t gatheredLength = tyx12SearchGatheringWords(
        -1, content.data(), content.size(), nullptr, nullptr, caseCode, second(0), codes[0], second(1), codes[1],
        second(2), codes[2], second(3), 0, 10, allHits, gatheredResult.data(), nearbyWords, keepWord, &textWords,
        &whole);
    const std::string gatheredAnswer(gatheredResult.data(), gatheredLength <= TYX12_RESULT_MAX_LENGTH ? gatheredLength : 0);
    if (gatheredLength != length || gatheredAnswer != answer || !whole || textWords.words != madeWords.words ||
        textWords.reversed != madeWords.reversed) {
        std::fprintf(stderr, "gathering the words changed the answer, or missed words: %u %u [%s] [%s] whole %d words %zu/%zu reversed %zu/%zu\n",
                     length, gatheredLength, answer.c_str(), gatheredAnswer.c_str(), whole, textWords.words.size(),
                     madeWords.words.size(), textWords.reversed.size(), madeWords.reversed.size());
        std::abort();
    }
    std::uint32_t mayHold = 0;
    for (int i = 0; i < 4; ++i) {
        bool holds = true;
        if (withTerms & (1 << i))
            for (const auto& [slot, term] : terms.all)
                if (slot == i) holds = holds && holdsTerm(textWords, term);
        if (holds) mayHold |= 1u << i;
    }
    if (tyx12CouldMatch(word(0), codes[0], word(1), codes[1], word(2), codes[2], word(3), mayHold)) return 0;
    if (length != 0) {
        std::fprintf(stderr, "the index would pass over a file the engine matches\n");
        std::abort();
    }
    return 0;
}
