#include "run/qt/direct_search.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>
#include <algorithm>

#include "platform/qt/drive_list.h"
#include "platform/qt/folder_list.h"
#include "window/qt/main_window.h"
#include "window/qt/command_row.h"
#include "window/qt/criteria_view.h"

namespace tessaly {

void showDirectSearchLists(MainWindow& w, bool inUse) {
    w.criteria().qDirList->setEnabled(inUse);
    w.criteria().qDrive->setEnabled(inUse);
    for (QWidget* list : {static_cast<QWidget*>(w.criteria().qDirList), static_cast<QWidget*>(w.criteria().qDrive)}) {
        QPalette palette = list->palette();
        const QPalette::ColorGroup group = inUse ? QPalette::Active : QPalette::Disabled;
        palette.setColor(QPalette::Text, QPalette().color(group, QPalette::WindowText));
        list->setPalette(palette);
    }
}

DirectSearch::DirectSearch(MainWindow& window) : window_(window) {
    connect(window_.criteria().chkQSearch, &QCheckBox::clicked, this, &DirectSearch::toggled);
    connect(window_.criteria().qDirList, &FolderList::pathChanged, this, &DirectSearch::showFolder);
    window_.criteria().qDirPath->installEventFilter(this);
    showFolder(window_.criteria().qDirList->displayPath());
}

bool DirectSearch::eventFilter(QObject* watched, QEvent* event) {
    // The room for the path changes with the window.
    if (watched == window_.criteria().qDirPath && event->type() == QEvent::Resize) showFolder(window_.criteria().qDirPath->toolTip());
    return QObject::eventFilter(watched, event);
}

void DirectSearch::showFolder(const QString& displayPath) {
    QLabel& shown = *window_.criteria().qDirPath;
    // A deep path keeps its start and its end; the tool tip holds all of it.
    shown.setText(shown.fontMetrics().elidedText(displayPath, Qt::ElideMiddle, std::max(1, shown.width())));
    shown.setToolTip(displayPath);
    shown.setAccessibleName(displayPath);
}

void DirectSearch::toggled() {
    MainWindow& w = window_;
    const bool on = w.criteria().chkQSearch->isChecked();
    showDirectSearchLists(w, on);
    for (QWidget* category : {static_cast<QWidget*>(w.commands().searchBrowse),
                              static_cast<QWidget*>(w.criteria().listCategory),
                              static_cast<QWidget*>(w.criteria().searchCat), static_cast<QWidget*>(w.criteria().wordList),
                              static_cast<QWidget*>(w.criteria().searchAdd)})
        category->setEnabled(!on);
}

}  // namespace tessaly
