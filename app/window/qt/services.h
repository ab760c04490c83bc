// What the windows are given to talk to the person, the desktop and the disk.
// The program passes the real ones; GUI tests pass scripted doubles.
#pragma once

#include "platform/file_system.h"
#include "platform/qt/desktop.h"
#include "platform/qt/message_boxes.h"
#include "platform/qt/print_and_save_dialogs.h"
#include "platform/qt/program_end.h"

namespace tessaly {

struct Services {
    FileSystem& files;
    MessageBoxes& boxes;
    PrintAndSaveDialogs& dialogs;
    Desktop& desktop;
    ProgramEnd& end;
};

}  // namespace tessaly
