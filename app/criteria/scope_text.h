// The text of the scope settings file, tysetup.ini: "key=value" lines under a
// "[Scope]" header, each written with CR LF (LF alone is read as well).
//
//     [Scope]
//     leftOutFolders=.git; node_modules; build*
//     hiddenIncluded=false
//     binaryIncluded=false
//     largestFileSize=10M
//     documentsAsText=true
//
// A person may edit it by hand, so the reader is forgiving where that costs
// nothing (blanks around keys and values, yes/no and 1/0 for true/false, K, M
// and G after a size, other sections and ";" or "#" comment lines) and says
// what it could not read rather than guessing.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "criteria/search_scope.h"

namespace tessaly {

inline constexpr std::string_view scopeSectionName = "Scope";

struct DecodedScope {
    // Every value not read stays at its default.
    SearchScope scope;
    // The keys whose values could not be read, and the lines of the section
    // that are no "key=value" line, in file order.
    std::vector<std::string> unreadable;
};

// A key of the section that is not the program's is passed over without a
// word: a later version may have written it.
DecodedScope decodeScope(std::string_view bytes);

std::string encodeScope(const SearchScope& scope);

}  // namespace tessaly
