#include "string_search.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "combining_rule.h"
#include "input_file.h"
#include "line_collector.h"
#include "raw_prefilter.h"
#include "raw_source.h"
#include "search_scratch.h"
#include "word_presence.h"

namespace tyx12::detail {

namespace {

std::uint32_t deliver(const CollectedText& collected, char* resultBuffer) {
    const std::size_t n = collected.size();
    if (n <= kCollectLimit && resultBuffer) std::memcpy(resultBuffer, collected.text().c_str(), n + 1);
    return static_cast<std::uint32_t>(n);
}

}  // namespace

std::uint32_t runSearch(const SearchRequest& request, char* resultBuffer) {
    InputFile file(request.fileName);
    if (!file.isOpen()) return 0;
    SearchScratch* scratch = threadScratch();
    if (!scratch) return 0;
    if (resultBuffer) resultBuffer[0] = '\0';
    CollectedText& collected = scratch->collected;
    collected.clear();

    if (request.ignoreCase) lowerWords(request.words);
    Query query = makeQuery(request.words, request.codes, request.ignoreCase);
    if (!query.anyPresent()) return deliver(collected, resultBuffer);

    // A buffer must hold a whole character, four bytes at most.
    std::vector<unsigned char> ownRaw(request.rawBufferSize ? std::max<std::size_t>(request.rawBufferSize, 4) : 0);
    RawSource source(file, ownRaw.empty() ? scratch->raw.get() : ownRaw.data(),
                     ownRaw.empty() ? kRawBufferSize : ownRaw.size());
    RawPrefilter prefilter(query, request.ignoreCase);
    WordsFound mayHold;
    mayHold.fill(true);
    if (request.ruleOutByRawBytes) {
        mayHold = prefilter.mayHold(source, scratch->rawWithoutNuls);
        if (!prefilter.couldMatch(mayHold)) return deliver(collected, resultBuffer);
        if (!source.rewind()) return deliver(collected, resultBuffer);
    }

    std::optional<FileText> text(std::in_place, source, request.ignoreCase, scratch->text, request.textSizes);
    if (applyCombiningRule(query, findPresentWords(query, mayHold, *text))) {
        dropExcludedWords(query);
        // The lines are collected from the start of the text: read it again
        // unless all of it up to here is still held.
        if (text->dropped() > 0) {
            if (!source.rewind()) return deliver(collected, resultBuffer);
            text.emplace(source, request.ignoreCase, scratch->text, request.textSizes);
        }
        CollectOptions options;
        options.smartSearch = request.smartSearch;
        options.contextWords = std::clamp<long long>(request.contextWords, 1, kMostContextWords);
        options.allHits = request.allHits;
        options.nearbyWords = request.nearbyWords;
        collectLines(query, *text, options, collected, scratch->collect);
    }
    return deliver(collected, resultBuffer);
}

}  // namespace tyx12::detail
