// Every service of the windowed program answered by script, bundled the way
// the program bundles its real ones.
#pragma once

#include "platform/file_system.h"
#include "scripted_services.h"
#include "window/qt/services.h"

namespace tessaly::test {

struct ScriptedProgramServices {
    explicit ScriptedProgramServices(FileSystem& fileSystem = systemFileSystem())
        : services{fileSystem, boxes, dialogs, desktop, end} {}

    ScriptedMessageBoxes boxes;
    ScriptedPrintAndSaveDialogs dialogs;
    ScriptedDesktop desktop;
    ScriptedProgramEnd end;
    Services services;
};

}  // namespace tessaly::test
