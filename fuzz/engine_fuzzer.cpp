// Random files, words and codes through both exports. Every buffer is exactly
// as large as its caller is promised to need, so AddressSanitizer reports any
// write past it; the checks below catch what a sanitizer cannot see. Files
// come with each byte-order mark or none, so every decoder is reached.
#include <fuzzer/FuzzedDataProvider.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "memory_file.h"
#include "tyx12/open_file_search.h"
#include "tyx12/tyx12.h"

namespace {

std::int32_t appendPiece(void* context, const char* rtf, std::uint64_t length) {
    static_cast<std::string*>(context)->append(rtf, length);
    return 1;
}

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "broken promise: %s\n", what);
        std::abort();
    }
}

// Braces outside escapes must pair up, or the result pane could not read the text.
bool rtfGroupsBalance(const char* text, std::size_t length) {
    long depth = 0;
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] == '\\') {
            ++i;
        } else if (text[i] == '{') {
            ++depth;
        } else if (text[i] == '}') {
            if (--depth < 0) return false;
        }
    }
    return depth == 0;
}

// The results pane and the viewer take only ASCII: everything else is \uN?.
bool allAscii(const char* text, std::size_t length) {
    for (std::size_t i = 0; i < length; ++i)
        if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
    return true;
}

// The content after a byte-order mark, or none. Raw bytes after a UTF-16 mark
// rarely spell a word, so they may be widened to one unit each, the way a
// UTF-16 file holds Latin-1 text.
enum Mark { NoMark, Utf8Mark, Utf16LittleEndianMark, Utf16BigEndianMark };

std::string withEncodingMark(Mark mark, bool widen, const std::string& content) {
    if (mark == NoMark) return content;
    if (mark == Utf8Mark) return "\xEF\xBB\xBF" + content;
    const bool bigEndian = mark == Utf16BigEndianMark;
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    if (!widen) return out + content;
    for (char c : content) {
        out.push_back(bigEndian ? '\0' : c);
        out.push_back(bigEndian ? c : '\0');
    }
    return out;
}

int pickCode(FuzzedDataProvider& input) {
    static const int codes[] = {TYX12_AND, TYX12_OR, TYX12_NOT, TYX12_NEARBY, 0};
    return codes[input.ConsumeIntegralInRange<int>(0, 4)];
}

// A text handed out `step` bytes more at each ask.
struct Pieces {
    const std::string& text;
    std::size_t step;
    std::size_t handed = 0;
};

std::uint64_t nextPiece(void* context, const char** text) {
    auto& pieces = *static_cast<Pieces*>(context);
    pieces.handed = std::min(pieces.text.size(), pieces.handed + pieces.step);
    *text = pieces.text.data();
    return pieces.handed;
}

// The characters of a viewer body: a paragraph, an escape or a byte each, the
// two escapes of a character beyond U+FFFF one.
std::vector<char32_t> bodyCharacters(std::string_view body) {
    static constexpr std::string_view kParagraph = "{\\pard\\plain\\f3\\fs18 \\par }";
    std::vector<char32_t> characters;
    for (std::size_t i = 0; i < body.size();) {
        if (body.substr(i).starts_with(kParagraph)) {
            characters.push_back('\n');
            i += kParagraph.size();
        } else if (body.substr(i).starts_with("\\u")) {
            const long unit = std::strtol(body.data() + i + 2, nullptr, 10);
            const char32_t c = static_cast<char16_t>(unit);
            i = body.find('?', i) + 1;
            if (c >= 0xDC00 && c <= 0xDFFF && !characters.empty() && characters.back() >= 0xD800 &&
                characters.back() <= 0xDBFF)
                characters.back() = 0x10000 + ((characters.back() - 0xD800) << 10) + (c - 0xDC00);
            else
                characters.push_back(c);
        } else {
            if (body[i] == '\\') ++i;
            characters.push_back(static_cast<unsigned char>(body[i++]));
        }
    }
    return characters;
}

struct Place {
    std::uint64_t start, length;
};

std::int32_t appendPlace(void* context, std::uint64_t start, std::uint64_t length) {
    static_cast<std::vector<Place>*>(context)->push_back({start, length});
    return 1;
}

