#include "window/qt/options_panel_view.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "criteria/search_scope.h"
#include "platform/qt/named_button.h"
#include "platform/qt/spin_control.h"
#include "window/main_layout.h"
#include "window/qt/form_parts.h"
#include "platform/qt/control_tip.h"

namespace tessaly {

namespace {

using form::checkBox;
using form::groupFrame;
using form::label;
using form::optionButton;
using form::pageFrame;
using form::readOnlyText;

// The rows of the panel and its second page, in twips from the top of each
// control's parent.
namespace row {
using namespace form::row;
// frameAdvanced.
constexpr int panelTop = 120;
constexpr int panelHeight = 6620;
constexpr int optCase = 150;
constexpr int useFilter = 440;
constexpr int groupHeight = 570;
constexpr int groupOption = 250;  // inside a group
constexpr int frameTypes = 740;
constexpr int frameView = 1350;
constexpr int frameResults = 1960;
constexpr int Frame1 = 2570;
constexpr int frameNumWords = 3180;
constexpr int frameTimeStamp = 3790;
constexpr int frameTimeStampHeight = 1220;
constexpr int timeRow[3] = {260, 580, 900};  // inside frameTimeStamp
constexpr int nearby = 5110;
constexpr int fileText = 5500;
constexpr int panelButtons = 6050;
constexpr int calendar = 1100;
constexpr int radioWidth = 250;  // an option button without a caption

// frameScope, in frameAdvanced's place.
constexpr int lblScope = 150;
constexpr int lblScopeFolders = 560;
constexpr int scopeFolders = 820;
constexpr int lblScopeFoldersHint = 1160;
constexpr int lblScopeFoldersHintHeight = 480;
constexpr int scopeHidden = 1800;
constexpr int scopeBinary = 2130;
constexpr int scopeDocuments = 2460;
constexpr int scopeSize = 2900;
constexpr int scopeDocumentTime = 3340;
constexpr int scopeNames = 3760;
constexpr int scopeRemember = 4290;
constexpr int scopeForget = 4850;
}  // namespace row

}  // namespace

OptionsPanelView::OptionsPanelView(QWidget* frame, const TwipScale& scale) : scale_(scale) {
    frameAdvanced = pageFrame(frame, "frameAdvanced", "Search options");
    buildChoices();
    buildTimeStamp(frame);
    buildScopePage(frame);
}

void OptionsPanelView::buildChoices() {

    optCase = checkBox(frameAdvanced, "optCase", "Match Case",
                       "Indicate if the search text is case sensitive.");
    useFilter = checkBox(frameAdvanced, "useFilter", "Smart Search",
                         "Indicate if smart search should be made. ");
    searchSub = checkBox(frameAdvanced, "searchSub", "Search Subfolders",
                         "Indicate if subdirectories should be searched.");

    frameTypes = groupFrame(frameAdvanced, "frameTypes", "Search File Types", nullptr);
    typeAll = optionButton(frameTypes, QStringLiteral("typeAll"), "All");
    optType = optionButton(frameTypes, QStringLiteral("optType"), "");
    optType->setAccessibleName(QStringLiteral("Only these extensions"));
    typeText = new QLineEdit(frameTypes);
    typeText->setObjectName(QStringLiteral("typeText"));
    typeText->setAccessibleName(QStringLiteral("File extensions"));
    setTip(typeText, QStringLiteral("File extension"));

    frameView = groupFrame(frameAdvanced, "frameView", "Quick Viewer Starts at", nullptr);
    FileBeginning = optionButton(frameView, QStringLiteral("FileBeginning"), "Beginning of File");
    FoundWord = optionButton(frameView, QStringLiteral("FoundWord"), "First Word Found");

    frameResults =
        groupFrame(frameAdvanced, "frameResults", "Show Hits", "Show one hit or all hits.");
    resultOpt[0] = optionButton(frameResults, QStringLiteral("resultOpt_0"), "All Hits");
    resultOpt[1] = optionButton(frameResults, QStringLiteral("resultOpt_1"), "One Hit Only");

    Frame1 = groupFrame(frameAdvanced, "Frame1", "Display", nullptr);
    DispFull = optionButton(Frame1, QStringLiteral("DispFull"), "Name and Text");
    DispName = optionButton(Frame1, QStringLiteral("DispName"), "Name Only");

    frameNumWords = groupFrame(frameAdvanced, "frameNumWords", "Number of Surrounding Words",
                               "Show how many words around the search text.");
    static constexpr const char* counts[3] = {"10", "20", "30"};
    for (int index = 0; index < 3; ++index)
        wordOpt[index] = optionButton(frameNumWords, QStringLiteral("wordOpt_%1").arg(index),
                                      counts[index]);

    nearbyCheck = checkBox(frameAdvanced, "nearbyCheck", "Number of Nearby Words", nullptr);
    nearbyText = readOnlyText(frameAdvanced, "nearbyText", "Number of Nearby Words");
    nearbyScroll = new SpinControl(frameAdvanced);
    nearbyScroll->setObjectName(QStringLiteral("nearbyScroll"));
    nearbyScroll->setAccessibleName(QStringLiteral("Number of Nearby Words"));
    nearbyScroll->setRange(1, 200);

    fileText = new QLineEdit(frameAdvanced);
    fileText->setObjectName(QStringLiteral("fileText"));
    fileText->setAccessibleName(QStringLiteral("File Name Started with"));
    setTip(fileText, QStringLiteral("Only search files started with specified letters"));
    auto* letters = label(frameAdvanced, "lblFileText", "File Name Started with");
    letters->setBuddy(fileText);

    searchScope = namedButton(frameAdvanced, "searchScope", "&Which Files...",
                              "Folders left out, hidden and binary files, the largest file size, "
                              "documents.");
    advOK = namedButton(frameAdvanced, "advOK", "&OK", "Accept any changes.");
    advCancel = namedButton(frameAdvanced, "advCancel", "&Cancel", "Undo any changes.");

    // Rows that do not move with the width.
    const TwipScale& at = scale_;
    at.place(optCase, 200, row::optCase, 1700, row::optionHeight);
    at.place(useFilter, 200, row::useFilter, 1700, row::optionHeight);
    at.place(typeAll, 150, row::groupOption, 800, row::optionHeight);
    at.place(optType, 900, row::groupOption, row::radioWidth, row::optionHeight);
    at.place(FileBeginning, 150, row::groupOption, 1850, row::optionHeight);
    at.place(resultOpt[1], 150, row::groupOption, 1850, row::optionHeight);
    at.place(DispFull, 150, row::groupOption, 1850, row::optionHeight);
    at.place(nearbyCheck, 200, row::nearby, 2700, row::optionHeight);
    at.place(letters, 200, row::fileText, 2200, row::boxHeight);
    at.place(searchScope, 200, row::panelButtons, 1500, row::buttonHeight);
}

void OptionsPanelView::buildTimeStamp(QWidget* frame) {
    frameTimeStamp = groupFrame(frameAdvanced, "frameTimeStamp", "Time Stamp",
                                "Search files based on their date.");
    optAll = optionButton(frameTimeStamp, QStringLiteral("optAll"), "");
    optAll->setAccessibleName(QStringLiteral("All Files"));
    optYear = optionButton(frameTimeStamp, QStringLiteral("optYear"), "");
    optYear->setAccessibleName(QStringLiteral("During Past"));
    optFromTo = optionButton(frameTimeStamp, QStringLiteral("optFromTo"), "");
    optFromTo->setAccessibleName(QStringLiteral("Between two dates"));
    timeValue = readOnlyText(frameTimeStamp, "timeValue", "Months");
    timeYear = new SpinControl(frameTimeStamp);
    timeYear->setObjectName(QStringLiteral("timeYear"));
    timeYear->setAccessibleName(QStringLiteral("Months"));
    timeYear->setRange(1, 12);
    dateFrom = readOnlyText(frameTimeStamp, "dateFrom", "From date");
    dateTo = readOnlyText(frameTimeStamp, "dateTo", "To date");
    fromButton = namedButton(frameTimeStamp, "fromButton", "&From", "Click to set date.");
    toButton = namedButton(frameTimeStamp, "toButton", "&To", "Click to set date.");

    // The calendars float over the panel while a date is picked.
    for (QCalendarWidget** calendar : {&monthViewFrom, &monthViewTo}) {
        *calendar = new QCalendarWidget(frame);
        (*calendar)->setGridVisible(true);
        (*calendar)->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
        (*calendar)->hide();
    }
    monthViewFrom->setObjectName(QStringLiteral("monthViewFrom"));
    monthViewFrom->setAccessibleName(QStringLiteral("From date"));
    monthViewTo->setObjectName(QStringLiteral("monthViewTo"));
    monthViewTo->setAccessibleName(QStringLiteral("To date"));

    // Captions the panel shows beside controls that have none of their own.
    auto* allFiles = label(frameTimeStamp, "lblAllFiles", "All Files");
    auto* duringPast = label(frameTimeStamp, "lblDuringPast", "During Past");
    auto* months = label(frameTimeStamp, "lblMonths", "Month(s)");
    allFiles->setBuddy(optAll);
    duringPast->setBuddy(optYear);

    const TwipScale& at = scale_;
    const int radioWidth = row::radioWidth;
    const int times[3] = {row::timeRow[0], row::timeRow[1], row::timeRow[2]};
    at.place(optAll, 150, times[0], radioWidth, row::optionHeight);
    at.place(allFiles, 420, times[0], 1200, row::optionHeight);
    at.place(optYear, 150, times[1], radioWidth, row::optionHeight);
    at.place(duringPast, 420, times[1], 1050, row::optionHeight);
    at.place(timeValue, 1500, times[1] - 20, 420, row::boxHeight);
    at.place(timeYear, 1930, times[1] - 20, 220, row::boxHeight);
    at.place(months, 2210, times[1], 1000, row::optionHeight);
    at.place(optFromTo, 150, times[2], radioWidth, row::optionHeight);
    at.place(dateFrom, 420, times[2] - 20, 1000, row::boxHeight);
    at.place(fromButton, 1440, times[2] - 30, 560, row::boxHeight + 20);
    at.place(dateTo, 2040, times[2] - 20, 1000, row::boxHeight);
    at.place(toButton, 3060, times[2] - 30, 560, row::boxHeight + 20);
}

void OptionsPanelView::buildScopePage(QWidget* frame) {
    frameScope = pageFrame(frame, "frameScope", "Which files");
    frameScope->hide();

    auto* heading = label(frameScope, "lblScope", "Which Files");
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);

