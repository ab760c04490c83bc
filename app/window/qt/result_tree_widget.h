// The result tree's widget: a tree whose file nodes can be dragged out of
// the window as the files they name (file_drag_data.h), and whose context
// menu is asked for a node, by the mouse or by the keyboard.
#pragma once

#include <QTreeWidget>

namespace tessaly {

class ResultTreeWidget : public QTreeWidget {
    Q_OBJECT

public:
    explicit ResultTreeWidget(QWidget* parent = nullptr);

    // A file node holds its full path here, in the file system's bytes (a
    // QByteArray); drive and folder nodes hold none.
    static constexpr int kPathRole = Qt::UserRole;

    QStringList mimeTypes() const override;
    // The files among the nodes; null when there are none, so that dragging
    // a folder node does nothing.
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& nodes) const override;

signals:
    // The node the menu is for (the one under the mouse, or the current one
    // for the Menu key and Shift+F10; null for neither), and where to show it.
    void menuWanted(QTreeWidgetItem* node, QPoint globalPosition);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void askForMenuAtCurrentNode();
};

}  // namespace tessaly
