#include "run/run_filters.h"

#include <string>

namespace tessaly {

DateWindowOptions dateWindowOptions(const Options& options) {
    DateWindowOptions dates;
    dates.optFromTo = options.timeStamp == TimeStamp::optFromTo;
    dates.optYear = options.timeStamp == TimeStamp::optYear;
    dates.dateFrom = options.dateFrom;
    dates.dateTo = options.dateTo;
    dates.timeValue = std::to_string(options.timeValue);
    return dates;
}

FileFilterOptions fileFilterOptions(const Options& options) {
    FileFilterOptions filters;
    filters.fileText = options.fileText;
    filters.typeAll = options.fileTypes == FileTypes::typeAll;
    filters.optType = options.fileTypes == FileTypes::optType;
    filters.typeText = options.typeText;
    return filters;
}

}  // namespace tessaly
