// Where the word index lives when no other folder is named:
// $XDG_CACHE_HOME/tessaly, by default ~/.cache/tessaly. It is a cache: the
// system or the person may empty the folder at any time, at no cost but speed.
#pragma once

#include <string>

namespace tessaly {

// In the file system's bytes, without a final "/"; empty when neither
// XDG_CACHE_HOME nor HOME names an absolute folder.
std::string wordIndexFolder();

}  // namespace tessaly
