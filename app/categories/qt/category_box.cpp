#include "categories/qt/category_box.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "categories/qt/category_names.h"
#include "categories/qt/guarded_category_files.h"
#include "categories/qt/word_list.h"
#include "window/qt/main_window.h"

namespace tessaly {

CategoryBox::CategoryBox(MainWindow& window, Services& services,
                         std::function<void()> refreshRunArguments, QObject* parent)
    : QObject(parent),
      window_(window),
      services_(services),
      refreshRunArguments_(std::move(refreshRunArguments)) {
    // A pick by the person; choosing by program (start-up, the editor) loads
    // by its own call.
    connect(window_.searchCat, &QComboBox::activated, this, &CategoryBox::loadCategory);
}

void CategoryBox::fillNames() {
    setCategoryNames(*window_.searchCat,
                     GuardedCategoryFiles(services_, window_.state.dataFolder).categoryNames());
}

void CategoryBox::setCategoryText(const QString& name) {
    selectCategory(*window_.searchCat, name);
}

QString CategoryBox::categoryText() const {
    return tessaly::categoryText(*window_.searchCat);
}

void CategoryBox::loadCategory() {
    GuardedCategoryFiles files(services_, window_.state.dataFolder);
    const QString name = categoryText();

    if (!name.isEmpty()) window_.wordList->clear();
    window_.wordList->addItems(files.savedWords(name));
    updateSavedWordButtons(window_);

    if (name != QLatin1String(kNewCategoryPrompt)) {
        window_.listCategory->clear();
        for (QLineEdit* box : window_.searchText) box->clear();
    }
    window_.listCategory->addItems(files.folders(name));

    if (refreshRunArguments_) refreshRunArguments_();
}

}  // namespace tessaly
