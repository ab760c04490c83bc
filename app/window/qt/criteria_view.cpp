#include "window/qt/criteria_view.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "platform/qt/drive_list.h"
#include "platform/qt/folder_list.h"
#include "platform/qt/named_button.h"
#include "window/main_layout.h"
#include "window/qt/form_parts.h"
#include "platform/qt/control_tip.h"

namespace tessaly {

namespace {

using form::checkBox;
using form::label;
using form::operatorGroup;

// The rows of the view, in twips from the top of frameSearch.
namespace row {
using namespace form::row;
// frameSearch, left column.
constexpr int lblText = 120;
constexpr int searchText[4] = {380, 1035, 1690, 2345};
constexpr int picture[3] = {715, 1370, 2025};
constexpr int lblCat = 2800;
constexpr int searchCat = 3060;
constexpr int listCategory = 3420;
// The folder list gives Direct Search's list the room its folder label took:
// a list of folders with icons shows three rows and more, not two and a half.
constexpr int listCategoryHeight = 1100;
constexpr int chkQSearch = 4580;
constexpr int qDrive = 4890;
constexpr int qDirPath = 5230;
constexpr int qDirPathHeight = 240;
constexpr int qDirList = 5490;
constexpr int qDirListHeight = 1300;

// frameSearch, right column.
constexpr int searchAdd = 900;
constexpr int searchCopy = 1400;
constexpr int wordList = 380;
constexpr int wordListHeight = 1900;
constexpr int wordButtons = 2340;
constexpr int separater = 2800;
}  // namespace row

// Widths the view gives these controls; it centres and aligns by them.
constexpr int searchTextLeft = 150;
constexpr int operatorGroupWidth = 3300;
constexpr int wordButtonWidth = 450;  // >> and <<
constexpr int removeAllWidth = 1100;

}  // namespace

CriteriaView::CriteriaView(QWidget* window, const TwipScale& scale, FileSystem& files) : scale_(scale) {
    frameSearch = new QFrame(window);
    frameSearch->setObjectName(QStringLiteral("frameSearch"));
    frameSearch->setFrameShape(QFrame::StyledPanel);
    buildWords();
    buildSavedWords();
    buildCategory(files);

    QFont heading = lblText->font();
    heading.setBold(true);
    for (QLabel* caption : {lblText, Label1, lblCat}) caption->setFont(heading);
}

void CriteriaView::buildWords() {

    lblText = label(frameSearch, "lblText", "Search Text", Qt::AlignCenter);
    for (int index = 0; index < 4; ++index) {
        searchText[index] = new QLineEdit(frameSearch);
        searchText[index]->setObjectName(QStringLiteral("searchText_%1").arg(index));
        searchText[index]->setAccessibleName(QStringLiteral("Search word %1").arg(index + 1));
        setTip(searchText[index], QStringLiteral("Enter search text or word with wildcard *"));
    }
    QWidget** pictures[3] = {&Picture1, &Picture2, &Picture3};
    OperatorGroup* groups[3] = {&Opt1, &Opt2, &Opt3};
    for (int index = 0; index < 3; ++index) {
        *pictures[index] = new QWidget(frameSearch);
        (*pictures[index])->setObjectName(QStringLiteral("Picture%1").arg(index + 1));
        *groups[index] = operatorGroup(*pictures[index], index + 1);
        (*pictures[index])
            ->setAccessibleName(QStringLiteral("Operator between word %1 and word %2")
                                    .arg(index + 1)
                                    .arg(index + 2));
        const int widths[4] = {660, 600, 660, 1000};
        int left = 120;
        for (int button = 0; button < 4; ++button) {
            scale_.place((*groups[index])[button], left, 0, widths[button], row::optionHeight);
            left += widths[button] + 40;
        }
    }

}

void CriteriaView::buildSavedWords() {
    Label1 = label(frameSearch, "Label1", "Saved Search Text", Qt::AlignCenter);
    wordList = new QListWidget(frameSearch);
    wordList->setObjectName(QStringLiteral("wordList"));
    wordList->setAccessibleName(QStringLiteral("Saved search words"));
    setTip(wordList, QStringLiteral("Text searched before."));
    searchAdd = namedButton(frameSearch, "searchAdd", ">>", "Save the search text.");
    searchAdd->setAccessibleName(QStringLiteral("Save the search text"));
    searchCopy = namedButton(frameSearch, "searchCopy", "<<",
                               "Copy the selected text into the search field.");
    searchCopy->setAccessibleName(QStringLiteral("Copy into the search field"));
    searchRemove =
        namedButton(frameSearch, "searchRemove", "&Remove", "Delete the selected text.");
    searchRemoveAll =
        namedButton(frameSearch, "searchRemoveAll", "R&emove All", "Delete all text.");
    separater = new QFrame(frameSearch);
    separater->setObjectName(QStringLiteral("separater"));
    separater->setFrameShape(QFrame::HLine);
    separater->setFrameShadow(QFrame::Sunken);

}

void CriteriaView::buildCategory(FileSystem& files) {
    lblCat = label(frameSearch, "lblCat", "Group of Folders", Qt::AlignCenter);
    searchCat = new QComboBox(frameSearch);
    searchCat->setObjectName(QStringLiteral("searchCat"));
    // Named by its caption: a screen reader says "Group of Folders, Animals"
    // and finds the caption as the box's label.
    lblCat->setBuddy(searchCat);
    listCategory = new QListWidget(frameSearch);
    listCategory->setObjectName(QStringLiteral("listCategory"));
    listCategory->setAccessibleName(QStringLiteral("Folders of the category"));
    chkQSearch = checkBox(frameSearch, "chkQSearch", "Direct Search", "Enable/disable quick search");
    qDrive = new DriveList(frameSearch);
    qDrive->setObjectName(QStringLiteral("qDrive"));
    qDrive->setAccessibleName(QStringLiteral("Drive"));
    setTip(qDrive, QStringLiteral("Select drive"));
    qDirList = new FolderList(files, frameSearch);
    qDirList->setObjectName(QStringLiteral("qDirList"));
    qDirList->setAccessibleName(QStringLiteral("Folder to search"));
    setTip(qDirList, QStringLiteral("Double click to select folder to search"));
    // The list shows what is inside the folder, never the folder itself.
    qDirPath = new QLabel(frameSearch);
    qDirPath->setObjectName(QStringLiteral("qDirPath"));
    qDirPath->setAccessibleDescription(QStringLiteral("The folder Direct Search searches"));
}

CriteriaView::Columns CriteriaView::columns(int windowWidth) {
    Columns c;
    c.frameSearch = {100, windowWidth - 200};
    const int frameWidth = c.frameSearch.width;
    c.searchText = {searchTextLeft, frameWidth / 2 - 450};
    c.operatorGroup = {c.searchText.left + (c.searchText.width - operatorGroupWidth) / 2, operatorGroupWidth};
    c.wordButtons = {c.searchText.right() + 175, wordButtonWidth};
    c.wordList = {c.wordButtons.right() + 175, frameWidth - c.searchText.left - c.searchText.width - 800 - 175};
    c.searchRemove = {c.wordList.left, 1000};
    c.searchRemoveAll = rightAligned(frameWidth, removeAllWidth, 255);
    c.separater = {c.wordList.left - 500, c.wordList.width + 500};
    c.searchCat = c.searchText;
    return c;
}

void CriteriaView::layOut(const Columns& l) {
    scale_.place(frameSearch, l.frameSearch, row::viewTop, row::viewHeight);
    scale_.place(lblText, l.searchText, row::lblText, row::labelHeight);
    for (int index = 0; index < 4; ++index)
        scale_.place(searchText[index], l.searchText, row::searchText[index], row::boxHeight);
    QWidget* pictures[3] = {Picture1, Picture2, Picture3};
    for (int index = 0; index < 3; ++index)
        scale_.place(pictures[index], l.operatorGroup, row::picture[index], row::optionHeight);
    scale_.place(searchAdd, l.wordButtons, row::searchAdd, row::buttonHeight);
    scale_.place(searchCopy, l.wordButtons, row::searchCopy, row::buttonHeight);
    scale_.place(Label1, l.wordList, row::lblText, row::labelHeight);
    scale_.place(wordList, l.wordList, row::wordList, row::wordListHeight);
    scale_.place(searchRemove, l.searchRemove, row::wordButtons, row::buttonHeight);
    scale_.place(searchRemoveAll, l.searchRemoveAll, row::wordButtons, row::buttonHeight);
    scale_.place(separater, l.separater, row::separater, 40);
    scale_.place(lblCat, l.searchCat, row::lblCat, row::labelHeight);
    scale_.place(searchCat, l.searchCat, row::searchCat, row::boxHeight);
    scale_.place(listCategory, l.searchCat, row::listCategory, row::listCategoryHeight);
    scale_.place(chkQSearch, {l.searchCat.left + (l.searchCat.width - 1400) / 2, 1400}, row::chkQSearch,
       row::optionHeight);
    scale_.place(qDrive, l.searchCat, row::qDrive, row::boxHeight);
    scale_.place(qDirPath, l.searchCat, row::qDirPath, row::qDirPathHeight);
    scale_.place(qDirList, l.searchCat, row::qDirList, row::qDirListHeight);
}

}  // namespace tessaly
