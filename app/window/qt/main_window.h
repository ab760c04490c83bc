// frmMain: the main window and every control on it, named as the program
// names them, so that a name in a bug report is the name in the code. The
// window builds and places its controls; what they do is wired by the classes
// of each subsystem (OptionsPanel, WordList, CategoryBox, SearchStart, ...),
// which are given the window and connect their own handlers.
#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <string>

#include "criteria/options.h"
#include "criteria/run_arguments.h"
#include "criteria/word_check.h"

class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTreeWidget;

namespace tessaly {

class DividerBar;
struct MainLayout;
struct Span;
class DriveList;
class FileSystem;
class FolderList;
class GrowingRichTextBox;
class RichTextBox;
class SpinControl;

using OperatorGroup = std::array<QRadioButton*, 4>;  // AND, OR, NOT, NEARBY

// The values the main window keeps while the program runs, beside what its
// controls hold.
struct MainWindowState {
    std::string dataFolder;  // ends in "/"; fixed at start-up
    WindowGeometry geometry;   // twips
    std::string selectedFile;
};

class MainWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr const char* kCaption = "Tessaly 4.5";

    // The folder lists read the file system through `files`.
    explicit MainWindow(FileSystem& files, QWidget* parent = nullptr);

    MainWindowState state;

    // Twips, the unit every position of the window is given in, to pixels of
    // this screen.
    int pixels(int twips) const;
    int twips(int pixels) const;

    // Lays the controls out for the present width (the resize handling).
    void layOut();
    // Where the divider of the results tab stands now, in twips.
    int dividerLeft() const { return dividerLeft_; }
    void setDividerLeft(int twips);
    // Sets the window's width, in twips; the floor still holds.
    void setWidthTwips(int twips);
    int widthTwips() const;
    // Asked before the window closes by its close box; false keeps it open
    // for now (a search run ends first and closes it again).
    void setCloseGuard(std::function<bool()> mayClose) { mayClose_ = std::move(mayClose); }

    // Command buttons.
    QPushButton* searchNow;
    QPushButton* searchStop;
    QPushButton* searchConfig;
    QPushButton* searchOption;
    QPushButton* searchBrowse;
    QPushButton* viewPrev;
    QPushButton* buttonView;
    QPushButton* buttonDetail;
    QPushButton* searchPrint;
    QPushButton* searchSave;
    QPushButton* helpCfg;
    QPushButton* stExit;

    // The criteria view.
    QFrame* frameSearch;
    QLabel* lblText;
    std::array<QLineEdit*, 4> searchText;
    QWidget* Picture1;
    QWidget* Picture2;
    QWidget* Picture3;
    OperatorGroup Opt1;
    OperatorGroup Opt2;
    OperatorGroup Opt3;
    QLabel* Label1;
    QListWidget* wordList;
    QPushButton* searchAdd;
    QPushButton* searchCopy;
    QPushButton* searchRemove;
    QPushButton* searchRemoveAll;
    QFrame* separater;
    QLabel* lblCat;
    QComboBox* searchCat;
    QListWidget* listCategory;
    QCheckBox* chkQSearch;
    DriveList* qDrive;
    FolderList* qDirList;
    QLabel* qDirPath;  // the folder qDirList is in

    // The option summary: a caption and its value labels per option.
    QLabel* Label6;
    QLabel* Label7;   // "Match Case"
    QLabel* Label19;  // "Smart Search"
    QLabel* Label8;
    QLabel* Label10;
    QLabel* Label11;
    QLabel* Label12;
    QLabel* Label16;
    QLabel* Label18;
    QLabel* Label17;
    QLabel* Label15;
    QLabel* Label20;
    QLabel* caseYes;
    QLabel* caseNo;
    QLabel* smartYes;
    QLabel* smartNo;
    QLabel* subYes;
    QLabel* subNo;
    QLabel* showAll;
    QLabel* showOne;
    QLabel* numTen;
    QLabel* numTwenty;
    QLabel* numThirty;
    QLabel* timeStamp;
    QLabel* lblExt;
    QLabel* nearbyLabel;
    QLabel* dispOption;
    QLabel* lblBeginning;
    QLabel* beginningLetter;
    QLabel* Label21;  // "Which Files"
    QLabel* scopeLabel;

