// Which commands of the main window can be used in each state of a search:
// the criteria view, a run going on, a run ended, and the results looked at
// again with Found.
#pragma once

namespace tessaly {

class MainWindow;

// Start: the results view, the green light, only Stop to press.
void enterRunState(MainWindow& window);
// The run ended: Main, Print, Save, Viewer and Detail; the red light.
void enterFinishedState(MainWindow& window);
// Main: back to the criteria; the next Start clears the old results.
void enterCriteriaState(MainWindow& window);
// Found: the last results again, as a finished run left them.
void enterFoundState(MainWindow& window);

}  // namespace tessaly
