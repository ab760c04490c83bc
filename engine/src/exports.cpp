// The library's C boundary: nothing thrown inside may cross it.
#include "tyx12/tyx12.h"
#include "tyx12/open_file_search.h"

#include <array>
#include <string>

#include "combining_rule.h"
#include "hit_word_search.h"
#include "index_terms.h"
#include "query.h"
#include "utf8_writing.h"
#include "read_error.h"
#include "string_search.h"
#include "viewer_text.h"

using namespace tyx12::detail;

namespace {

// The words and options every search entry takes, as the request holds them.
void setQuery(SearchRequest& request, int32_t caseCode, char* word1, int32_t code1, char* word2, int32_t code2,
              char* word3, int32_t code3, char* word4, int32_t smartSearch, int32_t contextWords, int32_t allHits,
              int32_t nearbyWords) {
    request.ignoreCase = caseCode == TYX12_IGNORE_CASE;
    request.words = {word1, word2, word3, word4};
    request.codes = {code1, code2, code3};
    request.smartSearch = smartSearch == 1;
    request.contextWords = contextWords;
    request.allHits = allHits != 0;
    request.nearbyWords = nearbyWords;
}

uint32_t search(SearchRequest& request, int32_t caseCode, char* word1, int32_t code1, char* word2,
                int32_t code2, char* word3, int32_t code3, char* word4, int32_t smartSearch,
                int32_t contextWords, int32_t allHits, char* resultBuffer, int32_t nearbyWords) {
    try {
        setQuery(request, caseCode, word1, code1, word2, code2, word3, code3, word4, smartSearch, contextWords,
                 allHits, nearbyWords);
        threadReadError = 0;
        return runSearch(request, resultBuffer);
    } catch (...) {
        return 0;
    }
}

}  // namespace

extern "C" TYX12_API uint32_t stringSearch(const char* fileName, int32_t fileSize, int32_t caseCode,
                                           char* word1, int32_t code1, char* word2, int32_t code2,
                                           char* word3, int32_t code3, char* word4,
                                           int32_t smartSearch, int32_t contextWords,
                                           int32_t allHits, char* resultBuffer,
                                           int32_t nearbyWords) {
    // The file is searched to its end: a 32-bit size cannot tell every
    // file's length, and the file itself can.
    (void)fileSize;
    SearchRequest request;
    request.fileName = fileName;
    return search(request, caseCode, word1, code1, word2, code2, word3, code3, word4, smartSearch,
                  contextWords, allHits, resultBuffer, nearbyWords);
}

extern "C" TYX12_API uint32_t tyx12SearchOpenFile(int openFile, int32_t caseCode, char* word1,
                                                  int32_t code1, char* word2, int32_t code2,
                                                  char* word3, int32_t code3, char* word4,
                                                  int32_t smartSearch, int32_t contextWords,
                                                  int32_t allHits, char* resultBuffer,
                                                  int32_t nearbyWords) {
    if (openFile < 0) return 0;
    SearchRequest request;
    request.openFile = openFile;
    return search(request, caseCode, word1, code1, word2, code2, word3, code3, word4, smartSearch,
                  contextWords, allHits, resultBuffer, nearbyWords);
}

extern "C" TYX12_API uint32_t tyx12SearchHeld(int openFile, const char* held, uint64_t heldLength,
                                              int32_t caseCode, char* word1, int32_t code1, char* word2,
                                              int32_t code2, char* word3, int32_t code3, char* word4,
                                              int32_t smartSearch, int32_t contextWords, int32_t allHits,
                                              char* resultBuffer, int32_t nearbyWords) {
    if (!held) return 0;
    SearchRequest request;
    request.openFile = openFile < 0 ? -1 : openFile;
    request.held = reinterpret_cast<const unsigned char*>(held);
    request.heldLength = static_cast<std::size_t>(heldLength);
    return search(request, caseCode, word1, code1, word2, code2, word3, code3, word4, smartSearch,
                  contextWords, allHits, resultBuffer, nearbyWords);
}

extern "C" TYX12_API uint32_t tyx12SearchGrowing(tyx12MoreText more, void* context, int32_t caseCode,
                                                 char* word1, int32_t code1, char* word2, int32_t code2,
                                                 char* word3, int32_t code3, char* word4, int32_t smartSearch,
                                                 int32_t contextWords, int32_t allHits, char* resultBuffer,
                                                 int32_t nearbyWords) {
    if (!more) return 0;
    SearchRequest request;
    request.growing = {more, context};
    return search(request, caseCode, word1, code1, word2, code2, word3, code3, word4, smartSearch,
                  contextWords, allHits, resultBuffer, nearbyWords);
}

extern "C" TYX12_API int32_t tyx12SearchHitWords(int openFile, const char* held, uint64_t heldLength,
                                                 int32_t caseCode, char* word1, int32_t code1, char* word2,
                                                 int32_t code2, char* word3, int32_t code3, char* word4,
                                                 int32_t smartSearch, int32_t contextWords, int32_t nearbyWords,
                                                 tyx12HitWord hit, void* context) {
    if (!hit || (!held && openFile < 0)) return 0;
    SearchRequest request;
    request.openFile = openFile;
    request.held = reinterpret_cast<const unsigned char*>(held);
    request.heldLength = held ? static_cast<std::size_t>(heldLength) : 0;
    setQuery(request, caseCode, word1, code1, word2, code2, word3, code3, word4, smartSearch, contextWords, 1,
             nearbyWords);
    try {
        return findHitWordPlaces(request, [hit, context](std::size_t start, std::size_t length) {
                   return hit(context, start, length) != 0;
               })
                   ? 1
                   : 0;
    } catch (...) {
        return 0;
    }
}

