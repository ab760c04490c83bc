// The Quick Viewer and the single-file view answer beside the window: a test
// lets the window's event loop run until they have nothing under way.
#pragma once

#include <QCoreApplication>
#include <QTest>

namespace tessaly::test {

// `view`: the QuickViewer or the SingleFileView.
template <typename View>
bool waitUntilIdle(const View& view) {
    const bool idle = QTest::qWaitFor([&] { return view.idle(); }, 30'000);
    // What the last step posted for itself (a repaint, a selection).
    QCoreApplication::processEvents();
    return idle;
}

template <typename View>
bool waitForViewer(const View& viewer) { return waitUntilIdle(viewer); }
template <typename View>
bool waitForSingleFileView(const View& view) { return waitUntilIdle(view); }

}  // namespace tessaly::test
