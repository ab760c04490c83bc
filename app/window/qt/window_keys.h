// The keys a Linux user presses in the main window, beside the & mnemonics
// of its commands: Enter in a word box starts the search, Escape stops a
// run, Ctrl+Q exits, F1 opens Help, Ctrl+F goes to the first word box.
// Each acts only where the command it stands for could be clicked.
#pragma once

namespace tessaly {

class MainWindow;

void installWindowKeys(MainWindow& window);

}  // namespace tessaly