    // The options panel.
    QFrame* frameAdvanced;
    QCheckBox* optCase;
    QCheckBox* useFilter;
    QCheckBox* searchSub;
    QGroupBox* frameTypes;
    QRadioButton* typeAll;
    QRadioButton* optType;
    QLineEdit* typeText;
    QGroupBox* frameView;
    QRadioButton* FileBeginning;
    QRadioButton* FoundWord;
    QGroupBox* frameResults;
    std::array<QRadioButton*, 2> resultOpt;
    QGroupBox* Frame1;
    QRadioButton* DispFull;
    QRadioButton* DispName;
    QGroupBox* frameNumWords;
    std::array<QRadioButton*, 3> wordOpt;
    QGroupBox* frameTimeStamp;
    QRadioButton* optAll;
    QRadioButton* optYear;
    QRadioButton* optFromTo;
    QLineEdit* timeValue;
    SpinControl* timeYear;
    QLineEdit* dateFrom;
    QLineEdit* dateTo;
    QPushButton* fromButton;
    QPushButton* toButton;
    QCalendarWidget* monthViewFrom;
    QCalendarWidget* monthViewTo;
    QCheckBox* nearbyCheck;
    QLineEdit* nearbyText;
    SpinControl* nearbyScroll;
    QLineEdit* fileText;
    QPushButton* advOK;
    QPushButton* advCancel;
    QPushButton* searchScope;  // opens frameScope

    // The options panel's second page, in the first one's place while it is
    // shown: which files a run looks at. &Back returns to the first page,
    // whose OK and Cancel stand for both.
    QFrame* frameScope;
    QLineEdit* scopeFolders;
    QLabel* scopeFoldersHint;
    QCheckBox* scopeHidden;
    QCheckBox* scopeBinary;
    QCheckBox* scopeDocuments;
    QSpinBox* scopeSize;  // megabytes; 0 for any size
    QSpinBox* scopeDocumentTime;  // seconds
    QPushButton* scopeBack;

    // The results view.
    QTabWidget* dispResult;
    GrowingRichTextBox* MainResult;
    QTreeWidget* outlineFile;
    DividerBar* picDivider;
    RichTextBox* textFile;

    // The status row.
    QLabel* ImageRed;
    QLabel* ImageGreen;
    QLabel* dispFile;
    QLabel* Label9;
    QLabel* totalNumber;

signals:
    // The window is closing by its close box or the system menu; the close
    // goes ahead after the handlers have run.
    void closing();
    // The person moved the divider and let it go: its new left edge in twips.
    void dividerMoved(int twips);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setReadingTabOrder();
    // Each view builds its controls and lays them out in a file of its own
    // (command_row_form.cpp, criteria_form.cpp, options_panel_form.cpp,
    // results_form.cpp, status_row_form.cpp), its rows beside its code.
    void buildCommands();
    void buildCriteriaView(FileSystem& files);
    void buildSummary();
    void buildOptionsPanel();
    void buildScopePage();
    void buildResultsView();
    void buildStatusRow();
    void layOutCriteriaView(const MainLayout& l);
    void layOutOptionsPanel(const MainLayout& l);
    void layOutResultsView(const MainLayout& l, int taller);
    void layOutStatusRow(const MainLayout& l, int taller);
    // In twips: across as the span says, down from `top`.
    void place(QWidget* control, Span span, int top, int height) const;
    void dragDivider(int offsetPixels);
    void dropDivider();

    int dividerLeft_;
    std::function<bool()> mayClose_;
};

}  // namespace tessaly
