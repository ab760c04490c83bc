// The viewer's text is made from the engine's body on a thread of its own, a
// slice at a time with the hit words of each slice marked, while the window
// shows what is done: the top of a file of hundreds of megabytes is on
// screen long before its end is read, and the window's thread copies
// nothing: it only lays out what it shows.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/page_buffer.h"
#include "viewer/hit_line_marker.h"
#include "viewer/viewer_body.h"

namespace tessaly {

class ViewerTextLoad {
public:
    // Body bytes read per slice: a few milliseconds of work.
    static constexpr std::size_t kSliceBytes = 4 << 20;

    // Starts at once. `resultText` is the engine's hit lines for the file.
    ViewerTextLoad(ViewerBody body, std::string resultText);
    // Stops the load and waits for its thread.
    ~ViewerTextLoad();
    ViewerTextLoad(const ViewerTextLoad&) = delete;
    ViewerTextLoad& operator=(const ViewerTextLoad&) = delete;

    // Ends the load where it is; what was made stays.
    void stop();

    struct Progress {
        // All the text made so far. It stays where it is while the load
        // lives; the next Progress holds it again, longer.
        std::u16string_view text;
        // The hit words found since the last call, in order.
        std::vector<TextSpan> marks;
        bool finished = false;
    };
    // Waits up to `wait` for more, then tells what there is.
    Progress take(std::chrono::milliseconds wait);

private:
    void run();

    ViewerBody body_;
    std::string resultText_;
    PageBuffer text_;
    std::atomic<bool> stopping_{false};
    std::mutex mutex_;
    std::condition_variable changed_;
    std::size_t length_ = 0;  // made and marked, under mutex_
    std::size_t lengthTaken_ = 0;
    std::vector<TextSpan> marks_;
    bool finished_ = false;
    std::thread thread_;
};

}  // namespace tessaly
