#include "window/qt/main_window.h"

#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <cmath>

#include "platform/qt/drive_list.h"
#include "platform/qt/folder_list.h"
#include "platform/qt/named_button.h"
#include "platform/qt/growing_rich_text_box.h"
#include "platform/qt/rich_text_box.h"
#include "platform/qt/spin_control.h"
#include "criteria/search_scope.h"
#include "window/main_layout.h"
#include "window/qt/divider_bar.h"

namespace tessaly {

namespace {

// The rows of the window, in twips from the top of each control's parent.
// The height never changes, so they are laid out once.
namespace row {
constexpr int commandTop = 60;
constexpr int commandHeight = 375;
constexpr int viewTop = 500;
constexpr int viewHeight = 6880;
constexpr int statusTop = 7470;
constexpr int statusHeight = 300;

constexpr int labelHeight = 240;
constexpr int boxHeight = 315;
constexpr int buttonHeight = 345;
constexpr int optionHeight = 270;

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
}  // namespace row

QLabel* label(QWidget* parent, const char* name, const char* text,
              Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter) {
    auto* created = new QLabel(QString::fromUtf8(text), parent);
    created->setObjectName(QString::fromLatin1(name));
    created->setAlignment(alignment);
    return created;
}

QRadioButton* optionButton(QWidget* parent, const QString& name, const char* caption) {
    auto* button = new QRadioButton(QString::fromUtf8(caption), parent);
    button->setObjectName(name);
    return button;
}

QCheckBox* checkBox(QWidget* parent, const char* name, const char* caption, const char* tip) {
    auto* box = new QCheckBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    if (tip) {
        box->setToolTip(QString::fromUtf8(tip));
        box->setAccessibleDescription(box->toolTip());
    }
    return box;
}

QLineEdit* readOnlyText(QWidget* parent, const char* name, const char* accessibleName) {
    auto* text = new QLineEdit(parent);
    text->setObjectName(QString::fromLatin1(name));
    text->setReadOnly(true);
    text->setAccessibleName(QString::fromUtf8(accessibleName));
    return text;
}

QGroupBox* groupFrame(QWidget* parent, const char* name, const char* caption, const char* tip) {
    auto* frame = new QGroupBox(QString::fromUtf8(caption), parent);
    frame->setObjectName(QString::fromLatin1(name));
    if (tip) {
        frame->setToolTip(QString::fromUtf8(tip));
        frame->setAccessibleDescription(frame->toolTip());
    }
    return frame;
}

QPixmap light(const QColor& colour) {
    QPixmap pixmap(12, 12);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(colour.darker(150));
    painter.setBrush(colour);
    painter.drawEllipse(1, 1, 10, 10);
    return pixmap;
}

OperatorGroup operatorGroup(QWidget* picture, int number) {
    static constexpr const char* captions[4] = {"AND", "OR", "NOT", "NEARBY"};
    OperatorGroup group{};
    auto* buttons = new QButtonGroup(picture);
    for (int index = 0; index < 4; ++index) {
        group[index] = optionButton(
            picture, QStringLiteral("Opt%1_%2").arg(number).arg(index), captions[index]);
        buttons->addButton(group[index], index);
    }
    group[0]->setChecked(true);
    return group;
}

}  // namespace

MainWindow::MainWindow(FileSystem& files, QWidget* parent)
    : QWidget(parent), dividerLeft_(layout::defaultDivider) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromLatin1(kCaption));
    // The window was designed for an 8-point face; its rows are measured for it.
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    buildCommands();
    buildCriteriaView(files);
    buildSummary();
    buildOptionsPanel();
    buildResultsView();
    buildStatusRow();

    // The rows were laid out for a 640x480 screen: the window may grow
    // taller, and the results view takes the room.
    setMinimumWidth(pixels(layout::minimumWidth));
    setMinimumHeight(pixels(layout::fixedHeight));
    resize(pixels(layout::minimumWidth), pixels(layout::fixedHeight));
    layOut();
    setReadingTabOrder();
}

