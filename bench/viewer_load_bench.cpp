// How long the quick viewer takes to show the first screen of a large file
// and the whole of it, how long the window goes without a turn of its event
// loop meanwhile, how much memory it takes, whether Next reaches the file's
// end, and how fast Stop ends the load.
//
//   viewer_load_bench [MEGABYTES]      (default 50; runs offscreen)
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <functional>
#include <string>

#include "platform/engine_access.h"
#include "scripted_services.h"
#include "window/qt/main_window.h"
#include "window/qt/criteria_view.h"
#include "run/qt/result_view.h"
#include "shell/qt/program_shell.h"
#include "window/qt/services.h"
#include "temp_dir.h"
#include "platform/qt/marked_text_view.h"
#include "viewer/qt/quick_viewer.h"
#include "viewer/qt/quick_viewer_window.h"

using namespace tessaly;

namespace {

// A memory figure of the process from /proc, in bytes: "VmHWM:" the most it
// has held, "VmRSS:" what it holds now.
double memory(const char* field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field, 0) == 0) return std::stod(line.substr(6)) * 1024;
    return 0;
}
double peakMemory() { return memory("VmHWM:"); }

// Written a line at a time: a copy of the whole file in this process would
// count as the viewer's memory.
std::string writeLargeFile(const test::TempDir& folder, long megabytes) {
    const std::string path = (folder.path() / "large.txt").string();
    std::ofstream out(path, std::ios::binary);
    const std::uint64_t wanted = static_cast<std::uint64_t>(megabytes) << 20;
    std::uint64_t written = 0;
    for (long line = 0; written < wanted; ++line) {
        std::string text = "Line " + std::to_string(line) + " of a long report about nothing in particular";
        // Rare enough for all the hit lines to fit the engine's result.
        if (line % 20000 == 0) text += ", with the invoice";
        text += "\r\n";
        out << text;
        written += text.size();
    }
    return path;
}

// Notes when the viewer first paints some of the file.
class FirstScreen : public QObject {
public:
    FirstScreen(MarkedTextView& view, QElapsedTimer& clock) : view_(view), clock_(clock) {
        view.viewport()->installEventFilter(this);
    }
    double seconds = -1;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && seconds < 0 && !view_.text().empty())
            seconds = clock_.nsecsElapsed() / 1e9;
        return false;
    }

private:
    MarkedTextView& view_;
    QElapsedTimer& clock_;
};

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const long megabytes = argc > 1 ? std::atol(argv[1]) : 50;

    test::TempDir folder;
    const std::string path = writeLargeFile(folder, megabytes);
    const double fileSize = static_cast<double>(megabytes) * (1 << 20);

    test::TempDir data;
    test::ScriptedMessageBoxes boxes;
    test::ScriptedPrintAndSaveDialogs dialogs;
    test::ScriptedDesktop desktop;
    test::ScriptedProgramEnd end;
    Services services{systemFileSystem(), boxes, dialogs, desktop, end};
    ProgramShell shell(services, data.path().string(), {}, installedEngine(), 1);
    shell.load();
    shell.window().criteria().searchText[0]->setText(QStringLiteral("invoice"));
    shell.resultView().selectedFile().path = path;
    QuickViewerWindow& window = shell.quickViewer().window();
    MarkedTextView& view = *window.richView;

    struct Load {
        double seconds = 0;       // to the whole file, or from Stop to the end
        double firstScreen = -1;  // to the first paint with text
        double longestGapMs = 0;
    };
    // The longest time the window's thread goes without a turn of its event
    // loop while `work` runs.
    const auto longestGapMs = [](const std::function<void()>& work) {
        double longest = 0;
        QElapsedTimer sinceTurn;
        QTimer heartbeat;
        heartbeat.setInterval(1);
        QObject::connect(&heartbeat, &QTimer::timeout, [&] {
            if (sinceTurn.isValid()) longest = std::max(longest, sinceTurn.nsecsElapsed() / 1e6);
            sinceTurn.restart();
        });
        heartbeat.start();
        work();
        return longest;
    };
    // The viewer loads and steps beside the window: its event loop turns
    // until nothing is under way.
    const auto settle = [&] {
        while (!shell.quickViewer().idle()) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    };
    const auto load = [&](int stopAfterMs) {
        Load result;
        QElapsedTimer clock, sinceStop;
        FirstScreen firstScreen(view, clock);
        QTimer stopper;
        stopper.setSingleShot(true);
        QObject::connect(&stopper, &QTimer::timeout, [&] {
            sinceStop.start();
            window.viewStop->click();
        });
        if (stopAfterMs >= 0) stopper.start(stopAfterMs);
        clock.start();
        result.longestGapMs = longestGapMs([&] {
            shell.quickViewer().loadViewer();
            settle();
        });
        result.seconds = (sinceStop.isValid() ? sinceStop.nsecsElapsed() : clock.nsecsElapsed()) / 1e9;
        result.firstScreen = firstScreen.seconds;
        return result;
    };

    const double before = peakMemory();
    const Load whole = load(-1);
    const double peak = peakMemory();
    const auto characters = view.text().size();
    std::printf("%ld MB file, %zu characters shown, %zu hits marked\n", megabytes, characters,
                view.marks().size());
    std::printf("first screen        %8.2f s   (aim: 2 s)\n", whole.firstScreen);
    std::printf("whole file          %8.2f s   (aim: 30 s)\n", whole.seconds);
    std::printf("longest event gap   %8.1f ms  (aim: 50 ms)\n", whole.longestGapMs);
    std::printf("peak memory         %8.2f x the file (%.0f MB; %.0f MB before the load, the load "
                "itself %.2f x; aim: 3 x)\n",
                peak / fileSize, peak / (1 << 20), before / (1 << 20), (peak - before) / fileSize);

    // Next from near the end finds the hits there.
    view.setCaretOffset(static_cast<int>(characters * 0.99));
    QElapsedTimer nextClock;
    nextClock.start();
    shell.quickViewer().findNextHit();
    settle();
    std::printf("Next near the end   %8.1f ms, selected \"%s\" at %.4f of the text\n",
                nextClock.nsecsElapsed() / 1e6, view.selectedText().toUtf8().constData(),
                static_cast<double>(view.selectionStart()) / static_cast<double>(characters));

    // Next with no hit ahead reads the whole text before it says so.
    shell.window().criteria().searchText[0]->setText(QStringLiteral("zebra"));
    view.setCaretOffset(0);
    nextClock.restart();
    const double nextGap = longestGapMs([&] {
        shell.quickViewer().findNextHit();
        settle();
    });
    std::printf("Next without a hit  %8.1f ms (longest event gap %.1f ms)\n",
                nextClock.nsecsElapsed() / 1e6, nextGap);
    shell.window().criteria().searchText[0]->setText(QStringLiteral("invoice"));

    const Load stopped = load(static_cast<int>(whole.seconds * 300));
    std::printf("stop honoured in    %8.1f ms (longest event gap %.1f ms), %zu characters kept: %s\n",
                stopped.seconds * 1000, stopped.longestGapMs, view.text().size(),
                window.panels[0]->text().toUtf8().constData());

    shell.quickViewer().done();
    QApplication::processEvents();
    std::printf("held after Done     %8.0f MB (%.0f MB before the first load)\n", memory("VmRSS:") / (1 << 20),
                before / (1 << 20));
    return 0;
}
