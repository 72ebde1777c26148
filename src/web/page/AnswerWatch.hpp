#pragma once
#include <functional>
#include <string>

#include <webkit/webkit.h>

#include "platform/SignalConnection.hpp"

namespace corvina {

// Watches, from our own script world, how much rendered text a page adds over time, and
// says when the page starts streaming an answer and when it has stopped growing for two
// seconds (with the start of the answer's text). Text that is rewritten at the same
// length (a clock), hidden text, the user's own typing, a one-off change and animations
// do not count; a page that never stops is taken for answering five minutes at most.
class AnswerWatch {
public:
    AnswerWatch(WebKitWebView* view, std::function<void()> started, std::function<void(std::string text)> finished,
                std::function<void()> stopped);
    ~AnswerWatch();
    AnswerWatch(const AnswerWatch&) = delete;
    AnswerWatch& operator=(const AnswerWatch&) = delete;

private:
    void received(JSCValue* message);

    WebKitUserContentManager* manager_;
    std::function<void()> started_;
    std::function<void(std::string)> finished_;
    std::function<void()> stopped_;
    SignalConnection messages_;
};

}  // namespace corvina
