// Waiting awake for what another thread finishes in microseconds. Put to
// sleep and woken, a thread pays a system call each way, and the scheduler
// tends to put the two threads on one core and leave the other idle; for a
// wait that short, yielding a few times costs less. After a while it sleeps
// after all: what is awaited may take long.
#pragma once

#include <mutex>
#include <thread>

namespace tessaly {

// How many times a thread yields before it sleeps: a few hundred microseconds.
inline constexpr int kAwakeWaitYields = 200;

// Takes `mutex`, trying for a while before sleeping on it.
inline std::unique_lock<std::mutex> lockAwake(std::mutex& mutex) {
    std::unique_lock lock(mutex, std::try_to_lock);
    for (int yields = 0; !lock.owns_lock() && yields < kAwakeWaitYields; ++yields) {
        std::this_thread::yield();
        lock.try_lock();
    }
    if (!lock.owns_lock()) lock.lock();
    return lock;
}

// Holding `lock`, lets it go and yields while `waiting()` holds, for a
// while; true when it no longer holds.
template <typename Condition>
bool waitAwake(std::unique_lock<std::mutex>& lock, Condition waiting) {
    for (int yields = 0; waiting(); ++yields) {
        if (yields == kAwakeWaitYields) return false;
        lock.unlock();
        std::this_thread::yield();
        lock.lock();
    }
    return true;
}

}  // namespace tessaly
