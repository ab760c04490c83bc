// What the person can do with a found file where it is shown: the context
// menus of the result pane's entries, of the result tree's files and folders
// and of the single-file view (View, Open, Open Folder, Copy Path, Copy
// Name; Open Folder and Copy Path for a folder), and the drag of an entry's
// heading out of the window as the file it names.
#pragma once

#include <QObject>
#include <string>

class QMenu;
class QMimeData;
class QPoint;
class QTreeWidgetItem;

namespace tessaly {

class MainWindow;
class QuickViewer;
class ResultEntryIndex;
struct SelectedFile;
struct Services;

class FileMenus : public QObject {
    Q_OBJECT

public:
    // `entries` says which file each entry of the pane names; `shown` is the
    // file of the single-file view (the selected file).
    FileMenus(MainWindow& window, Services& services, QuickViewer& viewer, const ResultEntryIndex& entries,
              const SelectedFile& shown);

    // The drag data of the pane's character at the offset: the entry's file
    // on its heading's line, nothing elsewhere (a passage selects as ever).
    QMimeData* entryDragData(int offset) const;

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void addFileCommands(QMenu* menu, const std::string& path);
    void addFolderCommands(QMenu* menu, const std::string& folder);
    void offerEntryCommands(QMenu* menu, int offset);
    void openTreeMenu(QTreeWidgetItem* node, const QPoint& at);
    void openSingleFileMenu(const QPoint& at);

    MainWindow& window_;
    Services& services_;
    QuickViewer& viewer_;
    const ResultEntryIndex& entries_;
    const SelectedFile& shown_;
};

}  // namespace tessaly
