#include "run/qt/result_view.h"

#include <QEvent>
#include <QMouseEvent>
#include <QRadioButton>
#include <QStyle>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>

#include "platform/path_join.h"
#include "platform/qt/lossless_text.h"
#include "platform/rtf_escape.h"
#include "platform/qt/growing_rich_text_box.h"
#include "platform/qt/rich_text_box.h"
#include "run/result_tree.h"
#include "window/qt/main_window.h"
#include "window/qt/command_row.h"
#include "window/qt/options_panel_view.h"
#include "window/qt/result_tabs.h"
#include "window/qt/services.h"

namespace tessaly {

namespace {

// A file node makes what it shows when it is asked: a run makes tens of
// thousands of them, and most are never painted.
class FileNode final : public QTreeWidgetItem {
public:
    FileNode(std::string path, int categoryFolder, int fileCount, const QIcon& icon)
        : path_(std::move(path)), categoryFolder_(categoryFolder), fileCount_(fileCount), icon_(icon) {}

    QVariant data(int column, int role) const override {
        if (column != 0) return {};
        switch (role) {
        case Qt::DisplayRole: return textFromBytes(fileNameOf(path_));
        case Qt::DecorationRole: return icon_;
        case ResultView::kPathRole: return QByteArray::fromStdString(path_);
        case ResultView::kKeyRole: return textFromBytes(fileNodeKey(categoryFolder_, fileCount_));
        default: return {};
        }
    }

private:
    std::string path_;
    int categoryFolder_;
    int fileCount_;
    const QIcon& icon_;  // the view's, which outlives its nodes
};

}  // namespace

ResultView::ResultView(MainWindow& window, Services& services)
    : window_(window), services_(services) {
    const QStyle* style = window_.results().outlineFile->style();
    closedIcon_ = style->standardIcon(QStyle::SP_DirClosedIcon);
    openIcon_ = style->standardIcon(QStyle::SP_DirOpenIcon);
    leafIcon_ = style->standardIcon(QStyle::SP_FileIcon);
    window_.results().outlineFile->setRootIsDecorated(true);
    connect(window_.results().outlineFile, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* item) { item->setIcon(0, openIcon_); });
    connect(window_.results().outlineFile, &QTreeWidget::itemCollapsed, this,
            [this](QTreeWidgetItem* item) { item->setIcon(0, closedIcon_); });

    insertionTimer_.setSingleShot(true);
    connect(&insertionTimer_, &QTimer::timeout, this,
            [this] { insertWaitingEntries(kInsertionSlice); });

    scrollTimer_.setSingleShot(true);
    scrollTimer_.setInterval(0);
    connect(&scrollTimer_, &QTimer::timeout, this, &ResultView::scrollToNewestFile);

    connect(window_.commands().searchConfig, &QPushButton::clicked, this, [this] { clearAtNextRun_ = true; });
    shownTab_ = window_.results().dispResult->currentIndex();
    connect(window_.results().dispResult, &QTabWidget::currentChanged, this, &ResultView::currentTabChanged);
    window_.results().MainResult->viewport()->installEventFilter(this);
}

ResultView::~ResultView() { qDeleteAll(retiredNodes_); }

void ResultView::begin() {
    if (std::exchange(clearAtNextRun_, false)) clearTreeAndFileView();
    waitingEntries_.clear();
    waitingEnds_.clear();
    entriesTaken_ = 0;
    whenAllShown_ = {};
    insertionTimer_.stop();
    window_.results().MainResult->clear();
    entries_.clear();
    // The colour table comes first; every entry after it is a group of its own.
    window_.results().MainResult->appendRtf(std::string(kResultHeader) + "{\\fs18  }}");
}

void ResultView::setRunInProgress(bool inProgress) {
    runInProgress_ = inProgress;
    if (inProgress && !window_.results().outlineFile->isVisible()) treeAttached_ = false;
    if (!inProgress) attachTree();
}

