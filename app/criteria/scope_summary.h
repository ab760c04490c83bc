// The scope in the few words the main view's option summary has room for.
#pragma once

#include <string>

#include "criteria/search_scope.h"

namespace tessaly {

// "Usual Files" for the defaults; otherwise what differs from them, in Title
// Case as the summary's other values: "Hidden, Up to 10 MB, 2 Folders Left Out".
std::string scopeSummary(const SearchScope& scope);

// The summary's tool tip: every setting, the left-out patterns named.
std::string scopeDescription(const SearchScope& scope);

}  // namespace tessaly
