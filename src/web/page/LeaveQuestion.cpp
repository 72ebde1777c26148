#include "web/page/LeaveQuestion.hpp"

#include <memory>

#include "web/page/OwnWorld.hpp"
#include "web/page/PageScripts.hpp"

namespace corvina::LeaveQuestion {

void ask(WebKitWebView* view, std::function<void(bool objects)> answer) {
    webkit_web_view_evaluate_javascript(
        view, pageScript("leave-question").c_str(), -1, ownWorldName, nullptr, nullptr,
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