void ResultView::attachTree() {
    if (std::exchange(treeAttached_, true)) return;
    window_.results().outlineFile->addTopLevelItems(detachedRoot_.takeChildren());
    // A node apart from its view cannot be opened.
    for (QTreeWidgetItem* folder : std::exchange(detachedFolders_, {})) folder->setExpanded(true);
    scrollTimer_.start();
}

void ResultView::addEntry(const FileEntry& entry, std::string_view path) {
    waitingEntries_ += '{';
    appendFileEntryBody(waitingEntries_, entry);
    waitingEntries_ += '}';
    waitingEnds_.push_back({waitingEntries_.size(), entry.fileCount, std::string(path)});
    // Never put in from here: the caller may be inside a slice of its own,
    // and two slices in one turn of the event loop would hold the window twice as long.
    const auto waited = std::chrono::steady_clock::now() - lastFlush_;
    if (!insertionTimer_.isActive())
        insertionTimer_.start(waited >= kFlushInterval
                                  ? std::chrono::milliseconds(0)
                                  : std::chrono::ceil<std::chrono::milliseconds>(kFlushInterval - waited));
}

void ResultView::flushEntries() { insertWaitingEntries(std::nullopt); }

void ResultView::whenAllShown(std::function<void()> then) {
    whenAllShown_ = std::move(then);
    insertWaitingEntries(kInsertionSlice);
}

void ResultView::insertWaitingEntries(std::optional<std::chrono::milliseconds> slice) {
    // Each entry goes in on its own, so that where it starts is known; the
    // clock is read every few of them.
    constexpr int kEntriesBetweenClocks = 16;
    const auto start = std::chrono::steady_clock::now();
    lastFlush_ = start;
    GrowingRichTextBox& pane = *window_.results().MainResult;
    for (int taken = 1; !waitingEnds_.empty(); ++taken) {
        WaitingEntry& entry = waitingEnds_.front();
        const std::size_t before = pane.text().size();
        pane.appendRtfUnshown(std::string_view(waitingEntries_).substr(entriesTaken_, entry.end - entriesTaken_));
        entriesTaken_ = entry.end;
        // The heading is the entry's first text after the blank line before it.
        const std::u16string marker = utf16FromBytes(entryMarker(entry.fileCount));
        const std::size_t heading = pane.text().find(marker, before);
        entries_.add(heading == std::u16string_view::npos ? before : heading, std::move(entry.path));
        waitingEnds_.pop_front();
        if (slice && taken % kEntriesBetweenClocks == 0 && std::chrono::steady_clock::now() - start >= *slice)
            break;
    }
    if (waitingEnds_.empty() || entriesTaken_ > waitingEntries_.size() / 2) {
        // What is in the pane goes, so that a pane that falls behind holds
        // only what still waits.
        waitingEntries_.erase(0, entriesTaken_);
        for (WaitingEntry& entry : waitingEnds_) entry.end -= entriesTaken_;
        entriesTaken_ = 0;
    }
    pane.showAppended();
    // The pane follows the newest entry, whatever the person did with the caret meanwhile.
    pane.setCaretOffset(static_cast<int>(pane.text().size()));
    if (!waitingEnds_.empty()) {
        insertionTimer_.start(0);
        return;
    }
    insertionTimer_.stop();
    if (whenAllShown_) std::exchange(whenAllShown_, {})();
}

