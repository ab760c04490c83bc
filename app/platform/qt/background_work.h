// Long work beside the window (a document's text, a file searched again,
// the next hit of a long text): each piece runs on a thread of its own and
// its result comes back on the window's thread through a queued call, so the
// window's event loop is never nested. Work must own what it uses: the
// person may move on (Stop, a later click) while it runs, and the one who
// asked for it then drops its result.
#pragma once

#include <QMetaObject>
#include <QObject>

#include <atomic>
#include <list>
#include <memory>
#include <thread>
#include <utility>

namespace tessaly {

class BackgroundWork : public QObject {
public:
    BackgroundWork() = default;
    // Waits for the work still under way; its results go nowhere.
    ~BackgroundWork() override {
        for (Running& running : running_) running.thread.join();
    }
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;

    // Runs `work` on a thread of its own, then `done` with its result on the
    // thread this object lives on, unless this object is gone by then.
    template <typename Work, typename Done>
    void start(Work work, Done done) {
        joinFinished();
        auto finished = std::make_shared<std::atomic<bool>>(false);
        std::thread thread([this, finished, work = std::move(work), done = std::move(done)]() mutable {
            auto result = work();
            QMetaObject::invokeMethod(
                this, [done = std::move(done), result = std::move(result)]() mutable { done(std::move(result)); },
                Qt::QueuedConnection);
            finished->store(true);
        });
        running_.push_back({std::move(thread), std::move(finished)});
    }

private:
    struct Running {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> finished;
    };

    void joinFinished() {
        for (auto it = running_.begin(); it != running_.end();) {
            if (!it->finished->load()) {
                ++it;
                continue;
            }
            it->thread.join();
            it = running_.erase(it);
        }
    }

    std::list<Running> running_;
};

}  // namespace tessaly
