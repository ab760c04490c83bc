// How a term travels out of the FTS5 tables: as a query FTS5 understands
// (indexed_words.h gives the way in).
#pragma once

#include <optional>
#include <string>

#include "index/index_term.h"

namespace tessaly {

// The MATCH expression for a term, or nothing when the index cannot answer
// for it: an empty term, or one holding an ASCII character other than a
// letter or digit, which the tokenizer would split the term at (a stored word
// holding one is kept as its parts, so only the parts can be asked for).
std::optional<std::string> ftsQuery(const IndexTerm& term);

}  // namespace tessaly
