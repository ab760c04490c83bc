// The drive chooser: the mounted volumes of this system by their root paths,
// where the program was made for drive letters.
#pragma once

#include <QComboBox>
#include <QString>
#include <QStringList>

namespace tessaly {

class DriveList : public QComboBox {
    Q_OBJECT

public:
    explicit DriveList(QWidget* parent = nullptr);

    // Lists the volumes that are mounted and ready now, keeping the one shown
    // when it is still there.
    void refresh();

    QStringList roots() const;
    QString currentRoot() const;
    // Shows the volume with this root, listing it first when it is mounted but
    // was left out (a volume the system counts as virtual, such as a tmpfs
    // that holds the data folder). False when no volume has that root.
    bool selectRoot(const QString& root);

    // The root of the volume that holds the path; empty when the path does not
    // exist.
    static QString rootOf(const QString& path);

signals:
    // The volume shown changed, by the person or by selectRoot().
    void driveChanged(const QString& root);

protected:
    // Media come and go while the program runs: the list is read afresh each
    // time it opens.
    void showPopup() override;

private:
    bool refreshing_ = false;
};

}  // namespace tessaly
