#pragma once
#include <functional>
#include <string>

#include <webkit/webkit.h>

#include "platform/MainQueue.hpp"
#include "platform/SignalConnection.hpp"
#include "web/page/AnswerTiming.hpp"

namespace corvina {

// Watches, from our own script world, how much rendered text a page adds over time, and
// says (by AnswerTiming's rule) when the page starts streaming an answer and when it has
// stopped growing (with the start of the answer's text). Text that is rewritten at the
// same length (a clock), hidden text, the user's own typing, a one-off change and
// animations do not count.
class AnswerWatch {
public:
    AnswerWatch(WebKitWebView* view, MainQueue& queue, std::function<void()> started,
                std::function<void(std::string text)> finished, std::function<void()> stopped);
    ~AnswerWatch();
    AnswerWatch(const AnswerWatch&) = delete;
    AnswerWatch& operator=(const AnswerWatch&) = delete;

    // A prompt was just sent into the page.
    void expectAnswer() { timing_.expectAnswer(); }

private:
    void received(JSCValue* message);

    WebKitUserContentManager* manager_;
    AnswerTiming timing_;
    SignalConnection messages_;
};

}  // namespace corvina
