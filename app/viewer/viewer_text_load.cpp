#include "viewer/viewer_text_load.h"

#include "viewer/body_text_decoder.h"

namespace tessaly {

namespace {

// Text is handed to the window at most this often: each hand-over costs the
// window a look at the new lines, and a person cannot read faster anyway.
constexpr std::chrono::milliseconds kPublishEvery{30};
// An escape the decoder finishes past the slice it was given.
constexpr std::size_t kLongestEscape = 64;

}  // namespace

ViewerTextLoad::ViewerTextLoad(std::size_t textCapacity, BodyPieces body, FindHits findHits, Changed changed)
    : body_(std::move(body)),
      findHits_(std::move(findHits)),
      changed_(std::move(changed)),
      // Room for one slice more than the text can take: a slice is decoded
      // whole, and the room it finds must not depend on where it falls.
      text_((textCapacity + kSliceBytes + kLongestEscape) * sizeof(char16_t)),
      capacity_(textCapacity + kSliceBytes + kLongestEscape) {
    searcher_ = std::thread([this] { this->findHits(); });
    maker_ = std::thread([this] { makeText(); });
}

ViewerTextLoad::~ViewerTextLoad() {
    stop();
    maker_.join();
    // A search that cannot be told to stop (an engine without the entry for
    // hit words) is over in about a second for a file a viewer can hold.
    searcher_.join();
}

void ViewerTextLoad::stop() {
    stopping_ = true;
    const std::lock_guard lock(mutex_);
    moved_.notify_all();
}

void ViewerTextLoad::findHits() {
    std::unique_ptr<TextMarker> marker;
    try {
        marker = findHits_(stopping_);
    } catch (...) {
        // Without its hits the text is still worth showing, unmarked.
    }
    const std::lock_guard lock(mutex_);
    found_ = std::move(marker);
    searched_ = true;
    moved_.notify_all();
}

void ViewerTextLoad::makeText() {
    bool read = false;
    try {
        read = body_([this](std::string_view rtf) { return takePiece(rtf); });
    } catch (...) {
        read = false;
    }
    if (stopping_) return end(Ending::Stopped);
    if (cut_) return end(Ending::Cut);
    if (!read) return end(Ending::Unreadable);
    publish(true);  // all the text is up while the search still runs
    {
        std::unique_lock lock(mutex_);
        moved_.wait(lock, [this] { return searched_ || stopping_; });
    }
    if (stopping_) return end(Ending::Stopped);
    markHits(true);
    end(Ending::Whole);
}

bool ViewerTextLoad::takePiece(std::string_view rtf) {
    auto* const text = reinterpret_cast<char16_t*>(text_.data());
    BodyTextDecoder decoder(rtf);
    while (!decoder.done()) {
        if (stopping_) return false;
        // A slice gives at most a unit a byte; past the text's own length
        // the file has grown since it was opened.
        if (length_ + kSliceBytes + kLongestEscape > capacity_) {
            cut_ = true;
            return false;
        }
        length_ += decoder.decode(kSliceBytes, text + length_);
        markHits(false);
        publish(false);
    }
    return true;
}

void ViewerTextLoad::markHits(bool whole) {
    if (!marker_) {
        const std::lock_guard lock(mutex_);
        if (!found_) return;
        marker_ = std::move(found_);
    }
    auto* const text = reinterpret_cast<const char16_t*>(text_.data());
    std::vector<TextSpan> found = marker_->advance({text, length_}, whole);
    pendingMarks_.insert(pendingMarks_.end(), found.begin(), found.end());
}

void ViewerTextLoad::publish(bool force) {
    const auto now = std::chrono::steady_clock::now();
    // The first screen goes at once; after that, at the window's pace.
    if (!force && published_ != 0 && now - lastPublished_ < kPublishEvery) return;
    lastPublished_ = now;
    {
        const std::lock_guard lock(mutex_);
        published_ = length_;
        marks_.insert(marks_.end(), pendingMarks_.begin(), pendingMarks_.end());
        pendingMarks_.clear();
        moved_.notify_all();
    }
    if (changed_) changed_();
}

void ViewerTextLoad::end(Ending ending) {
    publish(true);
    {
        const std::lock_guard lock(mutex_);
        ending_ = ending;
        moved_.notify_all();
    }
    if (changed_) changed_();
}

ViewerTextLoad::Progress ViewerTextLoad::take(std::chrono::milliseconds wait) {
    std::unique_lock lock(mutex_);
    moved_.wait_for(lock, wait,
                      [this] { return ending_.has_value() || published_ != taken_ || !marks_.empty(); });
    taken_ = published_;
    Progress progress;
    progress.text = {reinterpret_cast<const char16_t*>(text_.data()), published_};
    progress.marks.swap(marks_);
    progress.ending = ending_;
    return progress;
}

}  // namespace tessaly
