// The text of a .xlsx workbook: its sheets in the workbook's order, each row
// a line with its cells separated by tabs: shared and inline strings, numbers
// as they are stored, formula results.
#pragma once

#include "documents/package_text.h"

namespace tessaly {

void readSpreadsheet(PackageText& package);

}  // namespace tessaly