namespace {

// The query of four words as the index sees them: folded, whatever the case
// rule, since the index keeps its words folded.
Query indexQuery(const char* word1, int32_t code1, const char* word2, int32_t code2, const char* word3,
                 int32_t code3, const char* word4, std::array<std::string, kWordSlots>& copies) {
    const char* words[kWordSlots] = {word1, word2, word3, word4};
    std::array<char*, kWordSlots> buffers{};
    for (int i = 0; i < kWordSlots; ++i)
        if (words[i]) buffers[i] = (copies[i] = words[i]).data();
    return makeQuery(buffers, {code1, code2, code3}, true);
}

}  // namespace

extern "C" TYX12_API int32_t tyx12IndexTerms(const char* word1, int32_t code1, const char* word2, int32_t code2,
                                             const char* word3, int32_t code3, const char* word4,
                                             tyx12IndexTerm term, void* context) {
    try {
        std::array<std::string, kWordSlots> copies;
        const Query query = indexQuery(word1, code1, word2, code2, word3, code3, word4, copies);
        int32_t withTerms = 0;
        for (int i = 0; i < kWordSlots; ++i) {
            if (!query.slots[i].present) continue;
            const auto terms = indexTermsOf(query.slots[i].word);
            if (!terms) continue;
            withTerms |= 1 << i;
            for (const IndexTerm& each : *terms) {
                const std::string text = utf8Of(each.text);
                if (term && !term(context, i, static_cast<int32_t>(each.kind), text.data(), text.size()))
                    return withTerms;
            }
        }
        return withTerms;
    } catch (...) {
        return 0;
    }
}

extern "C" TYX12_API uint32_t tyx12SearchGatheringWords(
    int openFile, const char* held, uint64_t heldLength, tyx12MoreText more, void* moreContext, int32_t caseCode,
    char* word1, int32_t code1, char* word2, int32_t code2, char* word3, int32_t code3, char* word4,
    int32_t smartSearch, int32_t contextWords, int32_t allHits, char* resultBuffer, int32_t nearbyWords,
    tyx12TextWord word, void* wordContext, int32_t* whole) {
    if (whole) *whole = 0;
    if (!more && !held && openFile < 0) return 0;
    SearchRequest request;
    if (more) {
        request.growing = {more, moreContext};
    } else {
        request.openFile = openFile < 0 ? -1 : openFile;
        request.held = reinterpret_cast<const unsigned char*>(held);
        request.heldLength = held ? static_cast<std::size_t>(heldLength) : 0;
    }
    try {
        TextWords words;
        request.textWords = &words;
        const uint32_t length = search(request, caseCode, word1, code1, word2, code2, word3, code3, word4,
                                       smartSearch, contextWords, allHits, resultBuffer, nearbyWords);
        if (!words.complete() || threadReadError != 0) return length;
        bool wanted = true;
        words.forEach([&](bool reversed, std::string_view text) {
            wanted = !word || word(wordContext, reversed ? 1 : 0, text.data(), text.size()) != 0;
            return wanted;
        });
        if (whole && wanted) *whole = 1;
        return length;
    } catch (...) {
        return 0;
    }
}

extern "C" TYX12_API int32_t tyx12CouldMatch(const char* word1, int32_t code1, const char* word2, int32_t code2,
                                             const char* word3, int32_t code3, const char* word4, uint32_t mayHold) {
    try {
        std::array<std::string, kWordSlots> copies;
        const Query query = indexQuery(word1, code1, word2, code2, word3, code3, word4, copies);
        WordsFound may{};
        for (int i = 0; i < kWordSlots; ++i) may[i] = (mayHold >> i) & 1;
        return couldMatchGiven(query, may) ? 1 : 0;
    } catch (...) {
        return 1;  // unsure: the file is searched
    }
}

namespace {

// A view's answer across the C boundary: 1 when it was made, 0 otherwise.
template <class View>
int32_t viewAnswer(View view) {
    try {
        return view() ? 1 : 0;
    } catch (...) {
        return 0;
    }
}

const unsigned char* bytesOf(const char* text) { return reinterpret_cast<const unsigned char*>(text); }

}  // namespace

extern "C" TYX12_API int32_t tyx12ViewText(const char* text, uint64_t length, int32_t capacityBase,
                                           char* viewBuffer) {
    return viewAnswer([&] {
        return buildViewerText(bytesOf(text), static_cast<std::size_t>(length), capacityBase, viewBuffer);
    });
}

extern "C" TYX12_API int32_t stringView(const char* fileName, int32_t fileSize, char* viewBuffer) {
    return viewAnswer([&] { return buildViewerText(fileName, fileSize, viewBuffer); });
}

extern "C" TYX12_API int32_t tyx12ViewOpenFile(int openFile, tyx12ViewPiece piece, void* context) {
    // A file whose read failed part way was not read: the viewer says so.
    threadReadError = 0;
    return viewAnswer([&] { return streamViewerText(openFile, piece, context) && threadReadError == 0; });
}

extern "C" TYX12_API int32_t tyx12ViewHeldText(const char* text, uint64_t length, tyx12ViewPiece piece,
                                               void* context) {
    return viewAnswer([&] { return streamViewerText(bytesOf(text), static_cast<std::size_t>(length), piece, context); });
}

extern "C" TYX12_API int32_t tyx12LastReadError(void) { return threadReadError; }
