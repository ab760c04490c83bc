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
    const bool selected = selectedEntry(*window.wordList) != nullptr;
    window.searchRemove->setEnabled(selected);
    window.searchCopy->setEnabled(selected);
}

WordList::WordList(MainWindow& window, Services& services, QObject* parent)
    : QObject(parent), window_(window), services_(services) {
    connect(window_.searchAdd, &QPushButton::clicked, this, &WordList::saveSearchTexts);
    connect(window_.searchCopy, &QPushButton::clicked, this, &WordList::copySelectedText);
    connect(window_.searchRemove, &QPushButton::clicked, this, &WordList::removeSelected);
    connect(window_.searchRemoveAll, &QPushButton::clicked, this, &WordList::removeAll);
    connect(window_.wordList, &QListWidget::itemSelectionChanged, this,
            [this] { updateSavedWordButtons(window_); });
    for (QLineEdit* box : window_.searchText)
        connect(box, &QLineEdit::textChanged, this, &WordList::updateSaveButton);
}

void WordList::saveWordList() {
    GuardedCategoryFiles(services_, window_.state.dataFolder)
        .saveWords(categoryText(*window_.searchCat), entriesOf(*window_.wordList));
}

void WordList::saveSearchTexts() {
    if (categoryText(*window_.searchCat).isEmpty()) {
        services_.boxes.show(QStringLiteral("You must specify the index!"),
                             QStringLiteral("Index Missing"), MessageIcon::CriticalStop,
                             MessageButtons::Ok);
        window_.searchCat->setFocus();
        return;
    }
    for (const QLineEdit* box : window_.searchText) {
        const QString text = box->text();
        if (!text.isEmpty() && !holdsEntry(*window_.wordList, text))
            window_.wordList->addItem(text);
    }
    // Whatever hid Remove All, a list with a selected text must offer it.
    if (selectedEntry(*window_.wordList) && window_.searchRemoveAll->isHidden())
        window_.searchRemoveAll->show();
    saveWordList();
}

void WordList::copySelectedText() {
    const QListWidgetItem* entry = selectedEntry(*window_.wordList);
    if (!entry) return;
    const auto& boxes = window_.searchText;
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
    QListWidgetItem* entry = selectedEntry(*window_.wordList);
    if (!entry) return;
    delete window_.wordList->takeItem(window_.wordList->row(entry));
    updateSavedWordButtons(window_);
    saveWordList();
}

void WordList::removeAll() {
    window_.wordList->clear();
    updateSavedWordButtons(window_);
    saveWordList();
}

void WordList::updateSaveButton() {
    const auto& boxes = window_.searchText;
    const bool anyText = std::any_of(boxes.begin(), boxes.end(),
                                     [](const QLineEdit* box) { return !box->text().isEmpty(); });
    window_.searchAdd->setEnabled(anyText && !window_.chkQSearch->isChecked());
}

}  // namespace tessaly
