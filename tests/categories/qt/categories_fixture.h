// A main window over a fresh data folder with the Category box and the
// saved-word list wired, its file system able to fail on demand: the tests
// of this folder write the two data files, drive the controls and then read
// the files' bytes back.
#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "categories/qt/category_box.h"
#include "categories/qt/category_names.h"
#include "categories/qt/stored_texts.h"
#include "categories/qt/word_list.h"
#include "scripted_file_system.h"
#include "window_fixture.h"
#include "window/qt/criteria_view.h"

namespace tessaly::test {

class CategoriesFixture : public ::testing::Test {
protected:
    static constexpr const char* kCategoryFile = "tyindex.ini";
    static constexpr const char* kWordFile = "tyword.ini";

    MainWindow& window() { return *fixture.window; }

    void write(const std::string& name, const std::string& bytes) {
        fixture.data.write(name, bytes);
    }
    // The file's bytes; "<missing>" when there is no such file.
    std::string read(const std::string& name) const {
        std::ifstream in(fixture.dataFile(name), std::ios::binary);
        if (!in) return "<missing>";
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // Lists the category file's names and makes `current` the Category shown.
    void showCategory(const QString& current) {
        categoryBox.fillNames();
        categoryBox.setCategoryText(current);
        categoryBox.loadCategory();
    }

    void setSearchTexts(const QStringList& texts) {
        for (int index = 0; index < 4; ++index)
            window().criteria().searchText[index]->setText(texts.value(index));
    }
    QStringList searchTexts() {
        QStringList texts;
        for (QLineEdit* box : window().criteria().searchText) texts.append(box->text());
        return texts;
    }
    QStringList savedWords() { return entriesOf(*window().criteria().wordList); }
    QStringList folders() { return entriesOf(*window().criteria().listCategory); }
    QStringList categoryNames() { return categoryNamesOf(*window().criteria().searchCat); }

    QStringList askedTexts() const {
        QStringList texts;
        for (const AskedBox& box : fixture.boxes.asked()) texts.append(box.text);
        return texts;
    }

    ScriptedFileSystem files;
    WindowFixture fixture{files};
    int refreshes = 0;
    CategoryBox categoryBox{window(), fixture.dataFolder(), fixture.services, [this] { ++refreshes; }};
    WordList wordList{window(), fixture.dataFolder(), fixture.services};
};

}  // namespace tessaly::test
