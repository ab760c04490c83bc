#include <gtest/gtest.h>

#include <QTimer>

#include "platform/qt/qt_event_pump.h"

namespace tessaly {
namespace {

using namespace std::chrono_literals;

TEST(EventPump, ProcessesAtMostOnceEvery20Milliseconds) {
    auto now = std::chrono::steady_clock::time_point{} + 1h;
    int processed = 0;
    QtEventPump pump([&] { return now; }, [&] { ++processed; });

    struct Step {
        std::chrono::milliseconds advance;
        bool forced;
        int processedAfter;
    };
    const Step steps[] = {
        {0ms, false, 1},   // the first call always processes
        {10ms, false, 1},  // 10 ms later: too soon
        {9ms, false, 1},   // 19 ms after the first
        {1ms, false, 2},   // 20 ms after the first
        {1ms, true, 3},    // forced, however soon
        {19ms, false, 3},  // the forced one restarted the interval
        {1ms, false, 4},
    };
    for (const Step& step : steps) {
        now += step.advance;
        if (step.forced) {
            pump.processEventsNow();
        } else {
            pump.processEvents();
        }
        EXPECT_EQ(processed, step.processedAfter);
    }
}

TEST(EventPump, DeliversPendingEvents) {
    QtEventPump pump;
    bool delivered = false;
    QTimer::singleShot(0, [&] { delivered = true; });
    pump.processEvents();
    EXPECT_TRUE(delivered);
}

}  // namespace
}  // namespace tessaly
