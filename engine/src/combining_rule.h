// Decides from the mere presence of each word whether a file matches.
#pragma once

#include "query.h"
#include "text_view.h"

namespace tyx12::detail {

// May overwrite AND-group words with the excluded-word marker, in the caller's
// buffers, when an OR word alone carries the match.
bool applyCombiningRule(Query& query, TextView searched);

}  // namespace tyx12::detail
