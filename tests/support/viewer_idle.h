// The Quick Viewer and the single-file view answer beside the window: a test
// lets the window's event loop run until they have nothing under way.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

namespace tessaly::test {

// `view`: the QuickViewer or the SingleFileView.
template <typename View>
bool waitUntilIdle(const View& view, int timeoutMs = 30000) {
    QElapsedTimer clock;
    clock.start();
    while (!view.idle() && clock.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    // What the last step posted for itself (a repaint, a selection).
    QCoreApplication::processEvents();
    return view.idle();
}

template <typename View>
bool waitForViewer(const View& viewer) { return waitUntilIdle(viewer); }
template <typename View>
bool waitForSingleFileView(const View& view) { return waitUntilIdle(view); }

}  // namespace tessaly::test
