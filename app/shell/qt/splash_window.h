// frmSplash: names the product while the main window loads. Its timer hands
// over to the main window, whose load closes the splash.
#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>

class QLabel;

namespace tessaly {

class SplashWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int kInterval = 100;  // milliseconds

    // `loadMain` loads and shows the main window; the splash closes after it.
    explicit SplashWindow(std::function<void()> loadMain, QWidget* parent = nullptr);

    QLabel* Label1;
    QLabel* Label4;
    QLabel* Label7;
    QLabel* Label3;
    QTimer Timer1;

protected:
    // Keys neither close nor skip the splash.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void loadMain();

    std::function<void()> loadMain_;
};

}  // namespace tessaly
