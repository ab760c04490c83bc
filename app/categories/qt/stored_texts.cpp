#include "categories/qt/stored_texts.h"

#include <QListWidget>

#include "platform/qt/lossless_text.h"

namespace tessaly {

QStringList textsFromBytes(const std::vector<std::string>& stored) {
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(stored.size()));
    for (const std::string& bytes : stored) texts.append(textFromBytes(bytes));
    return texts;
}

std::vector<std::string> bytesFromTexts(const QStringList& texts) {
    std::vector<std::string> stored;
    stored.reserve(static_cast<std::size_t>(texts.size()));
    for (const QString& text : texts) stored.push_back(bytesFromText(text));
    return stored;
}

QStringList entriesOf(const QListWidget& list) {
    QStringList entries;
    for (int row = 0; row < list.count(); ++row) entries.append(list.item(row)->text());
    return entries;
}

}  // namespace tessaly
