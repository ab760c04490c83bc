#include "string_search.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "combining_rule.h"
#include "hit_window.h"
#include "input_file.h"
#include "line_collector.h"
#include "raw_prefilter.h"
#include "raw_source.h"
#include "search_scratch.h"
#include "word_presence.h"

namespace tyx12::detail {

namespace {

// The slot of the one word left to find, or -1 when there are more or none.
int soleWord(const Query& query) {
    int only = -1;
    for (int i = 0; i < kWordSlots; ++i) {
        if (!query.slots[i].present) continue;
        if (only >= 0) return -1;
        only = i;
    }
    return only;
}

// Moves the source to the first character that begins at or after `offset`:
// a byte that is not a UTF-8 continuation byte always begins one.
bool startAtCharacter(RawSource& source, std::uint64_t offset) {
    if (!source.startAt(offset)) return false;
    const RawPiece piece = source.peek(4);
    std::size_t skip = 0;
    while (skip < 3 && skip < piece.count && piece.bytes[skip] >= 0x80 && piece.bytes[skip] < 0xC0) ++skip;
    source.consume(skip);
    return true;
}

std::uint32_t deliver(const CollectedText& collected, char* resultBuffer) {
    const std::size_t n = collected.size();
    if (n <= kCollectLimit && resultBuffer) std::memcpy(resultBuffer, collected.text().c_str(), n + 1);
    return static_cast<std::uint32_t>(n);
}

}  // namespace

std::uint32_t runSearch(const SearchRequest& request, char* resultBuffer) {
    InputFile file = request.growing.more ? InputFile(request.growing)
                     : request.held       ? InputFile(InputFile::Held{request.held, request.heldLength, request.openFile})
                     : request.openFile >= 0 ? InputFile(InputFile::Borrowed{request.openFile})
                                             : InputFile(request.fileName);
    if (!file.isOpen()) return 0;
    SearchScratch* scratch = threadScratch();
    if (!scratch) return 0;
    if (resultBuffer) resultBuffer[0] = '\0';
    CollectedText& collected = scratch->collected;
    collected.clear();

    if (request.ignoreCase) lowerWords(request.words);
    Query& query = threadQuery(request.words, request.codes, request.ignoreCase);
    TextWords* const words = request.textWords;
    if (!query.anyPresent() && !words) return deliver(collected, resultBuffer);

    // A buffer must hold a whole character, four bytes at most.
    std::vector<unsigned char> ownRaw(request.rawBufferSize ? std::max<std::size_t>(request.rawBufferSize, 4) : 0);
    RawSource source(file, ownRaw.empty() ? scratch->raw.get() : ownRaw.data(),
                     ownRaw.empty() ? kRawBufferSize : ownRaw.size(), ownRaw.empty());
    RawPrefilter prefilter(query, request.ignoreCase);
    WordsFound mayHold, known{};
    std::array<std::uint64_t, kWordSlots> firstAt{};
    mayHold.fill(true);
    // Words for an index need the whole text made, matching or not.
    if (request.ruleOutByRawBytes && !words) {
        mayHold = prefilter.mayHold(source, scratch->rawWithoutNuls, known, firstAt);
        if (!prefilter.couldMatch(mayHold)) return deliver(collected, resultBuffer);
        if (!source.rewind()) return deliver(collected, resultBuffer);
    }

    std::optional<FileText> text(std::in_place, source, request.ignoreCase, scratch->text, request.textSizes);
    text->gatherWords(words);
    // Whatever the answer, the words come from the whole text.
    const auto answer = [&] {
        if (words && text) text->readToEnd();
        return deliver(collected, resultBuffer);
    };
    if (!query.anyPresent()) return answer();
    if (!applyCombiningRule(query, findPresentWords(query, mayHold, known, *text))) return answer();
    dropExcludedWords(query);

    CollectOptions options;
    options.smartSearch = request.smartSearch;
    options.contextWords = std::clamp<long long>(request.contextWords, 1, kMostContextWords);
    options.allHits = request.allHits;
    options.nearbyWords = request.nearbyWords;
    options.hitWords = request.hitWords;

    // One word, its first place known from the raw bytes, one line wanted:
    // the text is read from a little before that place, as long as what is
    // read there reaches back as far as the line's window can.
    const int only = soleWord(query);
    if (!request.allHits && !request.hitWords && !words && only >= 0 && known[only]) {
        const std::uint64_t reach = static_cast<std::uint64_t>(windowReach({options.contextWords, false}));
        const std::uint64_t lead = 8 * reach + 1024;
        if (firstAt[only] > lead && startAtCharacter(source, firstAt[only] - lead)) {
            text.emplace(source, TextEncoding::Utf8OrWindows1252, request.ignoreCase, scratch->text,
                         request.textSizes);
            CollectOptions fromThere = options;
            fromThere.leadNeeded = static_cast<std::size_t>(reach) + 1;
            if (collectLines(query, *text, fromThere, collected, scratch->collect))
                return deliver(collected, resultBuffer);
        }
        text.reset();
    }

    // The lines are collected from the start of the text: read it again
    // unless all of it up to here is still held.
    if (!text || text->dropped() > 0) {
        if (!source.rewind()) return deliver(collected, resultBuffer);
        text.emplace(source, request.ignoreCase, scratch->text, request.textSizes);
        if (words) words->restart();
        text->gatherWords(words);
    }
    collectLines(query, *text, options, collected, scratch->collect);
    return answer();
}

}  // namespace tyx12::detail
