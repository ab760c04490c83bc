// The saved search words of the current Category: the list `wordList` beside
// the four search boxes, with ">>" to save what the boxes hold, "<<" to copy
// a saved text back, and the two Remove buttons. Every change to the list is
// written to the word file at once.
#pragma once

#include <string>
#include <QObject>

namespace tessaly {

class MainWindow;
struct Services;

// Remove and "<<" act on the selected saved text, so they are usable only
// while one is selected.
void updateSavedWordButtons(MainWindow& window);

class WordList : public QObject {
    Q_OBJECT

public:
    // The word file is in `dataFolder`.
    WordList(MainWindow& window, std::string dataFolder, Services& services, QObject* parent = nullptr);

    // Stores the entries of `wordList` as the saved words of the Category the
    // Category box names now.
    void saveWordList();

    // ">>": adds each search text the list does not hold yet, in box order.
    void saveSearchTexts();
    // "<<": puts the selected saved text into the first empty search box.
    // With nothing selected there is nothing to copy, and nothing happens.
    void copySelectedText();
    void removeSelected();
    void removeAll();
    // ">>" is usable while some box holds text and direct search is off:
    // direct search has no Category to save the words under.
    void updateSaveButton();

private:
    MainWindow& window_;
    std::string dataFolder_;  // ends in "/"
    Services& services_;
};

}  // namespace tessaly
