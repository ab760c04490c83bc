// The File Quick Viewer's behaviour: which result file the person means, the
// load of that file with its hit lines marked, the step from hit to hit, the
// jump to the next result file, and the main window's Viewer and Detail.
#pragma once

#include <QObject>
#include <QPointer>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "viewer/viewer_text_load.h"

class QMenu;

namespace tessaly {

class EngineAccess;
class MainWindow;
class QuickViewerWindow;
class ResultEntryIndex;
struct RunArguments;
struct Services;

class QuickViewer : public QObject {
    Q_OBJECT

public:
    // `arguments` are the engine's arguments of the last run, as the run keeps them.
    // `entries` tells which file each entry of the result pane names.
    QuickViewer(MainWindow& main, Services& services, EngineAccess& engine, const RunArguments& arguments,
                const ResultEntryIndex& entries);
    ~QuickViewer() override;

    // The viewer window, made on first use.
    QuickViewerWindow& window();
    bool windowMade() const { return window_ != nullptr; }

    // True when selectedFile names a file to act on; otherwise says so.
    bool pickSelectedFile();
    void loadViewer();
    void findNextHit();
    // Jump: the next file of the result tree, or the first again.
    void jumpToNextFile();
    // Done: the size is kept for the next viewer, then the window closes.
    void done();

    bool loadDone() const { return viewerLoadDone_; }

private:
    void viewFile();
    // View, Open and Open Folder in the result pane's context menu, for the
    // file of the entry at the offset.
    void offerEntryCommands(QMenu* menu, int offset);
    // Loads selectedFile into the viewer, its commands held meanwhile.
    void showSelectedFile();
    // Runs the work on another thread, letting the window breathe until it
    // is done or Stop is pressed: nothing then. `work` must own what it uses,
    // as it may outlive the call.
    template <typename Work>
    auto untilStopped(Work work) -> std::optional<decltype(work())>;
    // Shows the text as it is made, letting the window breathe meanwhile,
    // until it is whole or Stop is pressed.
    // Tells how the load ended.
    ViewerTextLoad::Ending showWhileLoading(ViewerTextLoad& load);
    // A text that stops short of the file's end says so beside the name.
    void sayShortOfTheEnd(ViewerTextLoad::Ending ending);
    // The text of a large file is twice its size: it goes when the window
    // is closed, unless work on it is still under way.
    void releaseText();
    void showPanels(const std::string& path, std::uint64_t size, std::time_t modified);

    MainWindow& main_;
    Services& services_;
    EngineAccess& engine_;
    const RunArguments& arguments_;
    const ResultEntryIndex& entries_;
    // A window of its own that stays over the main window; the main window
    // owns it.
    QPointer<QuickViewerWindow> window_;
    // The text the viewer shows lives here, until the next file.
    std::unique_ptr<ViewerTextLoad> load_;
    // Engine work that Stop left to finish on its own.
    std::future<void> leftBehind_;
    bool viewFromPane_ = false;
    bool viewerLoadDone_ = true;
    bool searchingText_ = false;  // Next is looking for the next hit
};

}  // namespace tessaly
