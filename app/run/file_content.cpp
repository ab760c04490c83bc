#include "run/file_content.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <vector>

#include "documents/document_reader.h"

#include "run/file_filter.h"

namespace tessaly {

namespace {

// As much as the engine reads first: a small file is read whole at once.
constexpr std::size_t kStartBytes = 64 * 1024;
// Where a NUL makes a file binary, as grep and ripgrep look.
constexpr std::size_t kBinaryWindow = 8 * 1024;

// The engine lowers the words it is given and may overwrite one, so every
// call gets fresh copies, kept in the thread's own buffers; an empty word
// goes as a null pointer.
class WordCopies {
public:
    explicit WordCopies(const SearchWords& words) {
        thread_local std::array<std::vector<char>, 4> copies;
        for (std::size_t i = 0; i < words.size(); ++i) {
            if (words[i].empty()) continue;
            copies[i].assign(words[i].begin(), words[i].end());
            copies[i].push_back('\0');
            pointers_[i] = copies[i].data();
        }
    }
    char* operator[](std::size_t i) { return pointers_[i]; }

private:
    std::array<char*, 4> pointers_{};
};

// The engine writes at most TYX12_RESULT_MIN_CAPACITY bytes; one buffer per thread.
char* resultBuffer() {
    thread_local std::vector<char> result(TYX12_RESULT_MIN_CAPACITY, ' ');
    result[0] = '\0';
    return result.data();
}

SearchAnswer answerOf(std::uint32_t length, const char* result) {
    SearchAnswer answer;
    answer.length = length;
    if (length > 0 && length <= TYX12_RESULT_MAX_LENGTH) answer.lines.assign(result, length);
    return answer;
}

// The file's first bytes, in the thread's own buffer: one read, which a file
// answers short only at its end, so that asking again would cost a call per
// file just to hear that.
// Reads until the buffer is full or a read gives nothing: a file system that
// answers short (network, FUSE, /proc) has not ended when it does.
std::string_view readStart(int fd, int* error = nullptr) {
    thread_local std::vector<char> buffer(kStartBytes);
    std::size_t total = 0;
    while (total < kStartBytes) {
        const ssize_t got = ::read(fd, buffer.data() + total, kStartBytes - total);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 && errno != EAGAIN && error) *error = errno;
        if (got <= 0) break;
        total += static_cast<std::size_t>(got);
    }
    return {buffer.data(), total};
}

// A NUL near the start, except in UTF-16 text, where every other byte of
// plain English is one.
bool looksBinary(std::string_view start) {
    if (start.starts_with("\xFF\xFE") || start.starts_with("\xFE\xFF")) return false;
    return start.substr(0, kBinaryWindow).find('\0') != std::string_view::npos;
}

SearchAnswer searchHeld(const EngineCalls& engine, int fd, std::string_view held, const RunArguments& a,
                        const SearchWords& words) {
    WordCopies w(words);
    char* result = resultBuffer();
    return answerOf(engine.searchHeld(fd, held.data(), held.size(), a.caseCode, w[0], a.code1, w[1], a.code2,
                                      w[2], a.code3, w[3], a.smartSearch, a.contextWords, a.allHits, result,
                                      a.nearbyWords),
                    result);
}

// A document being read for the engine, and whether the run wants it to stop.
struct DocumentFeed {
    DocumentReader& reader;
    const std::atomic<bool>* stop;
};

// The document is read only as far as the engine asks: a word on its first
// page ends the reading there, and Stop ends the reader at once.
std::uint64_t moreDocumentText(void* context, const char** text) {
    auto& feed = *static_cast<DocumentFeed*>(context);
    feed.reader.readMore(feed.stop);
    *text = feed.reader.text().data();
    return feed.reader.text().size();
}

SearchAnswer searchDocument(const EngineCalls& engine, DocumentFeed& feed, const RunArguments& a,
                            const SearchWords& words) {
    if (!engine.searchGrowing) {
        while (feed.reader.readMore(feed.stop)) {
        }
        return searchHeld(engine, -1, feed.reader.text(), a, words);
    }
    WordCopies w(words);
    char* result = resultBuffer();
    return answerOf(engine.searchGrowing(&moreDocumentText, &feed, a.caseCode, w[0], a.code1, w[1], a.code2,
                                         w[2], a.code3, w[3], a.smartSearch, a.contextWords, a.allHits, result,
                                         a.nearbyWords),
                    result);
}

std::int32_t takeWord(void* context, std::int32_t reversed, const char* word, std::uint64_t length) {
    auto& gathered = *static_cast<GatheredWords*>(context);
    (reversed ? gathered.reversedWords : gathered.words).add({word, length});
    return 1;
}

// The search of held bytes (and the file beyond them) or of a document as it
// grows, reading all of it for its words.
SearchAnswer searchGathering(const EngineCalls& engine, int fd, std::string_view held, DocumentFeed* document,
                             const RunArguments& a, const SearchWords& words, GatheredWords& gathered) {
    WordCopies w(words);
    char* result = resultBuffer();
    std::int32_t whole = 0;
    const std::uint32_t length = engine.searchGatheringWords(
        document ? -1 : fd, document ? nullptr : held.data(), held.size(), document ? &moreDocumentText : nullptr,
        document, a.caseCode, w[0], a.code1, w[1], a.code2, w[2], a.code3, w[3], a.smartSearch, a.contextWords,
        a.allHits, result, a.nearbyWords, &takeWord, &gathered, &whole);
    gathered.whole = whole != 0;
    if (!gathered.whole) gathered = {};
    return answerOf(length, result);
}

// An engine without the entry for held bytes reads the file itself: by the
// open file where it can, else by its name.
SearchAnswer searchWhole(const EngineCalls& engine, int fd, const RunArguments& a, const SearchWords& words) {
    if (::lseek(fd, 0, SEEK_SET) != 0) return {};
    WordCopies w(words);
    char* result = resultBuffer();
    if (engine.searchOpenFile)
        return answerOf(engine.searchOpenFile(fd, a.caseCode, w[0], a.code1, w[1], a.code2, w[2], a.code3, w[3],
                                              a.smartSearch, a.contextWords, a.allHits, result, a.nearbyWords),
                        result);
    const std::string name = "/proc/self/fd/" + std::to_string(fd);
    return answerOf(engine.stringSearch(name.c_str(), 0, a.caseCode, w[0], a.code1, w[1], a.code2, w[2], a.code3,
                                        w[3], a.smartSearch, a.contextWords, a.allHits, result, a.nearbyWords),
                    result);
}

}  // namespace

