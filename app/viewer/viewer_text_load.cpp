#include "viewer/viewer_text_load.h"

#include "viewer/body_text_decoder.h"

namespace tessaly {

ViewerTextLoad::ViewerTextLoad(ViewerBody body, std::string resultText)
    : body_(std::move(body)),
      resultText_(std::move(resultText)),
      // A unit of text takes at least a byte of the body.
      text_(body_.length * sizeof(char16_t)),
      thread_([this] { run(); }) {}

ViewerTextLoad::~ViewerTextLoad() {
    stop();
    thread_.join();
}

void ViewerTextLoad::stop() { stopping_ = true; }

void ViewerTextLoad::run() {
    auto* const text = reinterpret_cast<char16_t*>(text_.data());
    BodyTextDecoder decoder(body_.rtf());
    HitLineMarker marker(resultText_);
    std::size_t length = 0;
    while (!stopping_) {
        length += decoder.decode(kSliceBytes, text + length);
        const bool whole = decoder.done();
        std::vector<TextSpan> marks = marker.advance({text, length}, whole);
        // The body read so far is not wanted again: its memory goes while
        // the text's grows.
        body_.buffer.releaseFront(decoder.position());
        {
            const std::lock_guard lock(mutex_);
            length_ = length;
            marks_.insert(marks_.end(), marks.begin(), marks.end());
            finished_ = whole;
        }
        changed_.notify_all();
        if (whole) return;
    }
    {
        const std::lock_guard lock(mutex_);
        finished_ = true;
    }
    changed_.notify_all();
}

ViewerTextLoad::Progress ViewerTextLoad::take(std::chrono::milliseconds wait) {
    std::unique_lock lock(mutex_);
    changed_.wait_for(lock, wait,
                      [this] { return finished_ || length_ != lengthTaken_ || !marks_.empty(); });
    lengthTaken_ = length_;
    Progress progress;
    progress.text = {reinterpret_cast<const char16_t*>(text_.data()), length_};
    progress.marks.swap(marks_);
    progress.finished = finished_;
    return progress;
}

}  // namespace tessaly
