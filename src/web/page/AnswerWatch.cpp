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
    : manager_(webkit_web_view_get_user_content_manager(view)),
      timing_(queue, std::move(started), std::move(finished), std::move(stopped)) {
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
    if (jsc_value_is_object(message)) timing_.grew(member(message, "text"));
}

}  // namespace corvina
