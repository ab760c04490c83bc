#include "categories/qt/category_names.h"

#include <QComboBox>

namespace tessaly {

namespace {

int findName(const QComboBox& box, const QString& name) {
    return box.findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
}

}  // namespace

QString categoryText(const QComboBox& box) {
    return box.currentIndex() >= 0 ? box.itemText(box.currentIndex()) : QString();
}

void selectCategory(QComboBox& box, const QString& name) {
    box.setCurrentIndex(findName(box, name));
}

void setCategoryNames(QComboBox& box, const QStringList& names) {
    box.clear();
    box.addItems(names);
    box.setCurrentIndex(-1);
}

void moveCategoryToEnd(QComboBox& box, const QString& name) {
    removeCategoryName(box, name);
    box.addItem(name);
    box.setCurrentIndex(box.count() - 1);
}

void removeCategoryName(QComboBox& box, const QString& name) {
    const int index = findName(box, name);
    if (index >= 0) box.removeItem(index);
}

QStringList categoryNamesOf(const QComboBox& box) {
    QStringList names;
    for (int index = 0; index < box.count(); ++index) names.append(box.itemText(index));
    return names;
}

}  // namespace tessaly
