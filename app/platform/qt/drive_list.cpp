#include "platform/qt/drive_list.h"

#include <QStorageInfo>
#include <algorithm>

namespace tessaly {

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!refreshing_ && index >= 0) emit driveChanged(currentRoot());
    });
    refresh();
}

void DriveList::refresh() {
    QStringList found;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady()) found.append(volume.rootPath());
    }
    // Volumes selected before stay listed while they are still mounted.
    for (const QString& root : roots()) {
        const QStorageInfo volume(root);
        if (volume.isValid() && volume.isReady() && volume.rootPath() == root) found.append(root);
    }
    std::sort(found.begin(), found.end());
    found.removeDuplicates();

    const QString shown = currentRoot();
    refreshing_ = true;
    clear();
    addItems(found);
    const int index = found.indexOf(shown);
    setCurrentIndex(index >= 0 ? index : (found.isEmpty() ? -1 : 0));
    refreshing_ = false;
    if (index < 0 && !shown.isEmpty() && currentIndex() >= 0) emit driveChanged(currentRoot());
}

QStringList DriveList::roots() const {
    QStringList result;
    for (int i = 0; i < count(); ++i) result.append(itemText(i));
    return result;
}

QString DriveList::currentRoot() const {
    return currentIndex() >= 0 ? currentText() : QString();
}

bool DriveList::selectRoot(const QString& root) {
    int index = findText(root, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (index < 0) {
        const QStorageInfo volume(root);
        if (!volume.isValid() || !volume.isReady() || volume.rootPath() != root) return false;
        QStringList all = roots();
        all.append(root);
        std::sort(all.begin(), all.end());
        index = static_cast<int>(all.indexOf(root));
        refreshing_ = true;
        insertItem(index, root);
        refreshing_ = false;
    }
    setCurrentIndex(index);
    return true;
}

QString DriveList::rootOf(const QString& path) {
    const QStorageInfo volume(path);
    return volume.isValid() ? volume.rootPath() : QString();
}

void DriveList::showPopup() {
    refresh();
    QComboBox::showPopup();
}

}  // namespace tessaly
