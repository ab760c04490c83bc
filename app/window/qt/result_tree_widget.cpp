#include "window/qt/result_tree_widget.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <string>
#include <vector>

#include "platform/qt/file_drag_data.h"
#include "platform/qt/menu_key.h"

namespace tessaly {

ResultTreeWidget::ResultTreeWidget(QWidget* parent) : QTreeWidget(parent) {
    // Out of the window only: nothing is dropped onto the results.
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setDefaultDropAction(Qt::CopyAction);
}

void ResultTreeWidget::contextMenuEvent(QContextMenuEvent* event) {
    if (event->reason() != QContextMenuEvent::Mouse) {
        askForMenuAtCurrentNode();
    } else {
        emit menuWanted(itemAt(event->pos()), viewport()->mapToGlobal(event->pos()));
    }
    event->accept();
}

void ResultTreeWidget::keyPressEvent(QKeyEvent* event) {
    if (isMenuKey(*event)) {
        askForMenuAtCurrentNode();
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void ResultTreeWidget::askForMenuAtCurrentNode() {
    QTreeWidgetItem* node = currentItem();
    if (!node) return;
    scrollToItem(node);
    emit menuWanted(node, viewport()->mapToGlobal(visualItemRect(node).bottomLeft()));
}

QStringList ResultTreeWidget::mimeTypes() const {
    return {QStringLiteral("text/uri-list"), QStringLiteral("text/plain")};
}

QMimeData* ResultTreeWidget::mimeData(const QList<QTreeWidgetItem*>& nodes) const {
    std::vector<std::string> paths;
    for (const QTreeWidgetItem* node : nodes) {
        const QByteArray path = node->data(0, kPathRole).toByteArray();
        if (!path.isEmpty()) paths.push_back(path.toStdString());
    }
    return fileDragData(paths);
}

}  // namespace tessaly