    auto* folders = label(frameScope, "lblScopeFolders", "Leave Out Folders Named");
    scopeFolders = new QLineEdit(frameScope);
    scopeFolders->setObjectName(QStringLiteral("scopeFolders"));
    scopeFolders->setAccessibleName(QStringLiteral("Left-out folders"));
    setTip(scopeFolders,
        QStringLiteral("Folders whose name matches one of these patterns are not searched. Separate "
                       "the patterns with ; (a name may hold spaces); * and ? stand for any "
                       "characters."));
    folders->setBuddy(scopeFolders);
    scopeFoldersHint = label(frameScope, "scopeFoldersHint",
                             "Patterns separated by ; for example .git; node_modules; build*");
    scopeFoldersHint->setWordWrap(true);
    scopeFoldersHint->setEnabled(false);  // drawn as a hint, not as a caption

    scopeHidden = checkBox(frameScope, "scopeHidden", "Include Hidden Files and Folders",
                           "Search files and folders whose name begins with a dot.");
    scopeBinary = checkBox(frameScope, "scopeBinary", "Include Binary Files",
                           "Search files that hold no text (programs, images) as well.");
    scopeDocuments = checkBox(frameScope, "scopeDocuments", "Search Documents as Their Text",
                              "Search PDF, OpenDocument, Office and EPUB files as the text they "
                              "show; unchecked, as their raw bytes.");
    scopeDocuments->setChecked(SearchScope{}.documentsAsText);

