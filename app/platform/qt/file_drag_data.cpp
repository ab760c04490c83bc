#include "platform/qt/file_drag_data.h"

#include <QList>
#include <QStringList>
#include <QUrl>

#include "platform/qt/local_file_url.h"
#include "platform/qt/lossless_text.h"

namespace tessaly {

QMimeData* fileDragData(const std::vector<std::string>& paths) {
    if (paths.empty()) return nullptr;
    QList<QUrl> urls;
    QStringList text;
    for (const std::string& path : paths) {
        urls << localFileUrl(path);
        text << textFromBytes(path);
    }
    auto* data = new QMimeData;
    data->setUrls(urls);
    data->setText(text.join(QLatin1Char('\n')));
    return data;
}

}  // namespace tessaly
