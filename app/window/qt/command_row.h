// The row of commands along the window's top, from Start to Exit.
#pragma once

class QPushButton;
class QWidget;

namespace tessaly {

class TwipScale;

class CommandRow {
public:
    CommandRow(QWidget* window, const TwipScale& scale);

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
};

}  // namespace tessaly
