// The viewer's text is made on a thread of its own from the engine's body as
// the engine hands it out, a piece at a time, while the window shows what is
// done: the first screen of a file of hundreds of megabytes is up as soon as
// its first piece is read. The hit words are searched for beside it, on a
// second thread, and marked in the text once they come.
// The window's thread copies nothing: it only lays out what it shows.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/page_buffer.h"
#include "viewer/text_marker.h"

namespace tessaly {

class ViewerTextLoad {
public:
    // Takes the next piece of the body; false when no more is wanted.
    using PieceSink = std::function<bool(std::string_view rtf)>;
    // Hands the whole body on, piece after piece, never cutting an escape;
    // false when it could not be read.
    using BodyPieces = std::function<bool(const PieceSink& sink)>;
    // Searches the file for its hit words: what marks them in the text. It
    // may end early, with nothing, once `stopping` is set.
    using FindHits = std::function<std::unique_ptr<TextMarker>(const std::atomic<bool>& stopping)>;

    // Told, on the load's own thread, that take() has more to give: at most
    // every few tens of milliseconds, and once more when the load ends.
    using Changed = std::function<void()>;

    // Starts at once. `textCapacity` bounds the text in UTF-16 units: the
    // body's own source length will do, since no character of a file or a
    // document takes more units than bytes.
    ViewerTextLoad(std::size_t textCapacity, BodyPieces body, FindHits findHits, Changed changed = {});
    // Stops the load and waits for its threads.
    ~ViewerTextLoad();
    ViewerTextLoad(const ViewerTextLoad&) = delete;
    ViewerTextLoad& operator=(const ViewerTextLoad&) = delete;

    // Ends the load where it is; what was made stays.
    void stop();

    enum class Ending {
        Whole,       // the whole text is shown, every hit marked
        Stopped,     // stop() came first: the text stops short
        Unreadable,  // the body could not be read, or not to its end
        Cut,         // the file grew past the room its length gave
    };

    struct Progress {
        // All the text made so far. It stays where it is while the load
        // lives; the next Progress holds it again, longer.
        std::u16string_view text;
        // The hit words found since the last call, in order.
        std::vector<TextSpan> marks;
        // Set once the load has ended: how.
        std::optional<Ending> ending;
    };
    // Waits up to `wait` for more, then tells what there is.
    Progress take(std::chrono::milliseconds wait);

    // Body bytes decoded between two looks at stop(): a few milliseconds.
    static constexpr std::size_t kSliceBytes = 1 << 20;

private:
    void makeText();
    bool takePiece(std::string_view rtf);
    void findHits();
    // Marks what the search, once it is done, marks in the text so far.
    void markHits(bool whole);
    void publish(bool force);
    void end(Ending ending);

    BodyPieces body_;
    FindHits findHits_;
    Changed changed_;
    PageBuffer text_;
    std::size_t capacity_;  // in units
    std::atomic<bool> stopping_{false};

    // The text thread's own.
    std::size_t length_ = 0;
    std::unique_ptr<TextMarker> marker_;
    std::vector<TextSpan> pendingMarks_;
    std::chrono::steady_clock::time_point lastPublished_{};
    bool cut_ = false;

    std::mutex mutex_;
    std::condition_variable moved_;
    // Under mutex_:
    std::size_t published_ = 0;
    std::size_t taken_ = 0;
    std::vector<TextSpan> marks_;
    std::optional<Ending> ending_;
    bool searched_ = false;
    std::unique_ptr<TextMarker> found_;  // once searched_, unless the search failed

    std::thread searcher_;
    std::thread maker_;
};

}  // namespace tessaly
