// The File Quick Viewer's behaviour: which result file the person means, the
// load of that file with its hit lines marked, the step from hit to hit, the
// jump to the next result file, and the main window's Viewer and Detail.
#pragma once

#include <QObject>
#include <QPointer>
#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "documents/document_text.h"
#include "platform/file_system.h"
#include "platform/qt/background_work.h"
#include "viewer/hit_navigation.h"
#include "viewer/viewer_text_load.h"

class QMenu;

#include "run/qt/selected_file.h"

#include "criteria/options.h"

namespace tessaly {

class EngineAccess;
struct EngineCalls;
class MainWindow;
class QuickViewerWindow;
class ResultEntryIndex;
struct RunArguments;
struct Services;

class QuickViewer : public QObject {
    Q_OBJECT

public:
    // `arguments` are the engine's arguments of the last run, as the run keeps them.
    // `entries` tells which file each entry of the result pane names; the
    // viewer shows the `selected` file, and chooses it from the pane or by Jump.
    QuickViewer(MainWindow& main, Services& services, EngineAccess& engine, const RunArguments& arguments,
                const ResultEntryIndex& entries, SelectedFile& selected);
    ~QuickViewer() override;

    // The viewer window, made on first use.
    QuickViewerWindow& window();
    bool windowMade() const { return window_ != nullptr; }

    // True when selectedFile names a file to act on; otherwise says so.
    bool pickSelectedFile();
    // View and Open (Detail) for a file the person pointed at, which becomes
    // the selected file.
    void showFile(const std::string& path);
    void openFile(const std::string& path);
    void loadViewer();
    void findNextHit();
    // Jump: the next file of the result tree, or the first again.
    void jumpToNextFile();
    // Done: the size is kept for the next viewer, then the window closes.
    void done();
    // The size the viewer opens at, in twips: as it was left with Done.
    void setSizeTwips(int width, int height) { width_ = width, height_ = height; }
    int widthTwips() const { return width_; }
    int heightTwips() const { return height_; }

    bool loadDone() const { return viewerLoadDone_; }
    // No load and no Next under way.
    bool idle() const { return viewerLoadDone_ && !searchingText_; }

private:
    void viewFile();
    // Loads selectedFile into the viewer, its commands held meanwhile.
    void showSelectedFile();
    // The steps of a load, each on the window's thread as the work beside
    // it comes back: the body made and shown as it comes, then its end.
    void showBody(const std::string& path, const DirectoryEntry& entry, const EngineCalls& engine);
    void takeLoadProgress();
    void endLoad(ViewerTextLoad::Ending ending);
    void finishLoad();
    // Stop, or the close box: the load ends where it is.
    void stopLoad();
    void showNextHit(const std::optional<FoundHit>& hit);
    // A text that stops short of the file's end says so beside the name.
    void sayShortOfTheEnd(ViewerTextLoad::Ending ending);
    // The text of a large file is twice its size: it goes when the window
    // is closed, unless work on it is still under way.
    void releaseText();
    void showPanels(const std::string& path, std::uint64_t size, std::time_t modified);

    MainWindow& main_;
    SelectedFile& selected_;
    int width_ = WindowGeometry{}.viewerWidth;
    int height_ = WindowGeometry{}.viewerHeight;
    Services& services_;
    EngineAccess& engine_;
    const RunArguments& arguments_;
    const ResultEntryIndex& entries_;
    // A window of its own that stays over the main window; the main window
    // owns it.
    QPointer<QuickViewerWindow> window_;
    // The text the viewer shows lives here, until the next file, and in
    // the work that still reads it (Next).
    std::shared_ptr<ViewerTextLoad> load_;
    // Of the file shown, when it is a document.
    std::shared_ptr<const DocumentText> document_;
    // Set by Stop while a document's text is being read.
    std::shared_ptr<std::atomic<bool>> documentStop_;
    // Counts the loads: work that comes back for an earlier one is dropped.
    std::uint64_t loadNumber_ = 0;
    std::atomic<bool> progressPosted_{false};
    bool focusTextAfterLoad_ = false;
    bool viewFromPane_ = false;
    bool viewerLoadDone_ = true;
    bool searchingText_ = false;  // Next is looking for the next hit
    // Last, so that work still under way ends before what it reports to.
    BackgroundWork work_;
};

}  // namespace tessaly
