#include "web/page/PromptDelivery.hpp"

#include <memory>

#include "web/page/OwnWorld.hpp"
#include "web/page/PageScripts.hpp"

namespace corvina {

namespace {

DeliveryOutcome outcomeOf(JSCValue* value) {
    if (!value || !jsc_value_is_string(value)) return DeliveryOutcome::couldNotSend;
    char* answer = jsc_value_to_string(value);
    const std::string said = answer;
    g_free(answer);
    if (said == "sent") return DeliveryOutcome::sent;
    if (said == "noBox") return DeliveryOutcome::noMessageBox;
    return DeliveryOutcome::couldNotSend;
}

}  // namespace

void deliverPrompt(WebKitWebView* view, const std::string& text, std::function<void(DeliveryOutcome)> done) {
    GVariantBuilder arguments;
    g_variant_builder_init(&arguments, G_VARIANT_TYPE("a{sv}"));
    g_variant_builder_add(&arguments, "{sv}", "text", g_variant_new_string(text.c_str()));
    webkit_web_view_call_async_javascript_function(
        view, functionBodyWithHelpers("prompt-delivery").c_str(), -1, g_variant_builder_end(&arguments), ownWorldName,
        nullptr, nullptr,
        +[](GObject* source, GAsyncResult* result, gpointer data) {
            std::unique_ptr<std::function<void(DeliveryOutcome)>> done(static_cast<std::function<void(DeliveryOutcome)>*>(data));
            JSCValue* value = webkit_web_view_call_async_javascript_function_finish(WEBKIT_WEB_VIEW(source), result, nullptr);
            (*done)(outcomeOf(value));
            if (value) g_object_unref(value);
        },
        new std::function<void(DeliveryOutcome)>(std::move(done)));
}

}  // namespace corvina
