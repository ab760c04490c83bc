// The left-out folder patterns as one line of text, the way the options panel
// shows them and the scope settings file keeps them: patterns separated by
// ";", so that a folder name with a space in it ("Old Mail") is one pattern.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

// Each pattern trimmed of blanks; empty ones dropped.
std::vector<std::string> splitFolderPatterns(std::string_view text);

// "a; b; c": read back by splitFolderPatterns as the same list, as long as
// no pattern holds a ";" (none that it gave does).
std::string joinFolderPatterns(const std::vector<std::string>& patterns);

}  // namespace tessaly
