// What a found file carries when it is dragged out of the window: its
// file:// URL, which a file manager copies or links and an editor opens,
// and its path as text, for a terminal or a text field.
#pragma once

#include <QMimeData>
#include <string>
#include <vector>

namespace tessaly {

// Null without paths. Paths are in the file system's bytes; the caller owns
// the data until it hands it to a drag.
QMimeData* fileDragData(const std::vector<std::string>& paths);

}  // namespace tessaly
