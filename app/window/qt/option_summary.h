// The summary of the options under the saved words: a caption and its value
// labels per option, read-only; the option controls' refresh picks which
// value of a pair shows.
#pragma once

#include <vector>

#include "window/qt/criteria_view.h"

class QLabel;
class QWidget;

namespace tessaly {


class OptionSummary {
public:
    // In `frame`, the criteria view's frame.
    OptionSummary(QWidget* frame, const TwipScale& scale);

    // Under the saved words, in the criteria view's columns.
    void layOut(const CriteriaView::Columns& columns);

    QLabel* Label6;   // "Search Options"
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
    QLabel* Label21;  // "Which Files"
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
    QLabel* scopeLabel;

private:
    struct Row {
        QLabel* caption;
        std::vector<QLabel*> values;
        int top;  // twips
    };
    const TwipScale& scale_;
    std::vector<Row> rows_;
};

}  // namespace tessaly
