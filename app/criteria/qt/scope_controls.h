// The scope lives in the controls of the options panel's second page, as the
// options live in the first page's; these move it between the controls and
// the plain `SearchScope` (the scope settings file, the search run).
#pragma once

#include "criteria/search_scope.h"

namespace tessaly {

class MainWindow;

// The largest size shows in whole megabytes, rounded up; a size the
// settings file gave in bytes is read back as it was while the person
// leaves the count alone.
void showScope(MainWindow& window, const SearchScope& scope);
SearchScope readScope(const MainWindow& window);

// The summary's `scopeLabel`, with every setting in its tool tip.
void refreshScopeSummary(MainWindow& window);

}  // namespace tessaly
