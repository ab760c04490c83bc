// How words travel into and out of the FTS5 tables: a file's words as the
// one text FTS5 splits again, and a term as a query FTS5 understands.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "index/index_term.h"

namespace tessaly {

// The words in their indexed form, separated by blanks. `count` receives
// how many words that is.
std::string ftsDocument(const std::vector<std::string>& words, std::size_t& count);

// The MATCH expression for a term, or nothing when the index cannot answer
// for it: an empty term, or one holding an ASCII character other than a
// letter or digit, which the tokenizer would split the term at (a stored word
// holding one is kept as its parts, so only the parts can be asked for).
std::optional<std::string> ftsQuery(const IndexTerm& term);

}  // namespace tessaly
