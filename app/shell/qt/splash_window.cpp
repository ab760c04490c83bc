#include "shell/qt/splash_window.h"

#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

namespace tessaly {

namespace {

QLabel* splashLabel(QWidget* parent, const char* name, const char* text, int pointSize,
                    bool bold) {
    auto* label = new QLabel(QString::fromUtf8(text), parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont face(QStringLiteral("Times New Roman"));
    face.setStyleHint(QFont::Serif);
    face.setPointSize(pointSize);
    face.setBold(bold);
    label->setFont(face);
    label->adjustSize();
    return label;
}

}  // namespace

SplashWindow::SplashWindow(std::function<void()> loadMain, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), loadMain_(std::move(loadMain)) {
    setObjectName(QStringLiteral("frmSplash"));
    // Nothing runs before the window has finished its own load.
    Timer1.stop();
    setFixedSize(420, 200);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(250, 248, 240));
    setPalette(palette);

    Label1 = splashLabel(this, "Label1", "Tessaly", 36, true);
    Label1->move(40, 30);
    Label4 = splashLabel(this, "Label4", "TM", 9, false);
    Label4->move(Label1->geometry().right() + 4, 38);
    Label7 = splashLabel(this, "Label7", "Version 4.5", 14, false);
    Label7->move(44, 105);
    Label3 = splashLabel(this, "Label3", "for Linux", 11, false);
    Label3->move(44, 140);

    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());

    Timer1.setSingleShot(true);
    Timer1.setInterval(kInterval);
    connect(&Timer1, &QTimer::timeout, this, &SplashWindow::loadMain);
    Timer1.start();
}

void SplashWindow::keyPressEvent(QKeyEvent* event) {
    event->accept();
}

void SplashWindow::loadMain() {
    loadMain_();
    close();
}

}  // namespace tessaly
