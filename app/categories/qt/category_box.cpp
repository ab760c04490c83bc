#include "categories/qt/category_box.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "categories/qt/category_names.h"
#include "categories/qt/guarded_category_files.h"
#include "categories/qt/word_list.h"
#include "window/qt/main_window.h"
#include "window/qt/criteria_view.h"

namespace tessaly {

CategoryBox::CategoryBox(MainWindow& window, std::string dataFolder, Services& services,
                         std::function<void()> refreshRunArguments, QObject* parent)
    : QObject(parent),
      window_(window),
      dataFolder_(std::move(dataFolder)),
      services_(services),
      refreshRunArguments_(std::move(refreshRunArguments)) {
    // A pick by the person; choosing by program (start-up, the editor) loads
    // by its own call.
    connect(window_.criteria().searchCat, &QComboBox::activated, this, &CategoryBox::loadCategory);
}

void CategoryBox::fillNames() {
    setCategoryNames(*window_.criteria().searchCat,
                     GuardedCategoryFiles(services_, dataFolder_).categoryNames());
}

void CategoryBox::setCategoryText(const QString& name) {
    selectCategory(*window_.criteria().searchCat, name);
}

QString CategoryBox::categoryText() const {
    return tessaly::categoryText(*window_.criteria().searchCat);
}

void CategoryBox::loadCategory() {
    GuardedCategoryFiles files(services_, dataFolder_);
    const QString name = categoryText();

    if (!name.isEmpty()) window_.criteria().wordList->clear();
    window_.criteria().wordList->addItems(files.savedWords(name));
    updateSavedWordButtons(window_);

    if (name != QLatin1String(kNewCategoryPrompt)) {
        window_.criteria().listCategory->clear();
        for (QLineEdit* box : window_.criteria().searchText) box->clear();
    }
    window_.criteria().listCategory->addItems(files.folders(name));

    if (refreshRunArguments_) refreshRunArguments_();
}

}  // namespace tessaly
