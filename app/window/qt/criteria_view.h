// The criteria view: the four words and their operators, the saved words,
// the Category and Direct Search. The option summary and the options panel
// stand in its frame too, each a view of its own.
#pragma once

#include <array>

#include "window/qt/form_parts.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QWidget;

namespace tessaly {

class DriveList;
class FileSystem;
class FolderList;

class CriteriaView {
public:
    // The folder list reads the file system through `files`.
    CriteriaView(QWidget* window, const TwipScale& scale, FileSystem& files);

    // Where the view's controls stand across a window `windowWidth` twips
    // wide; all but frameSearch inside frameSearch. The option summary and
    // the options panel go by them too.
    struct Columns {
        Span frameSearch;
        Span searchText;     // all four boxes
        Span operatorGroup;  // Picture1 to Picture3
        Span wordButtons;    // searchAdd, searchCopy
        Span wordList;
        Span searchRemove;
        Span searchRemoveAll;
        Span separater;
        Span searchCat;  // also listCategory, qDrive, qDirList
    };
    static Columns columns(int windowWidth);

    void layOut(const Columns& columns);

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

private:
    void buildWords();
    void buildSavedWords();
    void buildCategory(FileSystem& files);

    const TwipScale& scale_;
};

}  // namespace tessaly
