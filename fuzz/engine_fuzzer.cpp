// Random files, words and codes through both exports. Every buffer is exactly
// as large as its caller is promised to need, so AddressSanitizer reports any
// write past it; the checks below catch what a sanitizer cannot see. Files
// come with each byte-order mark or none, so every decoder is reached.
#include <fuzzer/FuzzedDataProvider.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
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
