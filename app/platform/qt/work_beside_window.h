// Long work (the engine on a large file or a long document) on a thread of
// its own while the window goes on: the window's thread waits in short
// breaths and sees to its events at each of them.
#pragma once

#include <chrono>
#include <future>
#include <memory>
#include <optional>
#include <utility>

#include "platform/qt/event_pump.h"

namespace tessaly {

// How long the window waits for the work it breathes beside.
inline constexpr std::chrono::milliseconds kBreath{10};

// Until the work is done.
template <typename Work>
auto whileBreathing(EventPump& pump, Work work) -> decltype(work()) {
    auto result = std::async(std::launch::async, std::move(work));
    while (result.wait_for(kBreath) != std::future_status::ready) pump.processEventsNow();
    return result.get();
}

// Until the work is done or `abandoned()` says it is no longer wanted (Stop,
// a later click): nothing then. The work does not hold up the window: it goes
// on alone, on what it owns, and its result is dropped; `leftBehind` keeps
// it, so that only the next work left behind waits for it. `work` must own
// what it uses.
template <typename Work, typename Abandoned>
auto unlessAbandoned(EventPump& pump, Work work, Abandoned abandoned, std::future<void>& leftBehind)
    -> std::optional<decltype(work())> {
    auto result = std::make_shared<std::optional<decltype(work())>>();
    std::future<void> done = std::async(std::launch::async, [result, work = std::move(work)]() mutable {
        result->emplace(work());
        // A result nobody waits for any more (a body as large as the file,
        // twice over) goes now, not when the next work is left behind.
        result.reset();
    });
    while (done.wait_for(kBreath) != std::future_status::ready) {
        pump.processEventsNow();
        if (abandoned()) {
            leftBehind = std::move(done);
            return std::nullopt;
        }
    }
    done.get();
    return std::move(*result);
}

}  // namespace tessaly
