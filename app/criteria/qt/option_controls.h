// The options live in the main window's controls and nowhere else; these
// functions move them between the controls and the plain `Options` record
// (the settings file, the search run), and keep the read-only summary of the
// main view in step with the controls.
//
// Who sets which summary label:
// - refreshSummary: every value label of the summary except `nearbyLabel`,
//   `beginningLetter` and `scopeLabel` included;
// - showNearbyState: `nearbyLabel`, together with the NEARBY operator buttons,
//   because the two always change together (start-up and accepting the panel;
//   cancelling the panel touches neither).
#pragma once

#include "criteria/options.h"

namespace tessaly {

class MainWindow;

// Sets every option control from `options`: the panel's controls and the
// three operator groups. A group whose value is `noButton` is left with no
// button selected. The Category box and the window geometry are start-up's.
// The nearby count is held to the surrounding-word count, as selecting a
// surrounding-word button by hand would hold it.
void showOptions(MainWindow& window, const Options& options);

// What the controls hold now, with the Category box's text as `searchCat`;
// the windows' sizes are the program's to add.
Options readOptions(const MainWindow& window);

// The four word boxes, searchText 0 to 3.
SearchWords readSearchWords(const MainWindow& window);
void writeSearchWords(MainWindow& window, const SearchWords& words);

// The summary labels from the option controls.
void refreshSummary(MainWindow& window);

// Nearby on: `nearbyLabel` shows the count and the three NEARBY buttons are
// enabled. Off: "Don't Apply" and NEARBY disabled (a selected NEARBY stays
// selected); at start-up the count's controls are disabled as well.
void showNearbyState(MainWindow& window, bool startUp);

// The upper limit of the nearby count follows the selected surrounding-word
// button (10, 20 or 30); a count above it comes down to it, in the spin
// control and in `nearbyText` alike.
void applyNearbyLimit(MainWindow& window);

// `nearbyText` shows the spin control's count in plain decimal.
void showNearbyCount(MainWindow& window);

}  // namespace tessaly