// Tab goes as a person reads the window: the commands, then the left column
// (each word with the operator after it, the Category, Direct Search), then
// the saved words on the right. Hidden and resting controls are passed over.
void MainWindow::setReadingTabOrder() {
    std::vector<QWidget*> order = {searchNow,    searchStop,   searchConfig, searchOption,
                                   searchBrowse, viewPrev,     buttonView,   buttonDetail,
                                   searchPrint,  searchSave,   helpCfg,      stExit};
    const OperatorGroup* operators[3] = {&Opt1, &Opt2, &Opt3};
    for (int index = 0; index < 4; ++index) {
        order.push_back(searchText[index]);
        if (index < 3)
            for (QRadioButton* choice : *operators[index]) order.push_back(choice);
    }
    for (QWidget* next : {static_cast<QWidget*>(searchCat), static_cast<QWidget*>(listCategory),
                          static_cast<QWidget*>(chkQSearch), static_cast<QWidget*>(qDrive),
                          static_cast<QWidget*>(qDirList), static_cast<QWidget*>(searchAdd),
                          static_cast<QWidget*>(searchCopy), static_cast<QWidget*>(wordList),
                          static_cast<QWidget*>(searchRemove), static_cast<QWidget*>(searchRemoveAll)})
        order.push_back(next);
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

int MainWindow::pixels(int twips) const {
    return static_cast<int>(std::lround(twips * static_cast<double>(logicalDpiX()) / 1440.0));
}

int MainWindow::twips(int pixels) const {
    return static_cast<int>(std::lround(pixels * 1440.0 / logicalDpiX()));
}

void MainWindow::buildCommands() {
    struct Command {
        QPushButton** control;
        const char* name;
        const char* caption;
        const char* tip;
    };
    const Command commands[] = {
        {&searchNow, "searchNow", "&Start", "Start Searching"},
        {&searchStop, "searchStop", "S&top", "Stop Searching"},
        {&searchConfig, "searchConfig", "&Main", "Back to Main Window"},
        {&searchOption, "searchOption", "&Option", "Search Options"},
        {&searchBrowse, "searchBrowse", "&Group", "Make or change a Category"},
        {&viewPrev, "viewPrev", "&Found", "View Result"},
        {&buttonView, "buttonView", "&Viewer", "Quick Viewer"},
        {&buttonDetail, "buttonDetail", "&Detail", "View in Application"},
        {&searchPrint, "searchPrint", "&Print", "Print Result"},
        {&searchSave, "searchSave", "S&ave", "Save Result"},
        {&helpCfg, "helpCfg", "&Help", "Show Help"},
        {&stExit, "stExit", "&Exit", "Exit Tessaly"},
    };
    constexpr int width = 630;
    constexpr int gap = 45;
    int left = 100;
    for (const Command& command : commands) {
        *command.control = namedButton(this, command.name, command.caption, command.tip);
        (*command.control)->setGeometry(pixels(left), pixels(row::commandTop), pixels(width),
                                        pixels(row::commandHeight));
        left += width + gap;
    }
    searchNow->setDefault(true);
}

void MainWindow::buildCriteriaView(FileSystem& files) {
    frameSearch = new QFrame(this);
    frameSearch->setObjectName(QStringLiteral("frameSearch"));
    frameSearch->setFrameShape(QFrame::StyledPanel);

    lblText = label(frameSearch, "lblText", "Search Text", Qt::AlignCenter);
    for (int index = 0; index < 4; ++index) {
        searchText[index] = new QLineEdit(frameSearch);
        searchText[index]->setObjectName(QStringLiteral("searchText_%1").arg(index));
        searchText[index]->setAccessibleName(QStringLiteral("Search word %1").arg(index + 1));
        searchText[index]->setToolTip(QStringLiteral("Enter search text or word with wildcard *"));
        searchText[index]->setAccessibleDescription(searchText[index]->toolTip());
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
    wordList->setToolTip(QStringLiteral("Text searched before."));
    wordList->setAccessibleDescription(wordList->toolTip());
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
    qDrive->setToolTip(QStringLiteral("Select drive"));
    qDrive->setAccessibleDescription(qDrive->toolTip());
    qDirList = new FolderList(files, frameSearch);
    qDirList->setObjectName(QStringLiteral("qDirList"));
    qDirList->setAccessibleName(QStringLiteral("Folder to search"));
    qDirList->setToolTip(QStringLiteral("Double click to select folder to search"));
    qDirList->setAccessibleDescription(qDirList->toolTip());
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

void MainWindow::buildOptionsPanel() {
    frameAdvanced = new QFrame(frameSearch);
    frameAdvanced->setObjectName(QStringLiteral("frameAdvanced"));
    frameAdvanced->setFrameShape(QFrame::Panel);
    frameAdvanced->setFrameShadow(QFrame::Raised);
    frameAdvanced->setAutoFillBackground(true);
    frameAdvanced->setAccessibleName(QStringLiteral("Search options"));

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
    typeText->setToolTip(QStringLiteral("File extension"));
    typeText->setAccessibleDescription(typeText->toolTip());

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

    nearbyCheck = checkBox(frameAdvanced, "nearbyCheck", "Number of Nearby Words", nullptr);
    nearbyText = readOnlyText(frameAdvanced, "nearbyText", "Number of Nearby Words");
    nearbyScroll = new SpinControl(frameAdvanced);
    nearbyScroll->setObjectName(QStringLiteral("nearbyScroll"));
    nearbyScroll->setAccessibleName(QStringLiteral("Number of Nearby Words"));
    nearbyScroll->setRange(1, 200);

    fileText = new QLineEdit(frameAdvanced);
    fileText->setObjectName(QStringLiteral("fileText"));
    fileText->setAccessibleName(QStringLiteral("File Name Started with"));
    fileText->setToolTip(QStringLiteral("Only search files started with specified letters"));
    fileText->setAccessibleDescription(fileText->toolTip());

    searchScope = namedButton(frameAdvanced, "searchScope", "&Which Files...",
                              "Folders left out, hidden and binary files, the largest file size, "
                              "documents.");
    advOK = namedButton(frameAdvanced, "advOK", "&OK", "Accept any changes.");
    advCancel = namedButton(frameAdvanced, "advCancel", "&Cancel", "Undo any changes.");

    // The calendars float over the panel while a date is picked.
    for (QCalendarWidget** calendar : {&monthViewFrom, &monthViewTo}) {
        *calendar = new QCalendarWidget(frameSearch);
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
    auto* letters = label(frameAdvanced, "lblFileText", "File Name Started with");
    allFiles->setBuddy(optAll);
    duringPast->setBuddy(optYear);
    letters->setBuddy(fileText);

    // Rows that do not move with the width.
    const auto at = [this](QWidget* control, int left, int top, int width, int height) {
        control->setGeometry(pixels(left), pixels(top), pixels(width), pixels(height));
    };
    at(optCase, 200, row::optCase, 1700, row::optionHeight);
    at(useFilter, 200, row::useFilter, 1700, row::optionHeight);
    const int radioWidth = 250;
    at(typeAll, 150, row::groupOption, 800, row::optionHeight);
    at(optType, 900, row::groupOption, radioWidth, row::optionHeight);
    at(FileBeginning, 150, row::groupOption, 1850, row::optionHeight);
    at(resultOpt[1], 150, row::groupOption, 1850, row::optionHeight);
    at(DispFull, 150, row::groupOption, 1850, row::optionHeight);
    const int times[3] = {row::timeRow[0], row::timeRow[1], row::timeRow[2]};
    at(optAll, 150, times[0], radioWidth, row::optionHeight);
    at(allFiles, 420, times[0], 1200, row::optionHeight);
    at(optYear, 150, times[1], radioWidth, row::optionHeight);
    at(duringPast, 420, times[1], 1050, row::optionHeight);
    at(timeValue, 1500, times[1] - 20, 420, row::boxHeight);
    at(timeYear, 1930, times[1] - 20, 220, row::boxHeight);
    at(months, 2210, times[1], 1000, row::optionHeight);
    at(optFromTo, 150, times[2], radioWidth, row::optionHeight);
    at(dateFrom, 420, times[2] - 20, 1000, row::boxHeight);
    at(fromButton, 1440, times[2] - 30, 560, row::boxHeight + 20);
    at(dateTo, 2040, times[2] - 20, 1000, row::boxHeight);
    at(toButton, 3060, times[2] - 30, 560, row::boxHeight + 20);
    at(nearbyCheck, 200, row::nearby, 2700, row::optionHeight);
    at(letters, 200, row::fileText, 2200, row::boxHeight);
    at(searchScope, 200, row::panelButtons, 1500, row::buttonHeight);

    buildScopePage();
}

void MainWindow::buildScopePage() {
    frameScope = new QFrame(frameSearch);
    frameScope->setObjectName(QStringLiteral("frameScope"));
    frameScope->setFrameShape(QFrame::Panel);
    frameScope->setFrameShadow(QFrame::Raised);
    frameScope->setAutoFillBackground(true);
    frameScope->setAccessibleName(QStringLiteral("Which files"));
    frameScope->hide();

    auto* heading = label(frameScope, "lblScope", "Which Files");
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);

    auto* folders = label(frameScope, "lblScopeFolders", "Leave Out Folders Named");
    scopeFolders = new QLineEdit(frameScope);
    scopeFolders->setObjectName(QStringLiteral("scopeFolders"));
    scopeFolders->setAccessibleName(QStringLiteral("Left-out folders"));
    scopeFolders->setToolTip(
        QStringLiteral("Folders whose name matches one of these patterns are not searched. Separate "
                       "the patterns with ; (a name may hold spaces); * and ? stand for any "
                       "characters."));
    scopeFolders->setAccessibleDescription(scopeFolders->toolTip());
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
    scopeSize->setToolTip(QStringLiteral("Larger files are not searched; 0 for any size."));
    scopeSize->setAccessibleDescription(scopeSize->toolTip());
    scopeSize->setRange(0, 1024 * 1024);  // a terabyte
    scopeSize->setSuffix(QStringLiteral(" MB"));
    scopeSize->setSpecialValueText(QStringLiteral("Any Size"));
    size->setBuddy(scopeSize);

    auto* documentTime = label(frameScope, "lblScopeDocumentTime", "Time for One Document");
    scopeDocumentTime = new QSpinBox(frameScope);
    scopeDocumentTime->setObjectName(QStringLiteral("scopeDocumentTime"));
    scopeDocumentTime->setAccessibleName(QStringLiteral("Time for one document in seconds"));
    scopeDocumentTime->setToolTip(
        QStringLiteral("A document whose text takes longer than this to read is named and passed over."));
    scopeDocumentTime->setAccessibleDescription(scopeDocumentTime->toolTip());
    scopeDocumentTime->setRange(1, 3600);
    scopeDocumentTime->setSuffix(QStringLiteral(" s"));
    scopeDocumentTime->setValue(static_cast<int>(SearchScope{}.documentSecondsLimit));
    documentTime->setBuddy(scopeDocumentTime);

    scopeBack = namedButton(frameScope, "scopeBack", "&Back", "Back to the other options.");

    const auto at = [this](QWidget* control, int left, int top, int width, int height) {
        control->setGeometry(pixels(left), pixels(top), pixels(width), pixels(height));
    };
    at(heading, 200, row::lblScope, 2700, row::labelHeight);
    at(folders, 200, row::lblScopeFolders, 2700, row::labelHeight);
    at(scopeHidden, 200, row::scopeHidden, 3600, row::optionHeight);
    at(scopeBinary, 200, row::scopeBinary, 3600, row::optionHeight);
    at(scopeDocuments, 200, row::scopeDocuments, 3600, row::optionHeight);
    at(size, 200, row::scopeSize, 1800, row::boxHeight);
    at(documentTime, 200, row::scopeDocumentTime, 2200, row::boxHeight);
}

void MainWindow::buildResultsView() {
    dispResult = new QTabWidget(this);
    dispResult->setObjectName(QStringLiteral("dispResult"));
    auto* allFiles = new QWidget;
    allFiles->setObjectName(QStringLiteral("allFilesPage"));
    auto* eachFile = new QWidget;
    eachFile->setObjectName(QStringLiteral("eachFilePage"));
    dispResult->addTab(allFiles, QStringLiteral("View All Files"));
    dispResult->addTab(eachFile, QStringLiteral("View Each File"));
    // A page takes its size from the tab control only when that is shown;
    // the panes are placed in it again then, or they reach past its edge.
    allFiles->installEventFilter(this);
    eachFile->installEventFilter(this);

    MainResult = new GrowingRichTextBox(allFiles);
    MainResult->setObjectName(QStringLiteral("MainResult"));
    MainResult->setAccessibleName(QStringLiteral("Results"));
    outlineFile = new QTreeWidget(eachFile);
    outlineFile->setObjectName(QStringLiteral("outlineFile"));
    outlineFile->setAccessibleName(QStringLiteral("Result tree"));
    outlineFile->setHeaderHidden(true);
    outlineFile->setRootIsDecorated(true);
    // Paths run deep: a narrow indent, and a scroll bar rather than cut names.
    // The column is fitted to the names when a run ends, not at every node:
    // fitting looks at every node of the tree.
    outlineFile->setIndentation(14);
    outlineFile->header()->setStretchLastSection(false);
    outlineFile->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    picDivider = new DividerBar(eachFile);
    picDivider->setObjectName(QStringLiteral("picDivider"));
    textFile = new RichTextBox(eachFile);
    textFile->setObjectName(QStringLiteral("textFile"));
    textFile->setAccessibleName(QStringLiteral("File hits"));
    textFile->setLineWrapMode(QTextEdit::FixedPixelWidth);
    dispResult->hide();

    connect(picDivider, &DividerBar::dragged, this, &MainWindow::dragDivider);
    connect(picDivider, &DividerBar::released, this, &MainWindow::dropDivider);
    connect(dispResult, &QTabWidget::currentChanged, this, &MainWindow::layOut);
}

void MainWindow::buildStatusRow() {
    ImageRed = label(this, "ImageRed", "");
    ImageRed->setPixmap(light(QColor(220, 30, 30)));
    ImageRed->setAccessibleName(QStringLiteral("Idle"));
    ImageGreen = label(this, "ImageGreen", "");
    ImageGreen->setPixmap(light(QColor(30, 180, 30)));
    ImageGreen->setAccessibleName(QStringLiteral("Searching"));
    ImageGreen->hide();

    dispFile = label(this, "dispFile", "");
    dispFile->setToolTip(QStringLiteral("Name of the file being searched."));
    dispFile->setAccessibleDescription(dispFile->toolTip());
    dispFile->setFrameShape(QFrame::StyledPanel);
    dispFile->setFrameShadow(QFrame::Sunken);
    dispFile->setTextFormat(Qt::PlainText);
    Label9 = label(this, "Label9", "Files Found:", Qt::AlignRight | Qt::AlignVCenter);
    totalNumber = label(this, "totalNumber", "", Qt::AlignRight | Qt::AlignVCenter);
    totalNumber->setToolTip(QStringLiteral("Number of files found."));
    totalNumber->setAccessibleDescription(totalNumber->toolTip());
    totalNumber->setFrameShape(QFrame::StyledPanel);
    totalNumber->setFrameShadow(QFrame::Sunken);
}

void MainWindow::layOut() {
    const MainLayout l = mainLayout(widthTwips(), dividerLeft_);
    const int taller = std::max(0, twips(height()) - layout::fixedHeight);
    dividerLeft_ = l.dividerLeft;
    const auto at = [this](QWidget* control, Span span, int top, int height) {
        control->setGeometry(pixels(span.left), pixels(top), pixels(span.width), pixels(height));
    };

    at(frameSearch, l.frameSearch, row::viewTop, row::viewHeight);
    at(lblText, l.searchText, row::lblText, row::labelHeight);
    for (int index = 0; index < 4; ++index)
        at(searchText[index], l.searchText, row::searchText[index], row::boxHeight);
    QWidget* pictures[3] = {Picture1, Picture2, Picture3};
    for (int index = 0; index < 3; ++index)
        at(pictures[index], l.operatorGroup, row::picture[index], row::optionHeight);
    at(searchAdd, l.wordButtons, row::searchAdd, row::buttonHeight);
    at(searchCopy, l.wordButtons, row::searchCopy, row::buttonHeight);
    at(Label1, l.wordList, row::lblText, row::labelHeight);
    at(wordList, l.wordList, row::wordList, row::wordListHeight);
    at(searchRemove, {l.searchRemove.left, 1000}, row::wordButtons, row::buttonHeight);
    at(searchRemoveAll, l.searchRemoveAll, row::wordButtons, row::buttonHeight);
    at(separater, l.separater, row::separater, 40);
    at(Label6, l.wordList, row::Label6, row::labelHeight);
    for (QObject* child : frameSearch->children()) {
        auto* summary = qobject_cast<QLabel*>(child);
        if (!summary || !summary->property("summaryTop").isValid()) continue;
        const int top = summary->property("summaryTop").toInt();
        const bool value = summary->alignment() & Qt::AlignRight;
        at(summary, value ? l.summaryValue : l.summaryCaption, top, row::labelHeight);
        // A long value ("12/8/2021 - 12/8/2026") takes the room its caption
        // leaves, rather than losing its first characters.
        if (const auto* caption = qobject_cast<QLabel*>(summary->property("summaryCaption").value<QObject*>())) {
            const int left = caption->x() + caption->fontMetrics().horizontalAdvance(caption->text()) + pixels(100);
            const int right = summary->geometry().right();
            if (left < summary->x()) summary->setGeometry(left, summary->y(), right - left + 1, summary->height());
        }
    }
    at(lblCat, l.searchCat, row::lblCat, row::labelHeight);
    at(searchCat, l.searchCat, row::searchCat, row::boxHeight);
    at(listCategory, l.searchCat, row::listCategory, row::listCategoryHeight);
    at(chkQSearch, {l.searchCat.left + (l.searchCat.width - 1400) / 2, 1400}, row::chkQSearch,
       row::optionHeight);
    at(qDrive, l.searchCat, row::qDrive, row::boxHeight);
    at(qDirPath, l.searchCat, row::qDirPath, row::qDirPathHeight);
    at(qDirList, l.searchCat, row::qDirList, row::qDirListHeight);

    at(frameAdvanced, l.frameAdvanced, row::panelTop, row::panelHeight);
    at(searchSub, l.searchSub, row::optCase, row::optionHeight);
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
    for (const Group& group : groups) at(group.frame, l.group, group.top, group.height);
    // Inside its group's frame, below the frame's caption and above its
    // lower edge: the rows in twips reach past the edge at 96 dpi.
    const QRect inside = frameTypes->contentsRect();
    typeText->setGeometry(pixels(l.typeText.left), inside.top() + 1, pixels(l.typeText.width),
                          inside.height() - 2);
    at(FoundWord, l.groupControl, row::groupOption, row::optionHeight);
    at(resultOpt[0], l.groupControl, row::groupOption, row::optionHeight);
    at(DispName, l.groupControl, row::groupOption, row::optionHeight);
    // The three counts stand in a row that ends where the other groups' buttons end.
    const int countWidth = 600;
    for (int index = 0; index < 3; ++index)
        at(wordOpt[index],
           {l.groupControl.right() - (3 - index) * countWidth, countWidth}, row::groupOption,
           row::optionHeight);
    at(nearbyText, {l.advOK.right() - 720, 480}, row::nearby - 20, row::boxHeight);
    at(nearbyScroll, {l.advOK.right() - 220, 220}, row::nearby - 20, row::boxHeight);
    at(fileText, {l.advOK.right() - 1500, 1500}, row::fileText, row::boxHeight);
    at(advOK, l.advOK, row::panelButtons, row::buttonHeight);
    at(advCancel, {l.advOK.left - 1100, 1000}, row::panelButtons, row::buttonHeight);
    at(frameScope, l.frameAdvanced, row::panelTop, row::panelHeight);
    at(scopeFolders, l.group, row::scopeFolders, row::boxHeight);
    at(scopeFoldersHint, l.group, row::lblScopeFoldersHint, row::lblScopeFoldersHintHeight);
    at(scopeSize, {l.advOK.right() - 1500, 1500}, row::scopeSize, row::boxHeight);
    at(scopeDocumentTime, {l.advOK.right() - 1500, 1500}, row::scopeDocumentTime, row::boxHeight);
    at(scopeBack, l.advOK, row::panelButtons, row::buttonHeight);
    for (QCalendarWidget* calendar : {monthViewFrom, monthViewTo}) {
        const QSize size = calendar->sizeHint();
        calendar->setGeometry(frameAdvanced->x() + pixels(200), frameAdvanced->y() +
                              pixels(row::calendar), std::max(size.width(), pixels(3600)),
                              size.height());
    }

    at(dispResult, l.dispResult, row::viewTop, row::viewHeight + taller);
    // The panes live in the tab pages; the rules place them in the window.
    const auto inPage = [this](QWidget* control, Span span) {
        const QWidget* page = control->parentWidget();
        const QPoint origin = page->mapTo(this, QPoint(0, 0));
        control->setGeometry(pixels(span.left) - origin.x(), pixels(60),
                             pixels(span.width), std::max(0, page->height() - pixels(120)));
    };
    inPage(outlineFile, l.outlineFile);
    inPage(picDivider, {l.dividerLeft, layout::dividerWidth});
    inPage(textFile, l.textFile);
    inPage(MainResult, l.MainResult);
    // The panes' text wraps short of their right edge.
    MainResult->setWrapWidth(std::max(1, MainResult->width() - pixels(layout::paneRightMargin)));
    textFile->setLineWrapColumnOrWidth(std::max(1, textFile->width() - pixels(layout::paneRightMargin)));

    const int statusTop = row::statusTop + taller;
    for (QLabel* image : {ImageRed, ImageGreen}) at(image, {150, 200}, statusTop, row::statusHeight);
    at(dispFile, l.dispFile, statusTop, row::statusHeight);
    at(Label9, l.filesFound, statusTop, row::statusHeight);
    at(totalNumber, l.totalNumber, statusTop, row::statusHeight);
}

void MainWindow::setDividerLeft(int twips) {
    dividerLeft_ = twips;
    layOut();
}

void MainWindow::setWidthTwips(int twips) {
    resize(std::max(pixels(twips), minimumWidth()), height());
}

int MainWindow::widthTwips() const { return twips(width()); }

void MainWindow::dragDivider(int offsetPixels) {
    const int left = tessaly::dragDivider(dividerLeft_, twips(offsetPixels), widthTwips());
    dividerLeft_ = left;
    const QPoint origin = picDivider->parentWidget()->mapTo(this, QPoint(0, 0));
    picDivider->move(pixels(left) - origin.x(), picDivider->y());
}

void MainWindow::dropDivider() {
    const MainLayout current = mainLayout(widthTwips(), dividerLeft_);
    dividerLeft_ = tessaly::dropDivider(dividerLeft_, current.dispResult.width);
    layOut();
    emit dividerMoved(dividerLeft_);
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (isMinimized()) return;
    layOut();
    state.geometry.mainWidth = widthTwips();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // Only the result tabs' pages are watched.
    if (event->type() == QEvent::Resize) layOut();
    return QWidget::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (mayClose_ && !mayClose_()) {
        event->ignore();
        return;
    }
    emit closing();
    event->accept();
}

bool MainWindow::event(QEvent* event) {
    // The tab pages get their size only once the window is shown.
    if (event->type() == QEvent::Show || event->type() == QEvent::PolishRequest) layOut();
    return QWidget::event(event);
}

}  // namespace tessaly
