// A file's last-modified moment as the result headings show it: the short
// date and the time with seconds, in the person's regional settings.
#pragma once

#include <QString>
#include <ctime>
#include <string>

namespace tessaly {

std::string dateTimeText(std::time_t moment);

// A Qt time format with its time-zone fields ("t" to "tttt") taken out:
// every file on the disk is shown in the local zone, and a zone name would
// only lengthen each heading.
QString withoutTimeZone(const QString& timeFormat);

}  // namespace tessaly
