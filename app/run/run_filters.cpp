#include "run/run_filters.h"

#include <string>

namespace tessaly {

DateWindowOptions dateWindowOptions(const Options& options) {
    DateWindowOptions dates;
    dates.between = options.dateRule == DateRule::between;
    dates.inPastMonths = options.dateRule == DateRule::inPastMonths;
    dates.dateFrom = options.dateFrom;
    dates.dateTo = options.dateTo;
    dates.pastMonths = std::to_string(options.pastMonths);
    return dates;
}

FileFilterOptions fileFilterOptions(const Options& options) {
    FileFilterOptions filters;
    filters.nameStartLetters = options.nameStartLetters;
    filters.everyType = options.fileTypes == FileTypes::every;
    filters.listedTypesOnly = options.fileTypes == FileTypes::listed;
    filters.typeList = options.typeList;
    return filters;
}

}  // namespace tessaly
