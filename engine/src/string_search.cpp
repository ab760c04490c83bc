#include "string_search.h"

#include <algorithm>
#include <cstring>

#include "combining_rule.h"
#include "input_file.h"
#include "line_collector.h"
#include "normaliser.h"
#include "search_scratch.h"

namespace tyx12::detail {

std::uint32_t runSearch(const SearchRequest& request, char* resultBuffer) {
    InputFile file(request.fileName);
    if (!file.isOpen()) return 0;
    SearchScratch* scratch = threadScratch();
    if (!scratch) return 0;
    if (resultBuffer) resultBuffer[0] = '\0';

    // Reading stops where normalisation stops, so a huge file costs no more
    // than the part of it that can be searched. A negative size (a caller's
    // overflow) reads nothing.
    Normaliser normaliser(scratch->normalised.get(),
                          request.ignoreCase ? scratch->folded.get() : nullptr);
    readInChunks(file, request.fileSize, scratch->chunk.get(), kReadChunk,
                 [&](const unsigned char* bytes, std::size_t count) {
                     return normaliser.feed(bytes, count);
                 });
    const std::size_t length = normaliser.finish();
    const TextView normalised{scratch->normalised.get(), length};
    const TextView searched = request.ignoreCase ? TextView{scratch->folded.get(), length} : normalised;

    if (request.ignoreCase) lowerWords(request.words);
    Query query = makeQuery(request.words, request.codes);

    CollectedText& collected = scratch->collected;
    collected.clear();
    if (applyCombiningRule(query, searched)) {
        dropExcludedWords(query);
        CollectOptions options;
        options.smartSearch = request.smartSearch;
        options.contextWords = std::max<std::int32_t>(1, request.contextWords);
        options.allHits = request.allHits;
        options.nearbyWords = request.nearbyWords;
        collectLines(query, normalised, searched, options, collected, scratch->collect);
    }

    const std::size_t n = collected.size();
    if (n <= kCollectLimit && resultBuffer) std::memcpy(resultBuffer, collected.text().c_str(), n + 1);
    return static_cast<std::uint32_t>(n);
}

}  // namespace tyx12::detail
