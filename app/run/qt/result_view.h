// The results view: the result pane MainResult with one entry per matching
// file, the result tree outlineFile (drive, folders, files), and what the
// tabs and the pane do when clicked. The search run feeds it; the viewer,
// print and save read what it holds.
#pragma once

#include <QHash>
#include <QIcon>
#include <QObject>
#include <QTimer>
#include <QTreeWidgetItem>
#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "run/result_document.h"
#include "run/result_entry_index.h"
#include "run/qt/selected_file.h"
#include "window/qt/result_tree_widget.h"


namespace tessaly {

class MainWindow;
struct Services;

class ResultView : public QObject {
    Q_OBJECT

public:
    ResultView(MainWindow& window, Services& services);
    ~ResultView() override;

    // Before a run's first folder: the pane emptied, holding a single blank;
    // after Main, the tree and the single-file view emptied too.
    void begin();
    // While a run goes on, a click into the pane puts the caret back at the
    // end, and a tree that is not showing grows apart from its view: a tree
    // view lays out all its nodes again after each turn that added some.
    // It is put in its view when it is shown or the run ends.
    void setRunInProgress(bool inProgress);
    // A matching file's entry at the end of the pane, whatever the person
    // did with the caret meanwhile. Entries that come fast are put in a few
    // at a time, at most kFlushInterval after they came: one insertion of
    // many costs less than many of one each. An insertion stops after
    // kInsertionSlice and goes on at the next turn of the event loop, so
    // that thousands of entries arriving at once never hold the window.
    void addEntry(const FileEntry& entry, std::string_view path);
    // Puts in all the entries still waiting at once; print and save need them all.
    void flushEntries();
    // Runs `then` once every entry given so far is in the pane (at once
    // when none waits), going on a slice at a time meanwhile: a run that
    // ends with thousands of entries still to show never holds the window.
    void whenAllShown(std::function<void()> then);
    static constexpr std::chrono::milliseconds kFlushInterval{100};
    static constexpr std::chrono::milliseconds kInsertionSlice{6};
    // The file's node under its folder and drive nodes, which are opened;
    // the tree scrolls to the newest file when the window next repaints.
    // `fullPath` is absolute, in the file system's bytes.
    void addToTree(std::string fullPath, int categoryFolder, int fileCount);
    // The tree and the single-file view emptied (the next run after Main).
    void clearTreeAndFileView();
    // The run brings "View All Files" to the front itself in Name Only
    // display, without the tab's refusal.
    void showAllFilesTab();

    // The display the options chose: with Name Only there is no tree, and
    // asking for "View Each File" is refused with a word.
    void displayChosen(bool namesOnly) { refusalSilent_ = !namesOnly; }
    // The tab control's click, with the tab shown before it.
    void tabClicked(int previousTab);
    // A click into the result pane while a run goes on: a beep, and the
    // caret back at the end where the next entry goes.
    void paneClicked();

    // Which file each entry of the pane names.
    const ResultEntryIndex& entries() const { return entries_; }
    // The file the viewer and Detail act on; a click on the tabs empties it.
    SelectedFile& selectedFile() { return selectedFile_; }

    int treeNodeCount() const { return static_cast<int>(nodes_.size()) + fileNodes_; }

    // What each tree node holds besides its text: its key, and for a file
    // node its full path in the file system's bytes (a QByteArray), so that
    // the single-file view opens exactly the file that matched.
    static constexpr int kKeyRole = Qt::UserRole + 1;
    static constexpr int kPathRole = ResultTreeWidget::kPathRole;

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void currentTabChanged(int tab);
    void scrollToNewestFile();
    void attachTree();
    // Where top-level nodes go: the tree, or apart from it during a run.
    QTreeWidgetItem* treeRoot();
    // Changes the tab without counting it as the person's click.
    void bringToFront(int tab);
    // Puts in waiting entries until `slice` has passed (all of them without
    // one); what is left goes in at the next turn of the event loop.
    void insertWaitingEntries(std::optional<std::chrono::milliseconds> slice);

    MainWindow& window_;
    Services& services_;
    // Every drive and folder node of the tree by its key, so adding a file
    // does not look through the whole tree.
    QHash<QString, QTreeWidgetItem*> nodes_;
    int fileNodes_ = 0;
    // Top-level nodes and folders made while the tree grows apart from its view.
    QTreeWidgetItem detachedRoot_;
    std::vector<QTreeWidgetItem*> detachedFolders_;
    bool treeAttached_ = true;
    std::string lastFolderKey_;
    QTreeWidgetItem* lastFolder_ = nullptr;
    // The last run's nodes, taken out of the tree and not yet freed.
    QList<QTreeWidgetItem*> retiredNodes_;
    QIcon closedIcon_;
    QIcon openIcon_;
    QIcon leafIcon_;
    // Scrolling the tree lays out all of it; done once the run lets the
    // window breathe, for the newest file only.
    QTimer scrollTimer_;
    QTreeWidgetItem* newestFile_ = nullptr;
    // The entries not yet in the pane, one after another, each a group of its
    // own so that it starts from the same state as an entry put in alone;
    // where each ends, and how far they are in.
    std::string waitingEntries_;
    struct WaitingEntry {
        std::size_t end;
        int fileCount;
        std::string path;
    };
    std::deque<WaitingEntry> waitingEnds_;
    std::size_t entriesTaken_ = 0;
    ResultEntryIndex entries_;
    SelectedFile selectedFile_;
    std::function<void()> whenAllShown_;
    QTimer insertionTimer_;
    std::chrono::steady_clock::time_point lastFlush_{};
    int shownTab_ = 0;
    bool runInProgress_ = false;
    bool refusalSilent_ = true;
    bool clearAtNextRun_ = false;  // Main was pressed: the next run starts from an empty tree
    bool switchingTabs_ = false;
};

}  // namespace tessaly
