#include "web/page/AnswerWatch.hpp"

#include "web/page/OwnWorld.hpp"
#include "web/page/PageScripts.hpp"

namespace corvina {

namespace {

std::string member(JSCValue* message, const char* name) {
    JSCValue* value = jsc_value_object_get_property(message, name);
    std::string text;
    if (value && jsc_value_is_string(value)) {
        char* raw = jsc_value_to_string(value);
        text = raw;
        g_free(raw);
    }
    if (value) g_object_unref(value);
    return text;
}

}  // namespace

AnswerWatch::AnswerWatch(WebKitWebView* view, MainQueue& queue, std::function<void()> started,
                         std::function<void(std::string)> finished, std::function<void()> stopped)
    : queue_(queue), manager_(webkit_web_view_get_user_content_manager(view)), started_(std::move(started)),
      finished_(std::move(finished)), stopped_(std::move(stopped)) {
    static WebKitUserScript* const script = webkit_user_script_new_for_world(
        scriptWithHelpers("answer-watch").c_str(), WEBKIT_USER_CONTENT_INJECT_TOP_FRAME,
        WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, ownWorldName, nullptr, nullptr);
    webkit_user_content_manager_add_script(manager_, script);
    webkit_user_content_manager_register_script_message_handler(manager_, answerChannel, ownWorldName);
    messages_ = SignalConnection(manager_, ("script-message-received::" + std::string(answerChannel)).c_str(),
                                 +[](WebKitUserContentManager*, JSCValue* message, AnswerWatch* self) { self->received(message); },
                                 this);
}

AnswerWatch::~AnswerWatch() {
    messages_.disconnect();
    webkit_user_content_manager_unregister_script_message_handler(manager_, answerChannel, ownWorldName);
}

void AnswerWatch::received(JSCValue* message) {
    if (jsc_value_is_object(message)) grew(member(message, "text"));
}

// Growth in three half-second spans within three seconds is an answer streaming; two
// seconds without growth end it. One that grows for five minutes is taken for a ticker and
// not followed until it has been still.
void AnswerWatch::grew(std::string text) {
    const auto now = Clock::now();
    lastText_ = std::move(text);
    quiet_ = queue_.after(quietAfter, owner_.bind([](AnswerWatch& watch) { watch.stillNow(); }));
    if (ignored_) return;
    std::erase_if(growth_, [&](Clock::time_point at) { return now - at >= streamingWindow; });
    growth_.push_back(now);
    if (!answering_ && growth_.size() >= streamingSpans) {
        answering_ = true;
        startedAt_ = now;
        started_();
    } else if (answering_ && now - startedAt_ > longestAnswer) {
        answering_ = false;
        ignored_ = true;
        stopped_();
    }
}

void AnswerWatch::stillNow() {
    growth_.clear();
    ignored_ = false;
    if (!std::exchange(answering_, false)) return;
    finished_(lastText_);
}

}  // namespace corvina
