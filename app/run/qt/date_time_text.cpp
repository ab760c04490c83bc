#include "run/qt/date_time_text.h"

#include <QDateTime>
#include <QLocale>

namespace tessaly {

QString withoutTimeZone(const QString& timeFormat) {
    QString kept;
    kept.reserve(timeFormat.size());
    bool quoted = false;
    for (const QChar c : timeFormat) {
        if (c == u'\'') quoted = !quoted;
        if (!quoted && c == u't') continue;
        kept += c;
    }
    // The zone stood apart from the time by a blank, which would now hang
    // at an end or double one in the middle.
    kept = kept.trimmed();
    while (kept.contains(QStringLiteral("  "))) kept.replace(QStringLiteral("  "), QStringLiteral(" "));
    return kept;
}

std::string dateTimeText(std::time_t moment) {
    const QLocale locale = QLocale::system();
    const QDateTime local = QDateTime::fromSecsSinceEpoch(static_cast<qint64>(moment));
    const QString text = locale.toString(local.date(), QLocale::ShortFormat) + u' ' +
                         locale.toString(local.time(), withoutTimeZone(locale.timeFormat(QLocale::LongFormat)));
    return text.toStdString();
}

}  // namespace tessaly
