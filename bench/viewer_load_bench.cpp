// How long the quick viewer takes to open a large file, how long the window
// goes without a turn of its event loop meanwhile, and how fast Stop ends
// the load.
//
//   viewer_load_bench [MEGABYTES]      (default 50; runs offscreen)
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <string>

#include "platform/engine_access.h"
#include "platform/qt/qt_event_pump.h"
#include "platform/qt/rich_text_box.h"
#include "scripted_services.h"
#include "window/qt/main_window.h"
#include "shell/qt/program_shell.h"
#include "window/qt/services.h"
#include "temp_dir.h"
#include "viewer/qt/quick_viewer.h"
#include "viewer/qt/quick_viewer_window.h"

using namespace tessaly;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const long megabytes = argc > 1 ? std::atol(argv[1]) : 50;

    test::TempDir folder;
    std::string text;
    text.reserve(static_cast<std::size_t>(megabytes) << 20);
    for (long line = 0; text.size() < static_cast<std::size_t>(megabytes) << 20; ++line) {
        text += "Line " + std::to_string(line) + " of a long report about nothing in particular";
        if (line % 500 == 0) text += ", with the invoice";
        text += "\r\n";
    }
    const std::string path = folder.write("large.txt", text);

    test::TempDir data;
    test::ScriptedMessageBoxes boxes;
    test::ScriptedPrintAndSaveDialogs dialogs;
    test::ScriptedDesktop desktop;
    QtEventPump pump;
    test::ScriptedProgramEnd end;
    Services services{systemFileSystem(), boxes, dialogs, desktop, pump, end};
    ProgramShell shell(services, data.path().string(), {}, installedEngine(), 1);
    shell.load();
    shell.window().searchText[0]->setText(QStringLiteral("invoice"));
    shell.window().state.selectedFile = path;

    const auto load = [&](int stopAfterMs, double& longestGapMs) {
        longestGapMs = 0;
        QElapsedTimer sinceTurn;
        QTimer heartbeat;
        heartbeat.setInterval(1);
        QObject::connect(&heartbeat, &QTimer::timeout, [&] {
            if (sinceTurn.isValid())
                longestGapMs = std::max(longestGapMs, sinceTurn.nsecsElapsed() / 1e6);
            sinceTurn.restart();
        });
        QElapsedTimer clock, sinceStop;
        QTimer stopper;
        stopper.setSingleShot(true);
        QObject::connect(&stopper, &QTimer::timeout, [&] {
            sinceStop.start();
            shell.quickViewer().window().viewStop->click();
        });
        heartbeat.start();
        if (stopAfterMs >= 0) stopper.start(stopAfterMs);
        clock.start();
        shell.quickViewer().loadViewer();
        heartbeat.stop();
        return (sinceStop.isValid() ? sinceStop.nsecsElapsed() : clock.nsecsElapsed()) / 1e9;
    };

    double gap = 0;
    const double seconds = load(-1, gap);
    const int characters = static_cast<int>(shell.quickViewer().window().richView->plainText().size());
    std::printf("%ld MB file: loaded in %.2f s, %d characters shown\n", megabytes, seconds, characters);
    std::printf("longest event gap   %8.1f ms\n", gap);
    double stopGap = 0;
    const double stop = load(static_cast<int>(seconds * 300), stopGap);
    std::printf("stop honoured in    %8.1f ms\n", stop * 1000);
    return 0;
}
