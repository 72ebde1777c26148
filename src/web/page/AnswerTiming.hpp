#pragma once
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/MainQueue.hpp"
#include "platform/WeakOwner.hpp"

namespace corvina {

// Tells from a page's reports of growth when it starts streaming an answer and when it has
// finished: growth in three half-second spans within three seconds is an answer streaming;
// two seconds without growth end it; after a prompt, any growth starts the answer. One that grows for five minutes is taken for a ticker
// and not followed until it has been still. Goes by the main queue's clock.
class AnswerTiming {
public:
    static constexpr Milliseconds quietAfter{2000};
    static constexpr Milliseconds streamingWindow{3000};
    static constexpr std::size_t streamingSpans = 3;
    static constexpr Milliseconds longestAnswer{std::chrono::minutes{5}};

    AnswerTiming(MainQueue& queue, std::function<void()> started, std::function<void(std::string text)> finished,
                 std::function<void()> stopped);

    // The page grew; `text` is the start of what grew.
    void grew(std::string text);
    // A prompt was just sent: the page's next growth is its answer, however short.
    void expectAnswer() { expecting_ = true; }

private:
    void stillNow();

    WeakOwner<AnswerTiming> owner_{this};
    MainQueue& queue_;
    std::function<void()> started_;
    std::function<void(std::string)> finished_;
    std::function<void()> stopped_;
    // When the page grew lately, within the streaming window.
    std::vector<Milliseconds> growth_;
    bool answering_ = false;
    bool ignored_ = false;
    bool expecting_ = false;
    Milliseconds startedAt_{0};
    std::string lastText_;
    TimerHandle quiet_;
};

}  // namespace corvina
