// The criteria view: the four words and their operators, the saved words,
// the Category and Direct Search, and the summary of the options.
#include "window/qt/main_window.h"

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
constexpr int Label6 = 2870;
constexpr int firstSummary = 3160;
constexpr int summaryStep = 290;
}  // namespace row

}  // namespace

void MainWindow::buildCriteriaView(FileSystem& files) {
    frameSearch = new QFrame(this);
    frameSearch->setObjectName(QStringLiteral("frameSearch"));
    frameSearch->setFrameShape(QFrame::StyledPanel);

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
            (*groups[index])[button]->setGeometry(pixels(left), 0, pixels(widths[button]),
                                                  pixels(row::optionHeight));
            left += widths[button] + 40;
        }
    }

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

void MainWindow::buildSummary() {
    Label6 = label(frameSearch, "Label6", "Search Options", Qt::AlignCenter);
    QFont heading = Label6->font();
    heading.setBold(true);
    Label6->setFont(heading);
    lblText->setFont(heading);
    Label1->setFont(heading);
    lblCat->setFont(heading);

    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    struct SummaryRow {
        QLabel** caption;
        const char* captionName;
        const char* captionText;
        std::initializer_list<std::pair<QLabel**, std::pair<const char*, const char*>>> values;
    };
    const SummaryRow rows[] = {
        {&Label7, "Label7", "Match Case", {{&caseYes, {"caseYes", "Yes"}}, {&caseNo, {"caseNo", "No"}}}},
        {&Label19, "Label19", "Smart Search",
         {{&smartYes, {"smartYes", "YES"}}, {&smartNo, {"smartNo", "NO"}}}},
        {&Label8, "Label8", "Search Subfolders",
         {{&subYes, {"subYes", "Yes"}}, {&subNo, {"subNo", "No"}}}},
        {&Label10, "Label10", "Show Hits",
         {{&showAll, {"showAll", "All Hits"}}, {&showOne, {"showOne", "One Hit Only"}}}},
        {&Label11, "Label11", "Number of Words Around",
         {{&numTen, {"numTen", "10"}}, {&numTwenty, {"numTwenty", "20"}}, {&numThirty, {"numThirty", "30"}}}},
        {&Label12, "Label12", "Time Stamp", {{&timeStamp, {"timeStamp", "All Files"}}}},
        {&Label16, "Label16", "File Extensions", {{&lblExt, {"lblExt", "All File Types"}}}},
        {&Label18, "Label18", "Nearby Words", {{&nearbyLabel, {"nearbyLabel", "Don't Apply"}}}},
        {&Label17, "Label17", "Display", {{&dispOption, {"dispOption", "Name and Text"}}}},
        {&Label15, "Label15", "Viewer Starts at",
         {{&lblBeginning, {"lblBeginning", "Beginning of File"}}}},
        {&Label20, "Label20", "File Name Started with",
         {{&beginningLetter, {"beginningLetter", "Any Letters"}}}},
        {&Label21, "Label21", "Which Files", {{&scopeLabel, {"scopeLabel", "Usual Files"}}}},
    };
    int top = row::firstSummary;
    for (const SummaryRow& summary : rows) {
        *summary.caption = label(frameSearch, summary.captionName, summary.captionText);
        (*summary.caption)->setProperty("summaryTop", top);
        for (const auto& [control, nameAndText] : summary.values) {
            *control = label(frameSearch, nameAndText.first, nameAndText.second, right);
            (*control)->setProperty("summaryTop", top);
            (*control)->setProperty("summaryCaption", QVariant::fromValue<QObject*>(*summary.caption));
            // A screen reader reads the value shown, and the caption it belongs to.
            (*control)->setAccessibleDescription(QString::fromUtf8(summary.captionText));
            (*control)->setTextFormat(Qt::PlainText);
        }
        top += row::summaryStep;
    }
    // Hidden until the summary refresh picks one of each pair.
    for (QLabel* second : {caseYes, smartYes, smartNo, subNo, showAll, numTwenty, numThirty})
        second->hide();
}

void MainWindow::layOutCriteriaView(const MainLayout& l) {
    place(frameSearch, l.frameSearch, row::viewTop, row::viewHeight);
    place(lblText, l.searchText, row::lblText, row::labelHeight);
    for (int index = 0; index < 4; ++index)
        place(searchText[index], l.searchText, row::searchText[index], row::boxHeight);
    QWidget* pictures[3] = {Picture1, Picture2, Picture3};
    for (int index = 0; index < 3; ++index)
        place(pictures[index], l.operatorGroup, row::picture[index], row::optionHeight);
    place(searchAdd, l.wordButtons, row::searchAdd, row::buttonHeight);
    place(searchCopy, l.wordButtons, row::searchCopy, row::buttonHeight);
    place(Label1, l.wordList, row::lblText, row::labelHeight);
    place(wordList, l.wordList, row::wordList, row::wordListHeight);
    place(searchRemove, {l.searchRemove.left, 1000}, row::wordButtons, row::buttonHeight);
    place(searchRemoveAll, l.searchRemoveAll, row::wordButtons, row::buttonHeight);
    place(separater, l.separater, row::separater, 40);
    place(Label6, l.wordList, row::Label6, row::labelHeight);
    for (QObject* child : frameSearch->children()) {
        auto* summary = qobject_cast<QLabel*>(child);
        if (!summary || !summary->property("summaryTop").isValid()) continue;
        const int top = summary->property("summaryTop").toInt();
        const bool value = summary->alignment() & Qt::AlignRight;
        place(summary, value ? l.summaryValue : l.summaryCaption, top, row::labelHeight);
        // A long value ("12/8/2021 - 12/8/2026") takes the room its caption
        // leaves, rather than losing its first characters.
        if (const auto* caption = qobject_cast<QLabel*>(summary->property("summaryCaption").value<QObject*>())) {
            const int left = caption->x() + caption->fontMetrics().horizontalAdvance(caption->text()) + pixels(100);
            const int right = summary->geometry().right();
            if (left < summary->x()) summary->setGeometry(left, summary->y(), right - left + 1, summary->height());
        }
    }
    place(lblCat, l.searchCat, row::lblCat, row::labelHeight);
    place(searchCat, l.searchCat, row::searchCat, row::boxHeight);
    place(listCategory, l.searchCat, row::listCategory, row::listCategoryHeight);
    place(chkQSearch, {l.searchCat.left + (l.searchCat.width - 1400) / 2, 1400}, row::chkQSearch,
       row::optionHeight);
    place(qDrive, l.searchCat, row::qDrive, row::boxHeight);
    place(qDirPath, l.searchCat, row::qDirPath, row::qDirPathHeight);
    place(qDirList, l.searchCat, row::qDirList, row::qDirListHeight);

}

}  // namespace tessaly