void ResultView::addToTree(std::string fullPath, int categoryFolder, int fileCount) {
    // Files come folder by folder: the folder of the last one is kept, so
    // that most files need only a node of their own.
    const std::size_t slash = fullPath.rfind('/');
    const std::string_view folder(fullPath.data(), slash == std::string::npos ? 0 : slash + 1);
    QTreeWidgetItem* parent = lastFolder_ && folder == lastFolderKey_ ? lastFolder_ : nullptr;
    if (!parent) {
        for (const TreeNode& node : treeNodesFor(fullPath, categoryFolder, fileCount)) {
            if (node.kind == TreeNodeKind::File) break;
            const QString key = textFromBytes(node.key);
            QTreeWidgetItem* item = nodes_.value(key);
            if (!item) {
                item = new QTreeWidgetItem;
                item->setText(0, textFromBytes(node.text));
                item->setData(0, kKeyRole, key);
                item->setIcon(0, closedIcon_);
                nodes_.insert(key, item);
                (parent ? parent : treeRoot())->addChild(item);
                if (!item->treeWidget()) detachedFolders_.push_back(item);
            }
            item->setExpanded(true);
            parent = item;
        }
        lastFolderKey_ = folder;
        lastFolder_ = parent;
    }
    // A file at the top of the file system has the drive for its folder.
    newestFile_ = new FileNode(std::move(fullPath), categoryFolder, fileCount, leafIcon_);
    ++fileNodes_;
    (parent ? parent : treeRoot())->addChild(newestFile_);
    if (!scrollTimer_.isActive()) scrollTimer_.start();
}

QTreeWidgetItem* ResultView::treeRoot() {
    return treeAttached_ ? window_.results().outlineFile->invisibleRootItem() : &detachedRoot_;
}

void ResultView::scrollToNewestFile() {
    // Scrolling lays out the whole tree; a hidden tree is scrolled when it is shown.
    if (!window_.results().outlineFile->isVisible()) return;
    if (newestFile_) window_.results().outlineFile->scrollToItem(newestFile_);
}

void ResultView::clearTreeAndFileView() {
    // Taken out at once, freed at the next turn of the event loop: Start
    // must not wait while the last run's thousands of nodes go.
    retiredNodes_ += window_.results().outlineFile->invisibleRootItem()->takeChildren();
    retiredNodes_ += detachedRoot_.takeChildren();
    detachedFolders_.clear();
    QTimer::singleShot(0, this, [this] { qDeleteAll(std::exchange(retiredNodes_, {})); });
    nodes_.clear();
    fileNodes_ = 0;
    lastFolderKey_.clear();
    lastFolder_ = newestFile_ = nullptr;
    window_.results().textFile->clear();
}

void ResultView::showAllFilesTab() {
    refusalSilent_ = true;
    window_.results().dispResult->setCurrentIndex(0);
    refusalSilent_ = false;
}

void ResultView::tabClicked(int previousTab) {
    if (!window_.panel().DispFull->isChecked()) {
        // Name Only builds no tree: "View Each File" would show an empty one.
        const bool leftEachFile = previousTab == 1 || window_.results().dispResult->currentIndex() == 1;
        bringToFront(0);
        if (leftEachFile && !refusalSilent_) {
            services_.boxes.show(QStringLiteral("This tab is not available when Name Only is chosen!"),
                                 QStringLiteral("Tab Not Available"), MessageIcon::Information,
                                 MessageButtons::Ok);
        }
    }
    window_.layOut();
    window_.results().dispResult->update();
    // Which file the viewer and Detail act on is decided again on the new tab.
    selectedFile_.path.clear();
}

void ResultView::paneClicked() {
    if (!runInProgress_) return;
    services_.desktop.beep();
    window_.results().MainResult->setCaretOffset(static_cast<int>(window_.results().MainResult->text().size()));
}

void ResultView::currentTabChanged(int tab) {
    if (tab == 1) {
        attachTree();
        scrollTimer_.start();
    }
    const int previous = shownTab_;
    shownTab_ = tab;
    if (!switchingTabs_) tabClicked(previous);
}

void ResultView::bringToFront(int tab) {
    switchingTabs_ = true;
    window_.results().dispResult->setCurrentIndex(tab);
    switchingTabs_ = false;
}

bool ResultView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_.results().MainResult->viewport() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        // Queued: the text box has yet to finish placing the caret for this
        // click, and would put it back where the person clicked.
        QMetaObject::invokeMethod(this, &ResultView::paneClicked, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace tessaly