ContentSearch searchOpenContent(const EngineCalls& engine, int fd, const SearchScope& scope,
                                const RunArguments& arguments, const SearchWords& words,
                                const std::atomic<bool>* stop, GatheredWords* gathered) {
    ContentSearch search;
    if (gathered && !engine.searchGatheringWords) gathered = nullptr;
    if (scope.largestFileSize > 0) {
        struct stat info;
        if (::fstat(fd, &info) == 0 && !sizeAdmits(static_cast<std::uint64_t>(info.st_size), scope.largestFileSize)) {
            search.leftOut = true;
            return search;
        }
    }
    if (!engine.searchHeld) {
        search.answer = searchWhole(engine, fd, arguments, words);
        if (engine.lastReadError) search.readError = engine.lastReadError();
        return search;
    }
    const std::string_view start = readStart(fd, &search.readError);
    if (search.readError) return search;
    // Kept words need to know a document read as its bytes too.
    const DocumentKind kind =
        scope.documentsAsText || gathered ? documentKindOf(start) : DocumentKind::none;
    if (kind != DocumentKind::none && scope.documentsAsText) {
        DocumentReader& reader = threadDocumentReader();
        reader.begin(fd, kind, documentLimitsOf(scope));
        DocumentFeed feed{reader, stop};
        search.answer = gathered ? searchGathering(engine, -1, {}, &feed, arguments, words, *gathered)
                                 : searchDocument(engine, feed, arguments, words);
        reader.finish();
        search.stopped = reader.stopped();
        // A word found before the text broke off is found all the same.
        if (search.answer.length == 0) search.problem = reader.problem();
        if (gathered && gathered->whole && reader.problem().empty() && !search.stopped) {
            gathered->readAs = ReadAs::document;
            gathered->documentText = std::string(reader.text());
        } else if (gathered) {
            *gathered = {};
        }
        return search;
    }
    // A document read as its bytes would be read otherwise with the other
    // choice: its words are not kept.
    if (kind != DocumentKind::none) gathered = nullptr;
    if (looksBinary(start)) {
        if (gathered) {
            *gathered = {};
            gathered->whole = true;
            gathered->readAs = ReadAs::binary;
        }
        if (!scope.binaryIncluded) {
            search.leftOut = true;
            return search;
        }
        // A binary file's "words" are mostly noise: they would fill the
        // index for nothing anyone searches.
        gathered = nullptr;
    }
    // A file that ended within the first read is all in memory already: the
    // engine reads it there, with no copy and no further call.
    const int rest = start.size() < kStartBytes ? -1 : fd;
    search.answer = gathered ? searchGathering(engine, rest, start, nullptr, arguments, words, *gathered)
                             : searchHeld(engine, rest, start, arguments, words);
    if (engine.lastReadError) search.readError = engine.lastReadError();
    if (gathered && search.readError) *gathered = {};
    return search;
}

