#include "run/qt/date_time_text.h"

#include <QDateTime>
#include <QLocale>
#include <algorithm>
#include <ctime>
#include <unordered_map>

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
    // read once, and a day or a time of day already written is not written
    // again (files of one folder mostly share their day).
    static const QLocale locale = QLocale::system();
    static const QString dateFormat = locale.dateFormat(QLocale::ShortFormat);
    static const QString timeFormat = withoutTimeZone(locale.timeFormat(QLocale::LongFormat));
    thread_local std::unordered_map<int, std::string> days, times;
    // Files installed together have the same moment, to the second.
    thread_local std::time_t lastMoment = -1;
    thread_local std::string lastText;
    if (moment == lastMoment) return lastText;
    // Not QDateTime's local time: it asks the system for the time zone again
    // at every call, a look at /etc/localtime per heading.
    std::tm parts{};
    if (!localtime_r(&moment, &parts)) return {};
    const int day = (parts.tm_year * 13 + parts.tm_mon) * 32 + parts.tm_mday;
    thread_local int lastDay = -1;
    thread_local const std::string* lastDate = nullptr;
    if (day != lastDay) {
        auto date = days.find(day);
        if (date == days.end()) {
            const QDate shown(parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday);
            date = days.emplace(day, locale.toString(shown, dateFormat).toStdString()).first;
        }
        lastDay = day;
        lastDate = &date->second;
    }
    const int second = (parts.tm_hour * 60 + parts.tm_min) * 60 + std::min(parts.tm_sec, 59);
    auto time = times.find(second);
    if (time == times.end()) {
        const QTime shown(parts.tm_hour, parts.tm_min, std::min(parts.tm_sec, 59));
        time = times.emplace(second, locale.toString(shown, timeFormat).toStdString()).first;
    }
    lastMoment = moment;
    lastText = *lastDate + ' ' + time->second;
    return lastText;
}

}  // namespace tessaly
