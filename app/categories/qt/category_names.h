// The Category box of the main window and the name box of the category
// editor both hold Category names; these are the rules for what such a box
// says and how names get in and out of it.
#pragma once

#include <QString>
#include <QStringList>

class QComboBox;

namespace tessaly {

// The name the category editor shows for a Category not yet named.
inline constexpr const char* kNewCategoryPrompt = "Enter Group Name Here";

// The text of the main window's Category box. The box is not editable, so it
// says what its chosen entry says, and "" while no entry is chosen: a name
// that is not in the list never lingers there.
QString categoryText(const QComboBox& box);

// Chooses the first entry equal to `name` (case-sensitive); with no such
// entry nothing is chosen and the text reads "".
void selectCategory(QComboBox& box, const QString& name);

// Replaces the list with `names`, in their order, with nothing chosen: Qt
// would choose the first entry by itself, and that would make a Category
// look current that nobody picked.
void setCategoryNames(QComboBox& box, const QStringList& names);

// Takes the first entry equal to `name` out of the list and adds it at the
// end, chosen: a Category just saved comes last, as a new one does.
void moveCategoryToEnd(QComboBox& box, const QString& name);

// Takes the first entry equal to `name` out of the list, if there is one.
void removeCategoryName(QComboBox& box, const QString& name);

// The entries of the box's list, in order.
QStringList categoryNamesOf(const QComboBox& box);

}  // namespace tessaly
