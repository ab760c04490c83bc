// The folder where the person's Categories, saved words and options live when
// no other is named: $XDG_DATA_HOME/tessaly, by default ~/.local/share/tessaly.
// Both programs look here, so that the command line finds the window's Categories.
#pragma once

#include <string>

namespace tessaly {

// In the file system's bytes, without a final "/"; empty when neither
// XDG_DATA_HOME nor HOME names an absolute folder.
std::string personalDataFolder();

}  // namespace tessaly
