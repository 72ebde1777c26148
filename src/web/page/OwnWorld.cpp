#include "web/page/OwnWorld.hpp"

namespace corvina {

namespace {

// Only trusted input counts: a page cannot make it. Typing is noted on the editable element
// itself, the editing host of rich editors, also inside open shadow roots.
constexpr const char* noteInput = R"JS(
(() => {
    const editable = node => {
        for (let el = node; el instanceof Element; el = el.parentElement) {
            if (el.matches('textarea, input')) return el;
            if (el.isContentEditable) {
                while (el.parentElement && el.parentElement.isContentEditable) el = el.parentElement;
                return el;
            }
        }
        return null;
    };
    for (const type of ['pointerdown', 'keydown'])
        addEventListener(type, e => { if (e.isTrusted) window.usedByTheUser = true; }, true);
    for (const type of ['keydown', 'beforeinput', 'input'])
        addEventListener(type, e => {
            if (!e.isTrusted) return;
            const typedIn = editable(e.composedPath()[0]);
            if (typedIn) window.lastTypedElement = typedIn;
        }, true);
})();
)JS";

}  // namespace

void watchUserInput(WebKitWebView* view) {
    // One script for every page, made once.
    static WebKitUserScript* const script = webkit_user_script_new_for_world(
        noteInput, WEBKIT_USER_CONTENT_INJECT_TOP_FRAME, WEBKIT_USER_SCRIPT_INJECT_AT_DOCUMENT_START, ownWorldName,
        nullptr, nullptr);
    webkit_user_content_manager_add_script(webkit_web_view_get_user_content_manager(view), script);
}

}  // namespace corvina
