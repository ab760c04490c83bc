#include "platform/qt/local_file_url.h"

#include <QByteArray>
#include <QFile>

namespace tessaly {

QUrl localFileUrl(std::string_view path) {
    // "//x" is "/x" to this system, but a URL would take x for a host.
    while (path.size() > 1 && path[0] == '/' && path[1] == '/') path.remove_prefix(1);
    const QByteArray bytes(path.data(), static_cast<qsizetype>(path.size()));
    const QString name = QFile::decodeName(bytes);
    if (QFile::encodeName(name) == bytes) return QUrl::fromLocalFile(name);
    // A name that is not UTF-8 would come back from text as another name;
    // escaped byte by byte, the URL the opener receives names this file.
    QUrl url;
    url.setScheme(QStringLiteral("file"));
    url.setPath(QString::fromLatin1(bytes.toPercentEncoding("/")), QUrl::TolerantMode);
    return url;
}

}  // namespace tessaly
