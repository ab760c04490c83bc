// What a file gives the engine: its bytes as they are, or for a document
// (PDF, OpenDocument, Office, EPUB) the text it shows. The first read of the
// file is also the look at its content: the engine goes on from it and never
// reads those bytes again, so telling text, documents and binary files apart
// costs no extra read.
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "criteria/run_arguments.h"
#include "criteria/search_scope.h"
#include "documents/document_reader.h"
#include "documents/document_text.h"
#include "index/indexed_file.h"
#include "index/indexed_words.h"
#include "platform/engine_loader.h"
#include "platform/text_span.h"

namespace tessaly {

struct SearchAnswer {
    std::uint32_t length = 0;  // the engine's result length
    std::string lines;         // its result text when it fitted
};

struct ContentSearch {
    SearchAnswer answer;
    // Not searched, by the scope's choice (a binary file, a file too large):
    // neither a match nor a failure.
    bool leftOut = false;
    // Not empty: a document whose text could not be read, and why.
    std::string problem;
    // Stop came while a document was being read: the answer is not whole.
    bool stopped = false;
    // The errno of a read that failed part way: the file was not searched.
    int readError = 0;
};

// The words of a file the search read whole, for the word index.
struct GatheredWords {
    // False when the file was not read whole (or is not kept: a document
    // read as its bytes); the rest is then empty. A binary file is kept
    // without its words.
    bool whole = false;
    ReadAs readAs = ReadAs::text;
    IndexedWords words;
    IndexedWords reversedWords;
    std::optional<std::string> documentText;
};

// Searches the file open on `fd`, read from its first byte. The descriptor
// stays the caller's. `stop`, when given and set, ends the reading of a
// document at once. With `gathered`, the whole file is read, whatever the
// answer, and its words are gathered there.
ContentSearch searchOpenContent(const EngineCalls& engine, int fd, const SearchScope& scope,
                                const RunArguments& arguments, const SearchWords& words,
                                const std::atomic<bool>* stop = nullptr, GatheredWords* gathered = nullptr);

// A text the caller holds, such as a document's, searched as a file is.
SearchAnswer searchText(const EngineCalls& engine, std::string_view text, const RunArguments& arguments,
                        const SearchWords& words);

// Where the engine finds the hit words of the file open on `fd` (read from
// its first byte) or, with `fd` -1, of `text`: in characters of the text a
// viewer shows of the same input, in order. Nothing from an engine that
// cannot tell, or when the input could not be read to its end; `stop`, once
// set, ends the search with nothing.
std::optional<std::vector<TextSpan>> hitWordsOf(const EngineCalls& engine, int fd, std::string_view text,
                                                const RunArguments& arguments, const SearchWords& words,
                                                const std::atomic<bool>* stop = nullptr);

// Opens a file to search or view it by its name; -1 with errno when it cannot.
int openToRead(const std::string& path);

// How long a document may take to read, and so on, as the scope says.
DocumentLimits documentLimitsOf(const SearchScope& scope);

// The text of the document at `path`, read within the scope's limits;
// nothing for a file that is not a document or cannot be opened.
std::optional<DocumentText> documentTextOf(const std::string& path, const SearchScope& scope,
                                           const std::atomic<bool>* stop = nullptr);

// A file the person picked is searched whatever it holds or however large:
// only whether documents are read as text carries over from the run's scope.
SearchScope chosenFileScope(const SearchScope& runScope);

}  // namespace tessaly
