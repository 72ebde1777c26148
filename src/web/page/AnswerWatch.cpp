#include "web/page/AnswerWatch.hpp"

#include "web/page/OwnWorld.hpp"

namespace corvina {

namespace {

constexpr const char* channel = "corvinaAnswer";

// Counts the characters that mutations add to shown, non-editable parts of the page,
// minus those they take away. Growth in three half-second spans within three seconds is an
// answer streaming; two seconds without growth end it. Nothing runs while nothing grows.
// Counting starts once the page has first been still, so its own loading is no answer.
constexpr const char* watchScript = R"JS(
(() => {
    const bucketMs = 500, streamingBuckets = 3, streamingWindowMs = 3000, quietMs = 2000, longestMs = 5 * 60 * 1000;
    const post = message => { try { webkit.messageHandlers.corvinaAnswer.postMessage(message); } catch (e) {} };
    const elementOf = node => node instanceof Element ? node : node.parentElement;
    const editable = el => {
        for (; el; el = el.parentElement) if (el.isContentEditable || el.matches('textarea, input')) return true;
        return false;
    };
    const shown = el => el.isConnected && (el.checkVisibility ? el.checkVisibility() : el.getClientRects().length > 0);
    // Times of growth, by half-second bucket; a page in the background has its timers
    // slowed, so what counts is when text grew, not how often we looked.
    let settled = false, growth = [], answering = false, ignored = false;
    let startedAt = 0, lastGrowth = 0, lastGrown = null, timer = 0;

    const check = () => {
        const now = Date.now();
        if (!settled) {
            if (now - lastGrowth >= quietMs) { settled = true; growth = []; stop(); }
            return;
        }
        if (ignored) {
            if (now - lastGrowth >= quietMs) { ignored = false; growth = []; stop(); }
            return;
        }
        growth = growth.filter(bucket => now - bucket * bucketMs < streamingWindowMs);
        if (!answering) {
            if (growth.length >= streamingBuckets) {
                answering = true; startedAt = now;
                post({state: 'answering'});
            } else if (!growth.length) {
                stop();
            }
            return;
        }
        if (now - startedAt > longestMs) {
            answering = false; ignored = true;
            post({state: 'stopped'});
            return;
        }
        if (now - lastGrowth < quietMs) return;
        answering = false; growth = [];
        const text = lastGrown && lastGrown.isConnected ? (lastGrown.innerText || lastGrown.textContent || '') : '';
        post({state: 'answered', text: Array.from(text.trim()).slice(0, 100).join('')});
        stop();
    };
    const stop = () => { if (timer) { clearInterval(timer); timer = 0; } };
    const start = () => { if (!timer) timer = setInterval(check, bucketMs); };

    const observer = new MutationObserver(records => {
        let added = 0;
        for (const record of records) {
            const target = elementOf(record.target);
            if (!target || editable(target) || !shown(target)) continue;
            let change = 0;
            if (record.type === 'characterData') {
                change = (record.target.data || '').length - (record.oldValue || '').length;
            } else {
                for (const node of record.addedNodes) change += (node.textContent || '').length;
                for (const node of record.removedNodes) change -= (node.textContent || '').length;
            }
            if (change > 0) lastGrown = record.type === 'characterData' ? target
                : (elementOf(record.addedNodes[record.addedNodes.length - 1]) || target);
            added += change;
        }
        if (added <= 0) return;
        lastGrowth = Date.now();
        const bucket = Math.floor(lastGrowth / bucketMs);
        if (growth[growth.length - 1] !== bucket) growth.push(bucket);
        start();
    });
    const observe = () => {
        observer.observe(document.documentElement, {childList: true, subtree: true, characterData: true,
                                                     characterDataOldValue: true});
        lastGrowth = Date.now();
        start();
    };
    if (document.documentElement) observe(); else addEventListener('DOMContentLoaded', observe, {once: true});
})();
)JS";

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

AnswerWatch::AnswerWatch(WebKitWebView* view, std::function<void()> started, std::function<void(std::string)> finished,
                         std::function<void()> stopped)
    : manager_(webkit_web_view_get_user_content_manager(view)), started_(std::move(started)),
      finished_(std::move(finished)), stopped_(std::move(stopped)) {
    static WebKitUserScript* const script = webkit_user_script_new_for_world(
        watchScript, WEBKIT_USER_CONTENT_INJECT_TOP_FRAME, WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, ownWorldName,
        nullptr, nullptr);
    webkit_user_content_manager_add_script(manager_, script);
    webkit_user_content_manager_register_script_message_handler(manager_, channel, ownWorldName);
    messages_ = SignalConnection(manager_, "script-message-received::corvinaAnswer",
                                 +[](WebKitUserContentManager*, JSCValue* message, AnswerWatch* self) { self->received(message); },
                                 this);
}

AnswerWatch::~AnswerWatch() {
    messages_.disconnect();
    webkit_user_content_manager_unregister_script_message_handler(manager_, channel, ownWorldName);
}

void AnswerWatch::received(JSCValue* message) {
    if (!jsc_value_is_object(message)) return;
    const std::string state = member(message, "state");
    if (state == "answering") started_();
    if (state == "answered") finished_(member(message, "text"));
    if (state == "stopped") stopped_();
}

}  // namespace corvina
