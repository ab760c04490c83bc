// Opening a file in the application the desktop associates with it: the one
// way every command of the program opens a file, so that none of them can
// start a program the person only found.
#pragma once

#include <functional>
#include <string>

#include "platform/error_codes.h"

namespace tessaly {

struct Services;

// A document goes to the desktop as the file:// URL of its bytes. A program
// is not started: the person is told so and offered the Quick Viewer
// (`showInViewer`, where given) or the folder that holds it. A file that
// cannot be read is not opened either, and the person is told why.
// Returns the desktop's failure to open a document, which the caller may
// pass over in silence; everything else has been said already.
Failure openInApplication(Services& services, const std::string& path,
                          const std::function<void()>& showInViewer = {});

// The folder that holds the file, in the desktop's file manager; the
// desktop's failure is returned as above.
Failure openFolderOf(Services& services, const std::string& path);
// The folder itself, likewise.
Failure openFolder(Services& services, const std::string& folder);

}  // namespace tessaly
