#include "web/page/LeaveQuestion.hpp"

#include <memory>

namespace corvina::LeaveQuestion {

namespace {

// A world of our own: the page neither sees nor changes what is noted there.
constexpr const char* worldName = "corvina-leave-question";

// Only trusted presses count: a page cannot make them, and our scripts are none.
constexpr const char* noteUse = R"JS(
for (const type of ['pointerdown', 'keydown'])
    addEventListener(type, e => { if (e.isTrusted) window.usedByTheUser = true; }, true);
)JS";

// The same event the engine sends on leaving, sent first by us: a handler that objects
// cancels it or sets its return value.
constexpr const char* askToLeave = R"JS(
(() => {
    if (!window.usedByTheUser) return false;
    const leaving = document.createEvent('BeforeUnloadEvent');
    leaving.initEvent('beforeunload', false, true);
    dispatchEvent(leaving);
    return leaving.defaultPrevented || !!leaving.returnValue;
})()
)JS";

}  // namespace

void watchUse(WebKitWebView* view) {
    // One script for every page, made once.
    static WebKitUserScript* const script = webkit_user_script_new_for_world(
        noteUse, WEBKIT_USER_CONTENT_INJECT_TOP_FRAME, WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, worldName,
        nullptr, nullptr);
    webkit_user_content_manager_add_script(webkit_web_view_get_user_content_manager(view), script);
}

void ask(WebKitWebView* view, std::function<void(bool objects)> answer) {
    webkit_web_view_evaluate_javascript(
        view, askToLeave, -1, worldName, nullptr, nullptr,
        +[](GObject* source, GAsyncResult* result, gpointer data) {
            std::unique_ptr<std::function<void(bool)>> answer(static_cast<std::function<void(bool)>*>(data));
            JSCValue* value = webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source), result, nullptr);
            const bool objects = value && jsc_value_is_boolean(value) && jsc_value_to_boolean(value);
            if (value) g_object_unref(value);
            (*answer)(objects);
        },
        new std::function<void(bool)>(std::move(answer)));
}

}  // namespace corvina::LeaveQuestion
