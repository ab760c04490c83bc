// The options panel over the criteria view, with its second page (which
// files a run looks at) in the first one's place while it is shown, and the
// calendars that float over it. &Back returns to the first page, whose OK
// and Cancel stand for both.
#pragma once

#include <array>

#include "window/qt/criteria_view.h"

class QCalendarWidget;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QWidget;

namespace tessaly {

class SpinControl;

class OptionsPanelView {
public:
    // In `frame`, the criteria view's frame.
    OptionsPanelView(QWidget* frame, const TwipScale& scale);

    // Right of the word boxes, over the saved words: in the criteria
    // view's columns.
    void layOut(const CriteriaView::Columns& columns);

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

    // The second page.
    QFrame* frameScope;
    QLineEdit* scopeFolders;
    QLabel* scopeFoldersHint;
    QCheckBox* scopeHidden;
    QCheckBox* scopeBinary;
    QCheckBox* scopeDocuments;
    QSpinBox* scopeSize;  // megabytes; 0 for any size
    QSpinBox* scopeDocumentTime;  // seconds
    QCheckBox* scopeRemember;
    QCheckBox* scopeNames;
    QPushButton* scopeForget;  // forgets the remembered words at once
    QLabel* scopeRemembered;   // how much is remembered now
    QPushButton* scopeBack;

private:
    void buildChoices();
    void buildTimeStamp(QWidget* frame);
    void buildScopePage(QWidget* frame);

    const TwipScale& scale_;
};

}  // namespace tessaly
