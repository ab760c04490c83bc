// The Category box `searchCat` of the main window and `loadCategory`, which
// makes the Category it names current: its folders in `listCategory`, its
// saved words in `wordList`, fresh search boxes and fresh run arguments.
#pragma once

#include <string>
#include <QObject>
#include <QString>
#include <functional>

namespace tessaly {

class MainWindow;
struct Services;

class CategoryBox : public QObject {
    Q_OBJECT

public:
    // `refreshRunArguments` sets the run arguments from the option controls,
    // as each Category change must. The category file is in `dataFolder`.
    CategoryBox(MainWindow& window, std::string dataFolder, Services& services,
                std::function<void()> refreshRunArguments, QObject* parent = nullptr);

    // Lists the Categories of the category file, in file order, with none
    // chosen.
    void fillNames();

    // Chooses the Category of that name; a name the list does not hold leaves
    // the box with none chosen, and its text then reads "".
    void setCategoryText(const QString& name);
    QString categoryText() const;

    // Makes the Category the box names current. With no Category chosen the
    // folder list and the search boxes are emptied and the saved words kept;
    // a Category named as the editor's prompt refills only the saved words,
    // since the editor uses that name while nothing is decided yet.
    void loadCategory();

private:
    MainWindow& window_;
    std::string dataFolder_;  // ends in "/"
    Services& services_;
    std::function<void()> refreshRunArguments_;
};

}  // namespace tessaly
