#include "categories/qt/word_list.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>

#include "categories/qt/category_names.h"
#include "categories/qt/guarded_category_files.h"
#include "categories/qt/stored_texts.h"
#include "window/qt/main_window.h"
#include "window/qt/criteria_view.h"
#include "window/qt/services.h"

namespace tessaly {

namespace {

bool holdsEntry(const QListWidget& list, const QString& text) {
    return !list.findItems(text, Qt::MatchExactly | Qt::MatchCaseSensitive).isEmpty();
}

QListWidgetItem* selectedEntry(const QListWidget& list) {
    const QList<QListWidgetItem*> selected = list.selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

}  // namespace

void updateSavedWordButtons(MainWindow& window) {
    const bool selected = selectedEntry(*window.criteria().wordList) != nullptr;
    window.criteria().searchRemove->setEnabled(selected);
    window.criteria().searchCopy->setEnabled(selected);
}

WordList::WordList(MainWindow& window, std::string dataFolder, Services& services, QObject* parent)
    : QObject(parent), window_(window), dataFolder_(std::move(dataFolder)), services_(services) {
    connect(window_.criteria().searchAdd, &QPushButton::clicked, this, &WordList::saveSearchTexts);
    connect(window_.criteria().searchCopy, &QPushButton::clicked, this, &WordList::copySelectedText);
    connect(window_.criteria().searchRemove, &QPushButton::clicked, this, &WordList::removeSelected);
    connect(window_.criteria().searchRemoveAll, &QPushButton::clicked, this, &WordList::removeAll);
    connect(window_.criteria().wordList, &QListWidget::itemSelectionChanged, this,
            [this] { updateSavedWordButtons(window_); });
    for (QLineEdit* box : window_.criteria().searchText)
        connect(box, &QLineEdit::textChanged, this, &WordList::updateSaveButton);
}

void WordList::saveWordList() {
    GuardedCategoryFiles(services_, dataFolder_)
        .saveWords(categoryText(*window_.criteria().searchCat), entriesOf(*window_.criteria().wordList));
}

void WordList::saveSearchTexts() {
    if (categoryText(*window_.criteria().searchCat).isEmpty()) {
        services_.boxes.show(QStringLiteral("You must specify the index!"),
                             QStringLiteral("Index Missing"), MessageIcon::CriticalStop,
                             MessageButtons::Ok);
        window_.criteria().searchCat->setFocus();
        return;
    }
    for (const QLineEdit* box : window_.criteria().searchText) {
        const QString text = box->text();
        if (!text.isEmpty() && !holdsEntry(*window_.criteria().wordList, text))
            window_.criteria().wordList->addItem(text);
    }
    // Whatever hid Remove All, a list with a selected text must offer it.
    if (selectedEntry(*window_.criteria().wordList) && window_.criteria().searchRemoveAll->isHidden())
        window_.criteria().searchRemoveAll->show();
    saveWordList();
}

void WordList::copySelectedText() {
    const QListWidgetItem* entry = selectedEntry(*window_.criteria().wordList);
    if (!entry) return;
    const auto& boxes = window_.criteria().searchText;
    const auto empty = std::find_if(boxes.begin(), boxes.end(),
                                    [](const QLineEdit* box) { return box->text().isEmpty(); });
    if (empty == boxes.end()) {
        services_.boxes.show(
            QStringLiteral("Please delete the text in the field you want to copy to!"),
            QStringLiteral("Copy Searching Text"), MessageIcon::Exclamation, MessageButtons::Ok);
        return;
    }
    const QString saved = entry->text();
    if (std::any_of(boxes.begin(), boxes.end(),
                    [&](const QLineEdit* box) { return box->text() == saved; })) {
        services_.desktop.beep();
        return;
    }
    (*empty)->setText(saved);
}

void WordList::removeSelected() {
    QListWidgetItem* entry = selectedEntry(*window_.criteria().wordList);
    if (!entry) return;
    delete window_.criteria().wordList->takeItem(window_.criteria().wordList->row(entry));
    updateSavedWordButtons(window_);
    saveWordList();
}

void WordList::removeAll() {
    window_.criteria().wordList->clear();
    updateSavedWordButtons(window_);
    saveWordList();
}

void WordList::updateSaveButton() {
    const auto& boxes = window_.criteria().searchText;
    const bool anyText = std::any_of(boxes.begin(), boxes.end(),
                                     [](const QLineEdit* box) { return !box->text().isEmpty(); });
    window_.criteria().searchAdd->setEnabled(anyText && !window_.criteria().chkQSearch->isChecked());
}

}  // namespace tessaly
