// frmView: the File Quick Viewer, a window of its own beside the main window
// that shows one result file whole with its hit lines marked. It builds and
// places its controls; QuickViewer gives them their behaviour.
#pragma once

#include <QWidget>
#include <array>
#include <functional>

class QLabel;
class QPushButton;
class QStatusBar;

namespace tessaly {

class MarkedTextView;

class QuickViewerWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr const char* kCaption = "Tessaly - File Quick Viewer";
    // Every button is this wide, in twips; the window keeps room for seven.
    static constexpr int kButtonWidth = 1000;

    explicit QuickViewerWindow(QWidget* parent = nullptr);

    int pixels(int twips) const;
    int twips(int pixels) const;
    // Width and height of the window, in twips.
    void setSizeTwips(int width, int height);
    int widthTwips() const;
    int heightTwips() const;

    MarkedTextView* richView;
    QStatusBar* lblViewName;
    std::array<QLabel*, 3> panels;  // name, date, size
    QLabel* viewTitle;
    QPushButton* viewSave;
    QPushButton* viewPrev;
    QPushButton* viewNext;
    QPushButton* nextFile;
    QPushButton* viewPrint;
    QPushButton* viewClose;
    QPushButton* viewStop;

    // The five commands that wait while a file loads.
    std::array<QPushButton*, 5> commands() const;
    void setCommandsEnabled(bool enabled);
    // Stop stands where Done stands while a file loads.
    void showStop(bool loading);

signals:
    void closedByCloseBox();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void layOut();
};

}  // namespace tessaly
