// The File Quick Viewer's behaviour: which result file the person means, the
// load of that file with its hit lines marked, the step from hit to hit, the
// jump to the next result file, and the main window's Viewer and Detail.
#pragma once

#include <QObject>
#include <string>
#include <string_view>

namespace tessaly {

class EngineAccess;
class MainWindow;
class QuickViewerWindow;
struct Services;

class QuickViewer : public QObject {
    Q_OBJECT

public:
    // Pieces of a long body go into the viewer this large at most, so that
    // the window breathes between them.
    static constexpr std::size_t kPieceSize = 128 * 1024;

    QuickViewer(MainWindow& main, Services& services, EngineAccess& engine);
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
    void openInApplication();
    // Runs the work on another thread, letting the window breathe until it is done.
    template <typename Work>
    auto whileBreathing(Work work) -> decltype(work());
    // Inserts an RTF body at the caret as documents of at most kPieceSize,
    // letting the window breathe between them; false once Stop was pressed.
    bool insertBody(std::string_view body);
    void showPanels(const std::string& path, std::uint64_t size, std::time_t modified);

    MainWindow& main_;
    Services& services_;
    EngineAccess& engine_;
    // A window of its own that stays over the main window; the main window
    // owns it.
    QuickViewerWindow* window_ = nullptr;
    bool viewFromPane_ = false;
    bool viewerLoadDone_ = true;
};

}  // namespace tessaly
