#include "platform/qt/qt_desktop.h"

#include <sys/stat.h>

#include <QApplication>
#include <QDesktopServices>
#include <QFile>
#include <QUrl>
#include <cerrno>

namespace tessaly {

Failure QtDesktop::openFile(const std::string& path) {
    // The desktop's own "cannot open" comes late and in its own window, if
    // at all; a file that is gone is said here, in the program's code.
    struct stat info;
    if (path.empty() || ::stat(path.c_str(), &info) != 0) {
        return failureFromErrno(path.empty() ? ENOENT : errno, "open", path);
    }
    const QUrl url = QUrl::fromLocalFile(QFile::decodeName(path.c_str()));
    if (!QDesktopServices::openUrl(url)) {
        Failure failure;
        failure.code = code::pathFileAccessError;  // no application would take it
        failure.operation = "open";
        failure.path = path;
        return failure;
    }
    return {};
}

void QtDesktop::beep() {
    QApplication::beep();
}

}  // namespace tessaly
