#pragma once
#include <chrono>
#include <functional>
#include <vector>
#include <string>

#include <webkit/webkit.h>

#include "platform/MainQueue.hpp"
#include "platform/SignalConnection.hpp"
#include "platform/WeakOwner.hpp"

namespace corvina {

// Watches, from our own script world, how much rendered text a page adds over time, and
// says when the page starts streaming an answer and when it has stopped growing for two
// seconds (with the start of the answer's text). Text that is rewritten at the same
// length (a clock), hidden text, the user's own typing, a one-off change and animations
// do not count; a page that never stops is taken for answering five minutes at most.
class AnswerWatch {
public:
    static constexpr Milliseconds quietAfter{2000};
    static constexpr Milliseconds streamingWindow{3000};
    static constexpr std::size_t streamingSpans = 3;
    static constexpr std::chrono::minutes longestAnswer{5};

    AnswerWatch(WebKitWebView* view, MainQueue& queue, std::function<void()> started,
                std::function<void(std::string text)> finished, std::function<void()> stopped);
    ~AnswerWatch();
    AnswerWatch(const AnswerWatch&) = delete;
    AnswerWatch& operator=(const AnswerWatch&) = delete;

private:
    using Clock = std::chrono::steady_clock;

    void received(JSCValue* message);
    void grew(std::string text);
    void stillNow();

    WeakOwner<AnswerWatch> owner_{this};
    MainQueue& queue_;
    WebKitUserContentManager* manager_;
    std::function<void()> started_;
    std::function<void(std::string)> finished_;
    std::function<void()> stopped_;
    SignalConnection messages_;
    // When the page grew lately, within the streaming window.
    std::vector<Clock::time_point> growth_;
    bool answering_ = false;
    bool ignored_ = false;
    Clock::time_point startedAt_;
    std::string lastText_;
    TimerHandle quiet_;
};

}  // namespace corvina
