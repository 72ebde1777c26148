#include "web/page/AnswerReader.hpp"

#include <memory>

#include "web/page/OwnWorld.hpp"
#include "web/page/PageScripts.hpp"

namespace corvina {

namespace {

using Done = std::function<void(PageAnswer)>;

// The answer the reader script gave: {markdown, trimmed} or null.
PageAnswer answerOf(JSCValue* value) {
    if (!value || !jsc_value_is_object(value)) return {};
    JSCValue* markdown = jsc_value_object_get_property(value, "markdown");
    JSCValue* trimmed = jsc_value_object_get_property(value, "trimmed");
    PageAnswer answer;
    if (jsc_value_is_string(markdown)) {
        char* text = jsc_value_to_string(markdown);
        answer = limitedAnswer(text);
        g_free(text);
        answer.cut = answer.cut || jsc_value_to_boolean(trimmed);
    }
    g_object_unref(markdown);
    g_object_unref(trimmed);
    return answer;
}

void runReader(WebKitWebView* view, Done* done) {
    GVariantBuilder arguments;
    g_variant_builder_init(&arguments, G_VARIANT_TYPE("a{sv}"));
    g_variant_builder_add(&arguments, "{sv}", "keep", g_variant_new_uint64(maxAnswerBytes));
    webkit_web_view_call_async_javascript_function(
        view, functionBodyWithHelpers("answer-reader").c_str(), -1, g_variant_builder_end(&arguments), ownWorldName, nullptr,
        nullptr,
        +[](GObject* source, GAsyncResult* result, gpointer data) {
            std::unique_ptr<Done> done(static_cast<Done*>(data));
            JSCValue* value = webkit_web_view_call_async_javascript_function_finish(WEBKIT_WEB_VIEW(source), result, nullptr);
            (*done)(answerOf(value));
            if (value) g_object_unref(value);
        },
        done);
}

}  // namespace

void markAnswerStart(WebKitWebView* view, const std::string& prompt) {
    GVariantBuilder arguments;
    g_variant_builder_init(&arguments, G_VARIANT_TYPE("a{sv}"));
    g_variant_builder_add(&arguments, "{sv}", "prompt", g_variant_new_string(prompt.c_str()));
    webkit_web_view_call_async_javascript_function(view, functionBodyWithHelpers("answer-mark").c_str(), -1,
                                                   g_variant_builder_end(&arguments), ownWorldName, nullptr, nullptr,
                                                   nullptr, nullptr);
}

void readAnswer(WebKitWebView* view, Done done) {
    // The converter goes into the page's copy of our world first; a page that refuses it
    // gives no answer, as the reader then finds no converter.
    webkit_web_view_evaluate_javascript(
        view, pageScript("converter").c_str(), -1, ownWorldName, nullptr, nullptr,
        +[](GObject* source, GAsyncResult* result, gpointer data) {
            JSCValue* loaded = webkit_web_view_evaluate_javascript_finish(WEBKIT_WEB_VIEW(source), result, nullptr);
            if (loaded) g_object_unref(loaded);
            runReader(WEBKIT_WEB_VIEW(source), static_cast<Done*>(data));
        },
        new Done(std::move(done)));
}

PageAnswer limitedAnswer(std::string markdown, std::size_t limit) {
    if (markdown.size() <= limit) return {std::move(markdown), false};
    std::size_t end = limit;
    // Continuation bytes (10xxxxxx) belong to the character that starts before them.
    while (end > 0 && (static_cast<unsigned char>(markdown[end]) & 0xC0) == 0x80) --end;
    markdown.resize(end);
    return {std::move(markdown), true};
}

}  // namespace corvina
