// The search run in the window against the command line on the same folders:
// how much the window costs, how fast Stop is honoured, and how long the
// event loop may go without a turn during a run.
//
//   gui_run_bench WORD FOLDER...      (runs offscreen; RUNS=n repeats, default 3;
//                                     THREADS=n threads, default one per core)
//
// The window run uses Name and Text display, 10 surrounding words and one hit
// per file (the defaults); `tessaly -f rtf` is timed with the same options
// and the same number of threads.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "platform/engine_access.h"
#include "run/qt/search_run.h"
#include "scripted_services.h"
#include "window/qt/main_window.h"
#include "window/qt/command_row.h"
#include "window/qt/criteria_view.h"
#include "window/qt/status_row.h"
#include "shell/qt/program_shell.h"
#include "window/qt/services.h"
#include "search_start.h"
#include "temp_dir.h"

using namespace tessaly;

namespace {

// THREADS=n compares both with n threads; the default is the program's own.
int benchThreads() {
    const int asked = qEnvironmentVariableIntValue("THREADS");
    return asked > 0 ? asked : SearchRun::defaultThreads();
}

struct WindowRun {
    double seconds = 0;
    double longestGapMs = 0;  // between two turns of the event loop
    double windowThreadSeconds = 0;  // processor time of the window's thread
    int found = 0;
    bool stoppedBeforeEnd = false;
};

class Bench {
public:
    Bench(QString word, QStringList folders)
        : word_(std::move(word)),
          folders_(std::move(folders)),
          services_{systemFileSystem(), boxes_, dialogs_, desktop_, end_},
          shell_(services_, data_.path().string(), {}, installedEngine(), benchThreads()) {
        shell_.load();
        MainWindow& w = shell_.window();
        for (const QString& folder : folders_) w.criteria().listCategory->addItem(folder);
    }

    // A whole run; with `stopAfterMs` Stop is pressed that long after Start,
    // and the result is the time from Stop to the end of the run.
    WindowRun run(int stopAfterMs = -1) {
        MainWindow& w = shell_.window();
        if (w.commands().searchConfig->isEnabled()) w.commands().searchConfig->click();
        w.criteria().searchText[0]->setText(word_);

        WindowRun result;
        QElapsedTimer sinceTurn;
        QTimer heartbeat;
        heartbeat.setInterval(1);
        QObject::connect(&heartbeat, &QTimer::timeout, [&] {
            if (sinceTurn.isValid())
                result.longestGapMs = std::max(result.longestGapMs, sinceTurn.nsecsElapsed() / 1e6);
            sinceTurn.restart();
        });
        QElapsedTimer clock;
        QElapsedTimer sinceStop;
        QTimer stopper;
        stopper.setSingleShot(true);
        QObject::connect(&stopper, &QTimer::timeout, [&] {
            sinceStop.start();
            w.commands().searchStop->click();
        });
        heartbeat.start();
        if (stopAfterMs >= 0) stopper.start(stopAfterMs);
        clock.start();
        const double busyBefore = threadSeconds();
        test::startSearch(shell_);
        result.windowThreadSeconds = threadSeconds() - busyBefore;
        result.stoppedBeforeEnd = sinceStop.isValid();
        result.seconds = (sinceStop.isValid() ? sinceStop.nsecsElapsed() : clock.nsecsElapsed()) / 1e9;
        heartbeat.stop();
        result.found = w.status().totalNumber->text().trimmed().toInt();
        return result;
    }

private:
    static double threadSeconds() {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return now.tv_sec + now.tv_nsec / 1e9;
    }

    QString word_;
    QStringList folders_;
    test::TempDir data_;
    test::ScriptedMessageBoxes boxes_;
    test::ScriptedPrintAndSaveDialogs dialogs_;
    test::ScriptedDesktop desktop_;
    test::ScriptedProgramEnd end_;
    Services services_;
    ProgramShell shell_;
};

double commandLineSeconds(const QString& word, const QStringList& folders) {
    QStringList arguments{QStringLiteral("-f"), QStringLiteral("rtf"), QStringLiteral("-o"),
                          QStringLiteral("/dev/null"), QStringLiteral("-j"),
                          QString::number(benchThreads())};
    for (const QString& folder : folders) arguments << QStringLiteral("-d") << folder;
    arguments << word;
    QProcess tessaly;
    QElapsedTimer clock;
    clock.start();
    tessaly.start(QCoreApplication::applicationDirPath() + QStringLiteral("/tessaly"), arguments);
    tessaly.waitForFinished(-1);
    return clock.nsecsElapsed() / 1e9;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: gui_run_bench WORD FOLDER...\n");
        return 2;
    }
    const QString word = QString::fromLocal8Bit(argv[1]);
    QStringList folders;
    for (int i = 2; i < argc; ++i) folders << QString::fromLocal8Bit(argv[i]);
    const int runs = std::max(1, qEnvironmentVariableIntValue("RUNS") ? qEnvironmentVariableIntValue("RUNS") : 3);

    Bench bench(word, folders);
    bench.run();  // warm the cache and the engine
    commandLineSeconds(word, folders);

    std::vector<double> window, commandLine, stops, windowThread;
    double longestGap = 0;
    int found = 0;
    for (int i = 0; i < runs; ++i) {
        const WindowRun run = bench.run();
        window.push_back(run.seconds);
        windowThread.push_back(run.windowThreadSeconds);
        longestGap = std::max(longestGap, run.longestGapMs);
        found = run.found;
        commandLine.push_back(commandLineSeconds(word, folders));
        // Stop in the middle of a run; a run that ended first tells nothing.
        const WindowRun stopped = bench.run(static_cast<int>(run.seconds * 400));
        if (stopped.stoppedBeforeEnd) stops.push_back(stopped.seconds);
    }
    const double windowTime = median(window);
    const double commandTime = median(commandLine);
    std::printf("threads %d, %d files found, median of %d runs\n", benchThreads(),
                found, runs);
    std::printf("window run          %8.3f s\n", windowTime);
    std::printf("  of it the window's thread busy %5.3f s\n", median(windowThread));
    std::printf("tessaly -f rtf      %8.3f s\n", commandTime);
    std::printf("ratio window/cli    %8.2f   (aim: at most 1.2)\n", windowTime / commandTime);
    if (!stops.empty())
        std::printf("stop honoured in    %8.1f ms (median; aim: 100 ms)\n", median(stops) * 1000);
    std::printf("longest event gap   %8.1f ms (aim: at most 50 ms)\n", longestGap);
    return 0;
}
