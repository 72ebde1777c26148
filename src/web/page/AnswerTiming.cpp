#include "web/page/AnswerTiming.hpp"

#include <utility>

namespace corvina {

AnswerTiming::AnswerTiming(MainQueue& queue, std::function<void()> started, std::function<void(std::string)> finished,
                           std::function<void()> stopped)
    : queue_(queue), started_(std::move(started)), finished_(std::move(finished)), stopped_(std::move(stopped)) {}

void AnswerTiming::grew(std::string text) {
    const auto now = queue_.now();
    lastText_ = std::move(text);
    quiet_ = queue_.after(quietAfter, owner_.bind([](AnswerTiming& timing) { timing.stillNow(); }));
    if (ignored_) return;
    std::erase_if(growth_, [&](Milliseconds at) { return now - at >= streamingWindow; });
    growth_.push_back(now);
    if (!answering_ && (growth_.size() >= streamingSpans || expecting_)) {
        answering_ = true;
        expecting_ = false;
        startedAt_ = now;
        started_();
    } else if (answering_ && now - startedAt_ > longestAnswer) {
        answering_ = false;
        ignored_ = true;
        stopped_();
    }
}

void AnswerTiming::stillNow() {
    growth_.clear();
    ignored_ = false;
    if (!std::exchange(answering_, false)) return;
    finished_(lastText_);
}

}  // namespace corvina
