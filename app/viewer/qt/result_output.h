// The main window's Print and Save commands: they act on the result tab that
// is showing, the whole result pane or the single-file view.
#pragma once

#include <QObject>

namespace tessaly {

class MainWindow;
struct Services;

class ResultOutput : public QObject {
    Q_OBJECT

public:
    ResultOutput(MainWindow& window, Services& services);

    // The result pane while "View All Files" shows, otherwise the single-file view.
    void print();
    void save();

private:
    MainWindow& window_;
    Services& services_;
};

}  // namespace tessaly
