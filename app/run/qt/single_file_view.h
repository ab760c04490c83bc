// The single-file view beside the result tree: a click on a file node
// searches that file again with the last run's arguments and shows its hits
// under a heading with the file's date and size; a double click into the
// view opens the file in its own application.
#pragma once

#include <QObject>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/qt/background_work.h"

class QTreeWidgetItem;

#include "run/qt/selected_file.h"

namespace tessaly {

class MainWindow;
class EngineAccess;
struct RunArguments;
struct EngineCalls;
struct Services;

class SingleFileView : public QObject {
    Q_OBJECT

public:
    // `arguments` are the engine's arguments of the last run, as the run
    // keeps them; a click on a file node makes it `selected`.
    SingleFileView(MainWindow& window, Services& services, EngineAccess& engine, const RunArguments& arguments,
                   SelectedFile& selected);
    ~SingleFileView() override;

    void nodeClicked(QTreeWidgetItem* node);
    void doubleClicked();
    // No click is still being answered.
    bool idle() const { return searching_ == 0; }

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The earlier click's search is no longer wanted: its document reading
    // ends at once. Returns the stop of the click to come.
    std::shared_ptr<std::atomic<bool>> stopEarlierClick();

    MainWindow& window_;
    Services& services_;
    SelectedFile& selected_;
    EngineAccess& engine_;
    const RunArguments& arguments_;
    std::uint64_t clicks_ = 0;
    int searching_ = 0;
    std::shared_ptr<std::atomic<bool>> clickStop_;
    // Last, so that searches still under way end before what they report to.
    BackgroundWork work_;
};

}  // namespace tessaly