    auto* size = label(frameScope, "lblScopeSize", "Largest File Size");
    scopeSize = new QSpinBox(frameScope);
    scopeSize->setObjectName(QStringLiteral("scopeSize"));
    scopeSize->setAccessibleName(QStringLiteral("Largest file size in megabytes"));
    setTip(scopeSize, QStringLiteral("Larger files are not searched; 0 for any size."));
    scopeSize->setRange(0, 1024 * 1024);  // a terabyte
    scopeSize->setSuffix(QStringLiteral(" MB"));
    scopeSize->setSpecialValueText(QStringLiteral("Any Size"));
    size->setBuddy(scopeSize);

    auto* documentTime = label(frameScope, "lblScopeDocumentTime", "Time for One Document");
    scopeDocumentTime = new QSpinBox(frameScope);
    scopeDocumentTime->setObjectName(QStringLiteral("scopeDocumentTime"));
    scopeDocumentTime->setAccessibleName(QStringLiteral("Time for one document in seconds"));
    setTip(scopeDocumentTime,
        QStringLiteral("A document whose text takes longer than this to read is named and passed over."));
    scopeDocumentTime->setRange(1, 3600);
    scopeDocumentTime->setSuffix(QStringLiteral(" s"));
    scopeDocumentTime->setValue(static_cast<int>(SearchScope{}.documentSecondsLimit));
    documentTime->setBuddy(scopeDocumentTime);

