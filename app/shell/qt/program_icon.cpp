#include "shell/qt/program_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace tessaly {

namespace {

QPixmap drawnIcon(int size) {
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 64.0, size / 64.0);
    painter.setPen(QPen(QColor(0x3b, 0x4a, 0x63), 3));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(8, 4, 38, 50), 3, 3);
    painter.setPen(QPen(QColor(0x8a, 0x96, 0xaa), 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(15, 16, 39, 16);
    painter.drawLine(15, 24, 39, 24);
    painter.drawLine(15, 32, 29, 32);
    painter.setPen(QPen(QColor(0x1f, 0x5f, 0xd1), 4));
    painter.setBrush(QColor(0xdb, 0xe7, 0xff));
    painter.drawEllipse(QPointF(38, 38), 12, 12);
    painter.setPen(QPen(QColor(0xd1, 0x1f, 0x1f), 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(33, 38, 43, 38);
    painter.setPen(QPen(QColor(0x1f, 0x5f, 0xd1), 6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(47, 47, 58, 58);
    return picture;
}

}  // namespace

QIcon drawnProgramIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) icon.addPixmap(drawnIcon(size));
    return icon;
}

QIcon programIcon() { return QIcon::fromTheme(QStringLiteral("tessaly"), drawnProgramIcon()); }

}  // namespace tessaly
