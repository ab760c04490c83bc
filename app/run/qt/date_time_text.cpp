#include "run/qt/date_time_text.h"

#include <QDateTime>
#include <QLocale>
#include <algorithm>
#include <ctime>

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
    // Every matching file's heading has a date: the locale's formats are
    // read once.
    static const QLocale locale = QLocale::system();
    static const QString dateFormat = locale.dateFormat(QLocale::ShortFormat);
    static const QString timeFormat = withoutTimeZone(locale.timeFormat(QLocale::LongFormat));
    // Not QDateTime's local time: it asks the system for the time zone again
    // at every call, a look at /etc/localtime per heading.
    std::tm parts{};
    if (!localtime_r(&moment, &parts)) return {};
    const QDate date(parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday);
    const QTime time(parts.tm_hour, parts.tm_min, std::min(parts.tm_sec, 59));
    return (locale.toString(date, dateFormat) + u' ' + locale.toString(time, timeFormat)).toStdString();
}

}  // namespace tessaly
