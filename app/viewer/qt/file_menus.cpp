#include "viewer/qt/file_menus.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QPushButton>

#include "platform/path_join.h"
#include "platform/qt/file_drag_data.h"
#include "platform/qt/growing_rich_text_box.h"
#include "platform/qt/lossless_text.h"
#include "platform/qt/menu_key.h"
#include "platform/qt/rich_text_box.h"
#include "run/qt/result_view.h"
#include "run/qt/selected_file.h"
#include "run/result_entry_index.h"
#include "viewer/qt/quick_viewer.h"
#include "viewer/qt/quick_viewer_window.h"
#include "window/qt/command_row.h"
#include "window/qt/main_window.h"
#include "window/qt/open_in_application.h"
#include "window/qt/result_tabs.h"
#include "window/qt/services.h"

namespace tessaly {

namespace {

void copyToClipboard(const std::string& bytes) { QApplication::clipboard()->setText(textFromBytes(bytes)); }

// Shown without waiting for it to close, as any popup: the window goes on
// meanwhile.
QMenu* newMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    return menu;
}

}  // namespace

FileMenus::FileMenus(MainWindow& window, Services& services, QuickViewer& viewer, const ResultEntryIndex& entries,
                     const SelectedFile& shown)
    : window_(window), services_(services), viewer_(viewer), entries_(entries), shown_(shown) {
    ResultTabs& results = window_.results();
    connect(results.MainResult, &MarkedTextView::contextMenuOpening, this, &FileMenus::offerEntryCommands);
    results.MainResult->setDragSource([this](int offset) { return entryDragData(offset); });
    connect(results.outlineFile, &ResultTreeWidget::menuWanted, this, &FileMenus::openTreeMenu);
    results.textFile->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(results.textFile, &QWidget::customContextMenuRequested, this, &FileMenus::openSingleFileMenu);
    results.textFile->installEventFilter(this);
}

bool FileMenus::eventFilter(QObject* watched, QEvent* event) {
    RichTextBox& view = *window_.results().textFile;
    if (watched == &view && event->type() == QEvent::KeyPress && isMenuKey(*static_cast<QKeyEvent*>(event))) {
        openSingleFileMenu(view.cursorRect().bottomLeft());
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void FileMenus::addFileCommands(QMenu* menu, const std::string& path) {
    // The file pointed at, whatever the caret's or the tree's current one.
    QAction* view = menu->addAction(QStringLiteral("&View"), this, [this, path] { viewer_.showFile(path); });
    view->setEnabled(window_.commands().buttonView->isEnabled());
    QAction* open = menu->addAction(QStringLiteral("&Open"), this, [this, path] { viewer_.openFile(path); });
    open->setEnabled(window_.commands().buttonDetail->isEnabled());
    menu->addAction(QStringLiteral("Open &Folder"), this, [this, path] { openFolderOf(services_, path); });
    menu->addAction(QStringLiteral("Copy &Path"), this, [path] { copyToClipboard(path); });
    menu->addAction(QStringLiteral("Copy &Name"), this, [path] { copyToClipboard(std::string(fileNameOf(path))); });
}

void FileMenus::addFolderCommands(QMenu* menu, const std::string& folder) {
    menu->addAction(QStringLiteral("Open &Folder"), this, [this, folder] { openFolder(services_, folder); });
    menu->addAction(QStringLiteral("Copy &Path"), this, [folder] { copyToClipboard(folder); });
}

void FileMenus::offerEntryCommands(QMenu* menu, int offset) {
    const std::string* file = offset < 0 ? nullptr : entries_.fileAt(static_cast<std::size_t>(offset));
    if (file) addFileCommands(menu, *file);
}

void FileMenus::openTreeMenu(QTreeWidgetItem* node, const QPoint& at) {
    if (!node) return;
    QMenu* menu = newMenu(window_.results().outlineFile);
    const QByteArray file = node->data(0, ResultView::kPathRole).toByteArray();
    if (!file.isEmpty()) {
        addFileCommands(menu, file.toStdString());
    } else {
        // A folder's key is its path with a closing "/", which a path shown
        // to the person does without (the drive "/" keeps it).
        std::string folder = bytesFromText(node->data(0, ResultView::kKeyRole).toString());
        if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
        if (folder.empty()) return;
        addFolderCommands(menu, folder);
    }
    menu->popup(at);
}

void FileMenus::openSingleFileMenu(const QPoint& at) {
    RichTextBox& view = *window_.results().textFile;
    QMenu* standard = view.createStandardContextMenu();
    QMenu* menu = newMenu(&view);
    if (!shown_.path.empty()) {
        addFileCommands(menu, shown_.path);
        menu->addSeparator();
    }
    // Copy and Select All of the view itself come after the file's commands.
    for (QAction* action : standard->actions()) {
        action->setParent(menu);
        menu->addAction(action);
    }
    delete standard;
    menu->popup(view.viewport()->mapToGlobal(at));
}

QMimeData* FileMenus::entryDragData(int offset) const {
    if (offset < 0) return nullptr;
    const auto at = static_cast<std::size_t>(offset);
    const std::size_t heading = entries_.headingAt(at);
    const std::string* file = entries_.fileAt(at);
    if (!file || heading > at) return nullptr;
    const std::u16string_view text = window_.results().MainResult->text();
    const std::size_t lineEnd = text.find_first_of(u"\n\u2029", heading);
    if (lineEnd != std::u16string_view::npos && at >= lineEnd) return nullptr;
    return fileDragData({*file});
}

}  // namespace tessaly
