#include "viewer/qt/quick_viewer_window.h"

#include <QCloseEvent>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <cmath>

#include "platform/qt/named_button.h"
#include "platform/qt/marked_text_view.h"

namespace tessaly {

namespace {

constexpr int kButtonTop = 60;
constexpr int kButtonHeight = 375;
constexpr int kTextTop = 500;
// What the text leaves of the window's height: the buttons above, the
// status bar below.
constexpr int kChromeHeight = 1650;
constexpr int kSideRoom = 340;
constexpr int kMinimumHeight = 1800;

}  // namespace

QuickViewerWindow::QuickViewerWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmView"));
    setWindowTitle(QString::fromLatin1(kCaption));
    QFont small = font();
    small.setPointSize(8);
    setFont(small);

    richView = new MarkedTextView(this);
    richView->setObjectName(QStringLiteral("richView"));
    richView->setAccessibleName(QStringLiteral("File text"));
    viewSave = namedButton(this, "viewSave", "&Save", "Save Text");
    viewPrev = namedButton(this, "viewPrev", "&Detail", "View in Application");
    viewNext = namedButton(this, "viewNext", "&Next", "Find Next One");
    viewTitle = new QLabel(QStringLiteral("File Quick Viewer"), this);
    viewTitle->setObjectName(QStringLiteral("viewTitle"));
    viewTitle->setAlignment(Qt::AlignCenter);
    QFont heading = viewTitle->font();
    heading.setBold(true);
    heading.setPointSize(10);
    viewTitle->setFont(heading);
    nextFile = namedButton(this, "nextFile", "&Jump", "View Next File");
    viewPrint = namedButton(this, "viewPrint", "&Print", "Print Text");
    viewClose = namedButton(this, "viewClose", "&Done", "Exit Quick Viewer");
    viewStop = namedButton(this, "viewStop", "&Stop", nullptr);
    viewStop->hide();
    // Escape stops a load, or closes the viewer, whichever is offered.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] {
        QPushButton* offered = viewStop->isVisible() ? viewStop : viewClose;
        if (offered->isEnabled()) offered->click();
    });

    lblViewName = new QStatusBar(this);
    lblViewName->setObjectName(QStringLiteral("lblViewName"));
    lblViewName->setSizeGripEnabled(false);
    static constexpr const char* panelNames[3] = {"Name", "Date", "Size"};
    for (int index = 0; index < 3; ++index) {
        panels[index] = new QLabel(lblViewName);
        panels[index]->setObjectName(QStringLiteral("lblViewName_%1").arg(index + 1));
        // Read out as what it shows ("Name: /home/…"), described by what it is.
        panels[index]->setAccessibleDescription(QString::fromLatin1(panelNames[index]));
        panels[index]->setTextFormat(Qt::PlainText);
        lblViewName->addWidget(panels[index], index == 0 ? 4 : 1);
    }

    setMinimumSize(pixels(7 * kButtonWidth + kSideRoom), pixels(kMinimumHeight));
    setCommandsEnabled(false);
}

int QuickViewerWindow::pixels(int twips) const {
    return static_cast<int>(std::lround(twips * static_cast<double>(logicalDpiX()) / 1440.0));
}

int QuickViewerWindow::twips(int pixels) const {
    return static_cast<int>(std::lround(pixels * 1440.0 / logicalDpiX()));
}

void QuickViewerWindow::setSizeTwips(int width, int height) {
    resize(std::max(pixels(width), minimumWidth()), std::max(pixels(height), minimumHeight()));
}

int QuickViewerWindow::widthTwips() const { return twips(width()); }
int QuickViewerWindow::heightTwips() const { return twips(height()); }

std::array<QPushButton*, 5> QuickViewerWindow::commands() const {
    return {viewPrev, viewSave, viewNext, nextFile, viewPrint};
}

void QuickViewerWindow::setCommandsEnabled(bool enabled) {
    for (QPushButton* command : commands()) command->setEnabled(enabled);
}

void QuickViewerWindow::showStop(bool loading) {
    viewStop->setVisible(loading);
    viewClose->setVisible(!loading);
}

void QuickViewerWindow::layOut() {
    const int width = widthTwips();
    const auto at = [this](QWidget* control, int left, int top, int w, int h) {
        control->setGeometry(pixels(left), pixels(top), pixels(w), pixels(h));
    };
    int left = 170;
    for (QPushButton* leftButton : {viewSave, viewPrev, viewNext}) {
        at(leftButton, left, kButtonTop, kButtonWidth, kButtonHeight);
        left += kButtonWidth;
    }
    const int titleWidth = width - 6 * kButtonWidth - kSideRoom;
    at(viewTitle, left, kButtonTop, titleWidth, kButtonHeight);
    left += titleWidth;
    for (QPushButton* rightButton : {nextFile, viewPrint}) {
        at(rightButton, left, kButtonTop, kButtonWidth, kButtonHeight);
        left += kButtonWidth;
    }
    at(viewClose, left, kButtonTop, kButtonWidth, kButtonHeight);
    at(viewStop, left, kButtonTop, kButtonWidth, kButtonHeight);

    const int textWidth = width - kSideRoom;
    at(richView, 170, kTextTop, textWidth, heightTwips() - kChromeHeight);
    richView->setWrapWidth(std::max(1, richView->width() - pixels(400)));
    const int barHeight = lblViewName->sizeHint().height();
    lblViewName->setGeometry(0, height() - barHeight, this->width(), barHeight);
}

void QuickViewerWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!isMinimized()) layOut();
}

void QuickViewerWindow::closeEvent(QCloseEvent* event) {
    emit closedByCloseBox();
    QWidget::closeEvent(event);
}

}  // namespace tessaly
