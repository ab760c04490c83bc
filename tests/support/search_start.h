// Start's click, then the window's event loop until the run has ended: the
// run goes on a thread of its own, and its results arrive as events.
#pragma once

#include <QEventLoop>
#include <QPushButton>

#include "run/qt/search_run.h"
#include "shell/qt/program_shell.h"
#include "window/qt/main_window.h"
#include "window/qt/command_row.h"

namespace tessaly::test {

inline void startSearch(ProgramShell& shell) {
    QEventLoop untilEnded;
    QObject::connect(&shell.searchRun(), &SearchRun::finished, &untilEnded, &QEventLoop::quit);
    shell.window().commands().searchNow->click();
    if (shell.searchRun().running()) untilEnded.exec();
}

}  // namespace tessaly::test
