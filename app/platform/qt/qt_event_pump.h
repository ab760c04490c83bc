// The event pump over QCoreApplication::processEvents, throttled by a clock
// that tests can replace.
#pragma once

#include <chrono>
#include <functional>
#include <optional>

#include "platform/qt/event_pump.h"

namespace tessaly {

class QtEventPump final : public EventPump {
public:
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    using Processor = std::function<void()>;

    static constexpr std::chrono::milliseconds kInterval{20};

    // Both default to the real ones: the steady clock and the application's
    // event processing.
    explicit QtEventPump(Clock clock = {}, Processor processor = {});

    void processEvents() override;
    void processEventsNow() override;

private:
    Clock clock_;
    Processor processor_;
    std::optional<std::chrono::steady_clock::time_point> last_;
};

}  // namespace tessaly