// The text a word finds: the word without its one star, lower-cased when
// case is ignored. Empty for a word that is not plain ASCII letters and
// digits, whose hits this check cannot judge without the engine's tables.
std::string plainCore(const char* word, bool ignoreCase) {
    if (!word) return {};
    std::string core = word;
    if (core.starts_with('*')) core.erase(0, 1);
    else if (core.ends_with('*')) core.pop_back();
    for (char& c : core) {
        if (!std::isalnum(static_cast<unsigned char>(c))) return {};
        if (ignoreCase) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return core;
}

// Every hit word's place lies on the words in the viewer's text of the same
// content: in order, apart, within it, and where the text there is ASCII, it
// spells one of the words.
void checkHitWordPlaces(const std::string& content, const std::vector<std::unique_ptr<char[]>>& words,
                        int caseCode, const int* codes, int smartSearch, int contextWords, int nearbyWords) {
    std::string w[4];
    char* p[4] = {};
    for (int i = 0; i < 4; ++i)
        if (words[i]) p[i] = (w[i] = words[i].get()).data();
    std::vector<Place> places;
    check(tyx12SearchHitWords(-1, content.data(), content.size(), caseCode, p[0], codes[0], p[1], codes[1], p[2],
                              codes[2], p[3], smartSearch, contextWords, nearbyWords, appendPlace, &places) == 1,
          "held text is searched for its hit words");
    std::string body;
    check(tyx12ViewHeldText(content.data(), content.size(), appendPiece, &body) == 1, "held text is viewed");
    const std::vector<char32_t> text = bodyCharacters(body);
    const bool ignoreCase = caseCode == TYX12_IGNORE_CASE;
    std::vector<std::string> cores;
    for (const auto& word : words) {
        if (!word) continue;
        cores.push_back(plainCore(word.get(), ignoreCase));
        if (cores.back().empty()) return;
    }
    std::uint64_t after = 0;
    for (const Place& place : places) {
        check(place.length > 0 && place.start >= after, "hit words come in order and apart");
        after = place.start + place.length;
        check(after <= text.size(), "a hit word lies within the viewer's text");
        std::string spelt;
        for (std::uint64_t i = place.start; i < after && text[i] < 0x80; ++i)
            spelt.push_back(static_cast<char>(ignoreCase ? std::tolower(static_cast<int>(text[i])) : text[i]));
        if (spelt.size() == place.length)
            check(std::find(cores.begin(), cores.end(), spelt) != cores.end(), "a hit word spells a search word");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static MemoryFile file("engine-fuzz");
    FuzzedDataProvider input(data, size);

    const int caseCode = input.ConsumeBool() ? TYX12_IGNORE_CASE : TYX12_MATCH_CASE;
    const int codes[3] = {pickCode(input), pickCode(input), pickCode(input)};
    const int smartSearch = input.ConsumeIntegralInRange<int>(0, 1);
    const int contextWords = input.ConsumeIntegralInRange<int>(-1, 31);
    const int allHits = input.ConsumeIntegralInRange<int>(0, 1);
    const int nearbyWords = input.ConsumeIntegralInRange<int>(-1, 12);
    // The search reads the whole file whatever it is told; the viewer's
    // buffer is sized by this.
    const int sizeMode = input.ConsumeIntegralInRange<int>(0, 3);
    const auto mark = static_cast<Mark>(input.ConsumeIntegralInRange<int>(NoMark, Utf16BigEndianMark));
    const bool widen = input.ConsumeBool();

    // Words of any bytes, read as UTF-8 with stray bytes as Windows-1252, and
    // sized to the byte: the marker "a" must still fit in any present one.
    std::vector<std::unique_ptr<char[]>> words(4);
    for (auto& word : words) {
        if (input.ConsumeBool()) continue;
        const std::string text = input.ConsumeRandomLengthString(16);
        word.reset(new char[text.size() + 1]);
        std::memcpy(word.get(), text.c_str(), text.size() + 1);
    }
    const std::size_t growBy = input.ConsumeIntegralInRange<std::size_t>(1, 5000);
    const std::string content = withEncodingMark(mark, widen, input.ConsumeRemainingBytesAsString());
    file.write(content);

    int fileSize = static_cast<int>(content.size());
    if (sizeMode == 1) fileSize /= 2;
    if (sizeMode == 2) fileSize += 1000;
    if (sizeMode == 3) fileSize = -fileSize - 1;

    std::unique_ptr<char[]> result(new char[TYX12_RESULT_MIN_CAPACITY]);
    std::memset(result.get(), 'R', TYX12_RESULT_MIN_CAPACITY);
    const std::uint32_t length =
        stringSearch(file.path.c_str(), fileSize, caseCode, words[0].get(), codes[0], words[1].get(),
                     codes[1], words[2].get(), codes[2], words[3].get(), smartSearch, contextWords,
                     allHits, result.get(), nearbyWords);
    if (length <= TYX12_RESULT_MAX_LENGTH) {
        check(std::memchr(result.get(), '\0', length + 1) == result.get() + length,
              "the result's length is the returned count");
        check(rtfGroupsBalance(result.get(), length), "the result's RTF groups balance");
        check(allAscii(result.get(), length), "the result is ASCII");
    } else {
        check(result[0] == '\0', "an overflowing result leaves an empty text");
    }

    // The same text handed over a piece at a time, as a document's pages
    // come, gives the same answer as the text held whole.
    const auto fresh = [&words](int i) {
        return words[i] ? std::make_unique<std::string>(words[i].get()) : nullptr;
    };
    const auto searchWhole = [&](auto&& search) {
        std::unique_ptr<std::string> w[4] = {fresh(0), fresh(1), fresh(2), fresh(3)};
        const auto p = [&w](int i) { return w[i] ? w[i]->data() : nullptr; };
        std::string out(TYX12_RESULT_MIN_CAPACITY, '\0');
        const std::uint32_t n = search(p(0), p(1), p(2), p(3), out.data());
        return std::make_pair(n, n <= TYX12_RESULT_MAX_LENGTH ? out.substr(0, n) : std::string());
    };
    const auto held = searchWhole([&](char* w0, char* w1, char* w2, char* w3, char* out) {
        return tyx12SearchHeld(-1, content.data(), content.size(), caseCode, w0, codes[0], w1, codes[1], w2,
                               codes[2], w3, smartSearch, contextWords, allHits, out, nearbyWords);
    });
    Pieces pieces{content, growBy};
    const auto grown = searchWhole([&](char* w0, char* w1, char* w2, char* w3, char* out) {
        return tyx12SearchGrowing(&nextPiece, &pieces, caseCode, w0, codes[0], w1, codes[1], w2, codes[2], w3,
                                  smartSearch, contextWords, allHits, out, nearbyWords);
    });
    check(held == grown, "text that grows is searched as the same text held whole");
    checkHitWordPlaces(content, words, caseCode, codes, smartSearch, contextWords, nearbyWords);

    const long long viewCapacity = static_cast<long long>(fileSize) + TYX12_VIEW_EXTRA_CAPACITY;
    if (fileSize >= 0) {
        std::unique_ptr<char[]> body(new char[viewCapacity]);
        check(stringView(file.path.c_str(), fileSize, body.get()) == 1, "a readable file is viewed");
        const void* end = std::memchr(body.get(), '\0', viewCapacity);
        check(end != nullptr, "the body ends within its buffer");
        const auto bodyLength = static_cast<std::size_t>(static_cast<const char*>(end) - body.get());
        check(allAscii(body.get(), bodyLength), "the body is ASCII");
        // A body the capacity did not cut is the streamed body, piece for piece.
        if (static_cast<long long>(bodyLength) + TYX12_VIEW_CUT_MARGIN < viewCapacity) {
            std::string streamed;
            const int fd = ::open(file.path.c_str(), O_RDONLY | O_CLOEXEC);
            check(tyx12ViewOpenFile(fd, appendPiece, &streamed) == 1, "a readable file is streamed");
            ::close(fd);
            check(streamed == std::string_view(body.get(), bodyLength), "the streamed body is the whole body");
        }
    }
    return 0;
}
