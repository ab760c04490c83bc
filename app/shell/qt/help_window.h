// The user guide shown inside the program, for a desktop where nothing
// would open it: a browser window of its own, read-only, that follows the
// guide's own links and hands no link to anything outside.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace tessaly {

class HelpWindow : public QWidget {
    Q_OBJECT

public:
    HelpWindow();

    // Shows the page, an HTML file of the file system.
    void showPage(const QString& path);
    QTextBrowser& browser() { return *browser_; }

private:
    QTextBrowser* browser_;
};

}  // namespace tessaly
