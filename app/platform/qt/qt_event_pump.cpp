#include "platform/qt/qt_event_pump.h"

#include <QCoreApplication>

namespace tessaly {

QtEventPump::QtEventPump(Clock clock, Processor processor)
    : clock_(clock ? std::move(clock) : Clock([] { return std::chrono::steady_clock::now(); })),
      processor_(processor ? std::move(processor)
                           : Processor([] { QCoreApplication::processEvents(); })) {}

void QtEventPump::processEvents() {
    const auto now = clock_();
    if (last_ && now - *last_ < kInterval) return;
    last_ = now;
    processor_();
}

void QtEventPump::processEventsNow() {
    last_ = clock_();
    processor_();
}

}  // namespace tessaly
