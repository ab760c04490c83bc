// The status row along the window's foot: the light, the file being
// searched (or how the run ended) and the count of files found.
#include "window/qt/status_row.h"

#include <QLabel>

#include "window/main_layout.h"
#include "window/qt/form_parts.h"
#include "platform/qt/control_tip.h"

namespace tessaly {

namespace row = form::row;
using form::label;
using form::light;

StatusRow::StatusRow(QWidget* window, const TwipScale& scale) : scale_(scale) {
    ImageRed = label(window, "ImageRed", "");
    ImageRed->setPixmap(light(QColor(220, 30, 30)));
    ImageRed->setAccessibleName(QStringLiteral("Idle"));
    ImageGreen = label(window, "ImageGreen", "");
    ImageGreen->setPixmap(light(QColor(30, 180, 30)));
    ImageGreen->setAccessibleName(QStringLiteral("Searching"));
    ImageGreen->hide();

    dispFile = label(window, "dispFile", "");
    setTip(dispFile, QStringLiteral("Name of the file being searched."));
    dispFile->setFrameShape(QFrame::StyledPanel);
    dispFile->setFrameShadow(QFrame::Sunken);
    dispFile->setTextFormat(Qt::PlainText);
    Label9 = label(window, "Label9", "Files Found:", Qt::AlignRight | Qt::AlignVCenter);
    totalNumber = label(window, "totalNumber", "", Qt::AlignRight | Qt::AlignVCenter);
    setTip(totalNumber, QStringLiteral("Number of files found."));
    totalNumber->setFrameShape(QFrame::StyledPanel);
    totalNumber->setFrameShadow(QFrame::Sunken);
}

void StatusRow::layOut(int windowWidth, int taller) {
    constexpr int dispFileLeft = 400;
    const Span count = rightAligned(windowWidth, 900, 100);
    const Span caption{count.left - 1150 - 50, 1150};
    const Span file{dispFileLeft, caption.left - dispFileLeft - 70};
    const int top = row::statusTop + taller;
    for (QLabel* image : {ImageRed, ImageGreen}) scale_.place(image, {150, 200}, top, row::statusHeight);
    scale_.place(dispFile, file, top, row::statusHeight);
    scale_.place(Label9, caption, top, row::statusHeight);
    scale_.place(totalNumber, count, top, row::statusHeight);
}

}  // namespace tessaly