SearchAnswer searchText(const EngineCalls& engine, std::string_view text, const RunArguments& arguments,
                        const SearchWords& words) {
    if (!engine.searchHeld) return {};
    return searchHeld(engine, -1, text, arguments, words);
}

namespace {

struct HitWordCollection {
    std::vector<TextSpan> places;
    const std::atomic<bool>* stop;
};

std::int32_t takeHitWord(void* context, std::uint64_t start, std::uint64_t length) {
    auto& collection = *static_cast<HitWordCollection*>(context);
    if (collection.stop && collection.stop->load()) return 0;
    collection.places.push_back({static_cast<std::size_t>(start), static_cast<std::size_t>(length)});
    return 1;
}

}  // namespace

std::optional<std::vector<TextSpan>> hitWordsOf(const EngineCalls& engine, int fd, std::string_view text,
                                                const RunArguments& a, const SearchWords& words,
                                                const std::atomic<bool>* stop) {
    if (!engine.searchHitWords) return std::nullopt;
    if (fd < 0 && text.empty()) return std::vector<TextSpan>{};
    WordCopies w(words);
    HitWordCollection collection{{}, stop};
    const bool searched =
        engine.searchHitWords(fd, fd < 0 ? text.data() : nullptr, text.size(), a.caseCode, w[0], a.code1, w[1],
                              a.code2, w[2], a.code3, w[3], a.smartSearch, a.contextWords, a.nearbyWords,
                              &takeHitWord, &collection) != 0;
    if (!searched || (stop && stop->load())) return std::nullopt;
    return std::move(collection.places);
}

int openToRead(const std::string& path) {
    // Non-blocking, so that a FIFO put where a file stood cannot hang the search.
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
}

DocumentLimits documentLimitsOf(const SearchScope& scope) {
    DocumentLimits limits;
    limits.cpuSeconds = scope.documentSecondsLimit;
    return limits;
}

std::optional<DocumentText> documentTextOf(const std::string& path, const SearchScope& scope,
                                           const std::atomic<bool>* stop) {
    const int fd = openToRead(path);
    if (fd < 0) return std::nullopt;
    const DocumentKind kind = documentKindOf(readStart(fd));
    std::optional<DocumentText> document;
    if (kind != DocumentKind::none) document = readDocument(fd, kind, documentLimitsOf(scope), stop);
    ::close(fd);
    return document;
}

SearchScope chosenFileScope(const SearchScope& runScope) {
    SearchScope scope;
    scope.documentsAsText = runScope.documentsAsText;
    scope.binaryIncluded = true;
    return scope;
}

}  // namespace tessaly