    scopeNames = checkBox(frameScope, "scopeNames", "Also find files whose names hold the words",
                          "List a file whose name holds the words even when its text does not.");
    scopeNames->setChecked(SearchScope{}.namesSearched);
    // Two lines, as the one below.
    scopeNames->setText(QStringLiteral("Also find files whose names\nhold the words"));
    scopeNames->setAccessibleName(QStringLiteral("Also find files whose names hold the words"));
    scopeRemember = checkBox(frameScope, "scopeRemember", "Remember words of searched files (faster searches)",
                             "Keep the words of the files searched in a cache, so that later searches pass "
                             "over the unchanged files that cannot match.");
    scopeRemember->setChecked(SearchScope{}.rememberWords);
    // Two lines, so that the narrowest window shows all of it.
    scopeRemember->setText(QStringLiteral("Remember words of searched files\n(faster searches)"));
    scopeRemember->setAccessibleName(QStringLiteral("Remember words of searched files (faster searches)"));
    scopeForget = namedButton(frameScope, "scopeForget", "Forget Remembered &Words",
                              "Empty the cache of the words of searched files.");
    scopeRemembered = label(frameScope, "scopeRemembered", "");
    scopeBack = namedButton(frameScope, "scopeBack", "&Back", "Back to the other options.");

    const TwipScale& at = scale_;
    at.place(heading, 200, row::lblScope, 2700, row::labelHeight);
    at.place(folders, 200, row::lblScopeFolders, 2700, row::labelHeight);
    at.place(scopeHidden, 200, row::scopeHidden, 3600, row::optionHeight);
    at.place(scopeBinary, 200, row::scopeBinary, 3600, row::optionHeight);
    at.place(scopeDocuments, 200, row::scopeDocuments, 3600, row::optionHeight);
    at.place(size, 200, row::scopeSize, 1800, row::boxHeight);
    at.place(documentTime, 200, row::scopeDocumentTime, 2200, row::boxHeight);
    at.place(scopeNames, 200, row::scopeNames, 3600, 2 * row::optionHeight);
    at.place(scopeRemember, 200, row::scopeRemember, 3600, 2 * row::optionHeight);
    at.place(scopeForget, 200, row::scopeForget, 2400, row::buttonHeight);
    at.place(scopeRemembered, 2750, row::scopeForget, 3800, row::buttonHeight);
}

