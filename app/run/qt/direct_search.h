// Direct search: one folder chosen on the spot instead of a Category's
// folders. While it is on, the Category controls and the saved words rest.
#pragma once

#include <QObject>
#include <QString>

namespace tessaly {

class MainWindow;

// The drive and folder lists in use (window-text colour) or resting (grey).
void showDirectSearchLists(MainWindow& window, bool inUse);

class DirectSearch : public QObject {
    Q_OBJECT

public:
    explicit DirectSearch(MainWindow& window);

    // chkQSearch's click.
    void toggled();

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Above the list, the folder it shows the inside of: the one a run searches.
    void showFolder(const QString& displayPath);

    MainWindow& window_;
};

}  // namespace tessaly
