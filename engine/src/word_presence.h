// Which of the present words a file's text holds anywhere: the combining
// rule's question. The text is read no further than the answer needs.
#pragma once

#include "combining_rule.h"
#include "file_text.h"
#include "query.h"

namespace tyx12::detail {

// `mayHold` says which words may be in the text at all and `known` which are
// known to be (both from the raw bytes); only the rest are looked for.
WordsFound findPresentWords(const Query& query, const WordsFound& mayHold, const WordsFound& known,
                            FileText& text);

}  // namespace tyx12::detail
