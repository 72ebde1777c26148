#include "web/page/AnswerWatch.hpp"

#include "web/page/OwnWorld.hpp"

namespace corvina {

namespace {

constexpr const char* channel = "corvinaAnswer";

// Counts the characters that mutations add to shown, non-editable parts of the page,
// minus those they take away, and tells of growth at most once per half second, with the
// start of the text that grew. The timing is ours in the app: a page in the background
// has its own timers slowed. Counting starts once the loaded page has first been still for
// two seconds, so its own loading is no answer.
constexpr const char* watchScript = R"JS(
(() => {
    const bucketMs = 500, stillMs = 2000;
    const post = message => { try { webkit.messageHandlers.corvinaAnswer.postMessage(message); } catch (e) {} };
    const elementOf = node => node instanceof Element ? node : node.parentElement;
    const editable = el => {
        for (; el; el = el.parentElement) if (el.isContentEditable || el.matches('textarea, input')) return true;
        return false;
    };
    const shown = el => el.isConnected && (el.checkVisibility ? el.checkVisibility() : el.getClientRects().length > 0);
    let settled = false, lastGrowth = Date.now(), lastBucket = 0;

    const watched = new WeakSet();
    // Open shadow roots are trees of their own: each is watched as it comes.
    const watchShadows = node => {
        if (!(node instanceof Element)) return;
        for (const el of [node, ...node.querySelectorAll('*')])
            if (el.shadowRoot && !watched.has(el.shadowRoot)) {
                watched.add(el.shadowRoot);
                observer.observe(el.shadowRoot, options);
                for (const inner of el.shadowRoot.children) watchShadows(inner);
            }
    };
    const options = {childList: true, subtree: true, characterData: true, characterDataOldValue: true};
    const observer = new MutationObserver(records => {
        let added = 0, grown = null;
        for (const record of records) {
            for (const node of record.addedNodes) watchShadows(node);
            let change = 0;
            if (record.type === 'characterData') {
                change = (record.target.data || '').length - (record.oldValue || '').length;
            } else {
                for (const node of record.addedNodes) change += (node.textContent || '').length;
                for (const node of record.removedNodes) change -= (node.textContent || '').length;
            }
            // Text rewritten at its length (a clock) costs nothing more: visibility, which
            // makes the engine lay the page out, is looked at only for growth.
            if (change === 0) continue;
            const target = elementOf(record.target);
            if (!target || editable(target) || (change > 0 && !shown(target))) continue;
            if (change > 0) grown = record.type === 'characterData' ? target
                : (elementOf(record.addedNodes[record.addedNodes.length - 1]) || target);
            added += change;
        }
        if (added <= 0) return;
        const now = Date.now();
        if (!settled) {
            settled = now - lastGrowth >= stillMs;
            lastGrowth = now;
            if (!settled) return;
        }
        lastGrowth = now;
        const bucket = Math.floor(now / bucketMs);
        if (bucket === lastBucket) return;
        lastBucket = bucket;
        const text = grown && grown.isConnected ? (grown.innerText || grown.textContent || '') : '';
        post({grew: true, text: Array.from(text.trim()).slice(0, 100).join('')});
    });
    // Watching while the page loads would count, and wrap for scripts, every node the parser
    // adds, for nothing: counting waits for a still page anyway. A load that never ends
    // delays the watch by a quarter of a minute at most.
    let observing = false;
    const observe = () => {
        if (observing || !document.documentElement) return;
        observing = true;
        observer.observe(document.documentElement, options);
    };
    if (document.readyState === 'complete') {
        observe();
    } else {
        addEventListener('load', observe, {once: true});
        setTimeout(observe, 15000);
    }
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

AnswerWatch::AnswerWatch(WebKitWebView* view, MainQueue& queue, std::function<void()> started,
                         std::function<void(std::string)> finished, std::function<void()> stopped)
    : manager_(webkit_web_view_get_user_content_manager(view)),
      timing_(queue, std::move(started), std::move(finished), std::move(stopped)) {
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
    if (jsc_value_is_object(message)) timing_.grew(member(message, "text"));
}

}  // namespace corvina
