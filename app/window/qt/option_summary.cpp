#include "window/qt/option_summary.h"

#include <QLabel>

#include "window/qt/form_parts.h"

namespace tessaly {

namespace {

using form::label;

// The rows of the summary, in twips from the top of the criteria view's frame.
namespace row {
using namespace form::row;
constexpr int Label6 = 2870;
constexpr int firstSummary = 3160;
constexpr int summaryStep = 290;
}  // namespace row

constexpr int valueWidth = 1600;

}  // namespace

OptionSummary::OptionSummary(QWidget* frame, const TwipScale& scale) : scale_(scale) {
    Label6 = label(frame, "Label6", "Search Options", Qt::AlignCenter);
    QFont heading = Label6->font();
    heading.setBold(true);
    Label6->setFont(heading);

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
        *summary.caption = label(frame, summary.captionName, summary.captionText);
        Row shown{*summary.caption, {}, top};
        for (const auto& [control, nameAndText] : summary.values) {
            *control = label(frame, nameAndText.first, nameAndText.second, right);
            // A screen reader reads the value shown, and the caption it belongs to.
            (*control)->setAccessibleDescription(QString::fromUtf8(summary.captionText));
            (*control)->setTextFormat(Qt::PlainText);
            shown.values.push_back(*control);
        }
        rows_.push_back(std::move(shown));
        top += row::summaryStep;
    }
    // Hidden until the summary refresh picks one of each pair.
    for (QLabel* second : {caseYes, smartYes, smartNo, subNo, showAll, numTwenty, numThirty})
        second->hide();
}

void OptionSummary::layOut(const CriteriaView::Columns& l) {
    // The values end where the saved words end; a caption reaches to its value.
    const Span valueColumn{l.wordList.right() - valueWidth, valueWidth};
    const Span captionColumn{l.separater.left, valueColumn.left - l.separater.left};
    scale_.place(Label6, l.wordList, row::Label6, row::labelHeight);
    for (const Row& summary : rows_) {
        scale_.place(summary.caption, captionColumn, summary.top, row::labelHeight);
        const QLabel* caption = summary.caption;
        for (QLabel* value : summary.values) {
            scale_.place(value, valueColumn, summary.top, row::labelHeight);
            // A long value ("12/8/2021 - 12/8/2026") takes the room its
            // caption leaves, rather than losing its first characters.
            const int left = caption->x() + caption->fontMetrics().horizontalAdvance(caption->text()) +
                             scale_.pixels(100);
            const int right = value->geometry().right();
            if (left < value->x()) value->setGeometry(left, value->y(), right - left + 1, value->height());
        }
    }
}

}  // namespace tessaly
