// Start's click, then the window's event loop until the run has ended: the
// run goes on a thread of its own, and its results arrive as events.
#pragma once

#include <QCoreApplication>
#include <QPushButton>

#include "run/qt/search_run.h"
#include "window/qt/main_window.h"
#include "shell/qt/program_shell.h"

namespace tessaly::test {

inline void startSearch(ProgramShell& shell) {
    shell.window().searchNow->click();
    while (shell.searchRun().running()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
}

}  // namespace tessaly::test
