// A main window over a fresh data folder, with every service scripted: GUI
// tests build one, drive its controls and answer its message boxes.
#pragma once

#include <QCoreApplication>
#include <memory>
#include <string>

#include "platform/file_system.h"
#include "scripted_program_services.h"
#include "window/qt/main_window.h"
#include "temp_dir.h"

namespace tessaly::test {

struct WindowFixture : ScriptedProgramServices {
    explicit WindowFixture(FileSystem& fileSystem = systemFileSystem())
        : ScriptedProgramServices(fileSystem),
          files(fileSystem),
          window(std::make_unique<MainWindow>(files)) {}

    // The data folder, ending in "/".
    std::string dataFolder() const { return data.path().string() + "/"; }
    std::string dataFile(const std::string& name) const { return dataFolder() + name; }

    // Lets queued events (focus changes, deferred layouts) happen.
    static void settle() { QCoreApplication::processEvents(); }

    TempDir data;
    FileSystem& files;
    std::unique_ptr<MainWindow> window;
};

}  // namespace tessaly::test
