#include "shell/qt/splash_window.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QLabel>
#include <QTest>

namespace tessaly {
namespace {

TEST(SplashWindow, HandsOverAfterItsTimerAndIgnoresKeys) {
    int loads = 0;
    bool splashVisibleDuringLoad = false;
    SplashWindow* splash = nullptr;
    SplashWindow window([&] {
        ++loads;
        splashVisibleDuringLoad = splash->isVisible();
    });
    splash = &window;
    window.show();
    EXPECT_EQ(window.Label1->text(), QStringLiteral("Tessaly"));
    EXPECT_EQ(window.Label7->text(), QStringLiteral("Version 4.5"));
    EXPECT_EQ(window.Timer1.interval(), 100);

    QTest::keyClick(&window, Qt::Key_Escape);
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(loads, 0);

    QElapsedTimer clock;
    clock.start();
    while (loads == 0 && clock.elapsed() < 5000) QTest::qWait(10);
    EXPECT_EQ(loads, 1);
    EXPECT_GE(clock.elapsed(), 50);
    // The splash stays up while the main window loads, and goes after.
    EXPECT_TRUE(splashVisibleDuringLoad);
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
}  // namespace tessaly
