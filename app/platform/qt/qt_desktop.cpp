#include "platform/qt/qt_desktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFile>

namespace tessaly {

Failure QtDesktop::openUrl(const QUrl& url) {
    if (QDesktopServices::openUrl(url)) return {};
    Failure failure;
    failure.code = code::pathFileAccessError;  // no application would take it
    failure.operation = "open";
    failure.path = url.isLocalFile() ? QFile::encodeName(url.toLocalFile()).toStdString()
                                     : url.toEncoded().toStdString();
    return failure;
}

void QtDesktop::beep() {
    QApplication::beep();
}

}  // namespace tessaly
