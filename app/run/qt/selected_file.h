// The result file the viewer and Detail act on. A click on a file of the
// result tree chooses it, and so do the result pane's caret when the viewer
// opens and the viewer's Jump; a click on the result tabs empties it. The
// result view holds it; the single-file view and the viewer are given it.
#pragma once

#include <string>

namespace tessaly {

struct SelectedFile {
    std::string path;  // empty: none
};

}  // namespace tessaly
