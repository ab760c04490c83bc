// What the date window and the file filters read from the options: the
// window and the command line set them up the same way.
#pragma once

#include "criteria/options.h"
#include "run/date_window.h"
#include "run/file_filter.h"

namespace tessaly {

DateWindowOptions dateWindowOptions(const Options& options);
FileFilterOptions fileFilterOptions(const Options& options);

}  // namespace tessaly