namespace {

// Across, inside frameAdvanced, or inside a group where marked.
struct PanelColumns {
    Span frameAdvanced;  // in frameSearch; frameScope the same
    Span group;          // every group frame
    Span groupControl;   // inside a group: its right-hand button
    Span typeText;       // inside frameTypes
    Span advOK;
    Span searchSub;
};

PanelColumns panelColumns(const CriteriaView::Columns& criteria) {
    constexpr int groupControlWidth = 1750;
    constexpr int typeTextLeft = 1200;
    constexpr int panelButtonWidth = 1000;
    constexpr int searchSubWidth = 1800;
    PanelColumns c;
    // 880 wider than the saved words it covers.
    c.frameAdvanced = {criteria.searchText.right() + 100, criteria.wordList.width + 880};
    c.group = {200, c.frameAdvanced.width - 400};
    c.groupControl = rightAligned(c.group.width, groupControlWidth, 100);
    c.typeText = {typeTextLeft, c.group.width - typeTextLeft - 100};
    c.advOK = rightAligned(c.frameAdvanced.width, panelButtonWidth, 180);
    c.searchSub = rightAligned(c.frameAdvanced.width, searchSubWidth, 180);
    return c;
}

}  // namespace

void OptionsPanelView::layOut(const CriteriaView::Columns& criteria) {
    const PanelColumns l = panelColumns(criteria);
    scale_.place(frameAdvanced, l.frameAdvanced, row::panelTop, row::panelHeight);
    scale_.place(searchSub, l.searchSub, row::optCase, row::optionHeight);
    struct Group {
        QGroupBox* frame;
        int top;
        int height;
    };
    const Group groups[] = {{frameTypes, row::frameTypes, row::groupHeight},
                            {frameView, row::frameView, row::groupHeight},
                            {frameResults, row::frameResults, row::groupHeight},
                            {Frame1, row::Frame1, row::groupHeight},
                            {frameNumWords, row::frameNumWords, row::groupHeight},
                            {frameTimeStamp, row::frameTimeStamp, row::frameTimeStampHeight}};
    for (const Group& group : groups) scale_.place(group.frame, l.group, group.top, group.height);
    // Inside its group's frame, below the frame's caption and above its
    // lower edge: the rows in twips reach past the edge at 96 dpi.
    const QRect inside = frameTypes->contentsRect();
    typeText->setGeometry(scale_.pixels(l.typeText.left), inside.top() + 1, scale_.pixels(l.typeText.width),
                          inside.height() - 2);
    scale_.place(FoundWord, l.groupControl, row::groupOption, row::optionHeight);
    scale_.place(resultOpt[0], l.groupControl, row::groupOption, row::optionHeight);
    scale_.place(DispName, l.groupControl, row::groupOption, row::optionHeight);
    // The three counts stand in a row that ends where the other groups' buttons end.
    const int countWidth = 600;
    for (int index = 0; index < 3; ++index)
        scale_.place(wordOpt[index],
           {l.groupControl.right() - (3 - index) * countWidth, countWidth}, row::groupOption,
           row::optionHeight);
    scale_.place(nearbyText, {l.advOK.right() - 720, 480}, row::nearby - 20, row::boxHeight);
    scale_.place(nearbyScroll, {l.advOK.right() - 220, 220}, row::nearby - 20, row::boxHeight);
    scale_.place(fileText, {l.advOK.right() - 1500, 1500}, row::fileText, row::boxHeight);
    scale_.place(advOK, l.advOK, row::panelButtons, row::buttonHeight);
    scale_.place(advCancel, {l.advOK.left - 1100, 1000}, row::panelButtons, row::buttonHeight);
    scale_.place(frameScope, l.frameAdvanced, row::panelTop, row::panelHeight);
    scale_.place(scopeFolders, l.group, row::scopeFolders, row::boxHeight);
    scale_.place(scopeFoldersHint, l.group, row::lblScopeFoldersHint, row::lblScopeFoldersHintHeight);
    scale_.place(scopeSize, {l.advOK.right() - 1500, 1500}, row::scopeSize, row::boxHeight);
    scale_.place(scopeDocumentTime, {l.advOK.right() - 1500, 1500}, row::scopeDocumentTime, row::boxHeight);
    scale_.place(scopeBack, l.advOK, row::panelButtons, row::buttonHeight);
    for (QCalendarWidget* calendar : {monthViewFrom, monthViewTo}) {
        const QSize size = calendar->sizeHint();
        calendar->setGeometry(frameAdvanced->x() + scale_.pixels(200),
                              frameAdvanced->y() + scale_.pixels(row::calendar),
                              std::max(size.width(), scale_.pixels(3600)), size.height());
    }
}

}  // namespace tessaly
