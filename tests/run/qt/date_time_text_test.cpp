#include "run/qt/date_time_text.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QLocale>

namespace tessaly {
namespace {

TEST(DateTimeText, TimeZoneFieldsAreTakenOutOfTheFormat) {
    const struct {
        const char* format;
        const char* expected;
    } cases[] = {
        {"HH:mm:ss t", "HH:mm:ss"},
        {"h:mm:ss AP t", "h:mm:ss AP"},
        {"tttt HH:mm:ss", "HH:mm:ss"},
        {"HH:mm:ss (t)", "HH:mm:ss ()"},
        {"H 'Uhr' mm 't' t ss", "H 'Uhr' mm 't' ss"},
        {"HH:mm:ss", "HH:mm:ss"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(withoutTimeZone(QString::fromUtf8(c.format)).toStdString(), c.expected) << c.format;
}

TEST(DateTimeText, ShortDateThenTheTimeWithSeconds) {
    const QDateTime moment(QDate(2003, 3, 15), QTime(10, 4, 5));
    const std::string text = dateTimeText(static_cast<std::time_t>(moment.toSecsSinceEpoch()));
    const QLocale locale = QLocale::system();
    const std::string date = locale.toString(moment.date(), QLocale::ShortFormat).toStdString();
    EXPECT_EQ(text.rfind(date + " ", 0), 0u) << text;
    EXPECT_NE(text.find("05"), std::string::npos) << text;
    const std::string zone = moment.timeZoneAbbreviation().toStdString();
    if (!zone.empty()) {
        EXPECT_EQ(text.find(zone, date.size()), std::string::npos) << text;
    }
}

}  // namespace
}  // namespace tessaly
