#include "platform/qt/folder_list.h"

#include <QFile>
#include <QKeyEvent>
#include <QStyle>
#include <algorithm>
#include <cerrno>
#include <vector>

#include "platform/path_join.h"

namespace tessaly {

namespace {

constexpr int kNameRole = Qt::UserRole;  // the entry's name in the file system's bytes

QString shown(const std::string& bytes) {
    return QFile::decodeName(bytes.c_str());
}

std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

struct Folder {
    std::string name;
    QString text;
};

// Alphabetical as the person reads it, not by byte values: "beta" before
// "Gamma". Names differing only in case keep a fixed order.
bool byName(const Folder& a, const Folder& b) {
    const int folded = QString::compare(a.text, b.text, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a.name < b.name;
}

}  // namespace

FolderList::FolderList(FileSystem& files, QWidget* parent) : QListWidget(parent), files_(files) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { openItem(item); });
}

QString FolderList::displayPath() const {
    return shown(path_);
}

std::string FolderList::parentOf(const std::string& path) {
    const std::string clean = withoutTrailingSlashes(path);
    const auto slash = clean.find_last_of('/');
    if (slash == std::string::npos || slash == 0) return "/";
    return clean.substr(0, slash);
}

Failure FolderList::setPath(const std::string& requested) {
    const std::string target = withoutTrailingSlashes(requested);
    if (target.empty() || target.front() != '/') {
        return failureFromErrno(ENOENT, "list", requested, true);
    }
    std::vector<DirectoryEntry> entries;
    if (Failure failure = files_.list(target, entries)) return failure;

    std::vector<Folder> folders;
    for (const DirectoryEntry& entry : entries) {
        if (entry.kind != EntryKind::Directory || entry.hidden) continue;
        folders.push_back({entry.name, shown(entry.name)});
    }
    std::sort(folders.begin(), folders.end(), byName);

    // Going up puts the cursor on the folder just left, as a file manager does.
    const std::string cameFrom = parentOf(path_) == target && path_ != target
                                     ? path_.substr(path_.find_last_of('/') + 1)
                                     : std::string();
    clear();
    QListWidgetItem* current = nullptr;
    if (target != "/") {
        auto* up = new QListWidgetItem(style()->standardIcon(QStyle::SP_FileDialogToParent),
                                       QString::fromLatin1(kParentEntry), this);
        up->setData(kNameRole, QByteArray(kParentEntry));
        current = up;
    }
    const QIcon folderIcon = style()->standardIcon(QStyle::SP_DirIcon);
    for (const Folder& folder : folders) {
        auto* item = new QListWidgetItem(folderIcon, folder.text, this);
        item->setData(kNameRole, QByteArray::fromStdString(folder.name));
        if (!current || folder.name == cameFrom) current = item;
    }
    setCurrentItem(current);

    const bool changed = target != path_;
    path_ = target;
    if (changed) emit pathChanged(displayPath());
    return {};
}

Failure FolderList::openItem(QListWidgetItem* item) {
    if (!item) return {};
    const std::string name = item->data(kNameRole).toByteArray().toStdString();
    const std::string target = name == kParentEntry ? parentOf(path_) : joinPath(path_, name);
    Failure failure = setPath(target);
    if (failure) emit listingFailed(failure);
    return failure;
}

void FolderList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        openItem(currentItem());
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

}  // namespace tessaly
