// Direct search: one folder chosen on the spot instead of a Category's
// folders. While it is on, the Category controls and the saved words rest.
#pragma once

#include <QObject>

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
    MainWindow& window_;
};

}  // namespace tessaly
