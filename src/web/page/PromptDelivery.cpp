#include "web/page/PromptDelivery.hpp"

#include <memory>

#include "web/page/OwnWorld.hpp"

namespace corvina {

namespace {

// The body of an async function of one argument, `text`. It answers "sent", "noBox" or
// "notSent". The page's own editor decides what its box holds: the text goes in through
// the editing commands a keyboard would trigger, then the send control or Enter.
constexpr const char* deliveryScript = R"JS(
const sleep = ms => new Promise(done => setTimeout(done, ms));
// By the clock, not by counting sleeps: a page out of sight has its timers slowed down.
const within = async (ms, check) => {
    const until = performance.now() + ms;
    for (;;) {
        const found = check();
        if (found || performance.now() >= until) return found;
        await sleep(50);
    }
};
const lowerHalf = 0.4;

const parentOf = node => node.parentElement || (node.getRootNode && node.getRootNode().host) || null;
const everyElement = () => {
    const found = [];
    const walk = root => {
        for (const el of root.querySelectorAll('*')) {
            found.push(el);
            if (el.shadowRoot) walk(el.shadowRoot);
        }
    };
    walk(document);
    return found;
};
const shown = el => {
    const box = el.getBoundingClientRect();
    if (box.width < 2 || box.height < 2) return false;
    for (let at = el; at instanceof Element; at = parentOf(at)) {
        const style = getComputedStyle(at);
        if (style.display === 'none' || style.visibility === 'hidden' || style.opacity === '0') return false;
    }
    return true;
};
const words = el => [el.getAttribute('aria-label'), el.getAttribute('placeholder'), el.getAttribute('name'),
                     el.getAttribute('title'), el.id].filter(Boolean).join(' ');
const searchField = el => el.type === 'search' || el.getAttribute('role') === 'searchbox' ||
    /search|搜索|搜尋|查找/i.test(words(el)) || !!el.closest('[role=search]');
const editingHost = el => {
    while (el.parentElement && el.parentElement.isContentEditable) el = el.parentElement;
    return el;
};
const disabled = el => el.disabled || el.getAttribute('aria-disabled') === 'true';
const messageBox = el => {
    if (!(el instanceof Element) || !el.isConnected || disabled(el) || searchField(el)) return false;
    if (el.matches('textarea')) return !el.readOnly;
    if (el.matches('input')) return ['text', ''].includes((el.getAttribute('type') || '').toLowerCase()) && !el.readOnly;
    if (el.isContentEditable) return editingHost(el) === el;
    return el.getAttribute('role') === 'textbox' && el.getAttribute('aria-readonly') !== 'true';
};
const findBox = () => {
    const typed = window.lastTypedElement;
    if (typed && messageBox(typed) && shown(typed)) return typed;
    const candidates = everyElement().filter(el => messageBox(el) && shown(el));
    const low = candidates.filter(el => {
        const box = el.getBoundingClientRect();
        return box.top + box.height / 2 >= innerHeight * lowerHalf;
    });
    const area = el => { const box = el.getBoundingClientRect(); return box.width * box.height; };
    return (low.length ? low : candidates).sort((a, b) => area(b) - area(a))[0] || null;
};

const plain = el => el.matches('textarea, input');
const content = el => plain(el) ? el.value : el.innerText;
// Typed as keys would type it; a long text goes in as a paste would, which editors take
// at once (typing it would take the engine minutes).
const typedLength = 4000;
const paste = box => {
    const data = new DataTransfer();
    data.setData('text/plain', text);
    return !box.dispatchEvent(new ClipboardEvent('paste', {clipboardData: data, bubbles: true, cancelable: true}));
};
const putIn = box => {
    box.focus();
    if (plain(box)) {
        box.select();
        const typed = text.length <= typedLength && document.execCommand('insertText', false, text);
        if (!typed || box.value !== text) {
            // The value as a paste would leave it, with the events a paste sends.
            const setter = Object.getOwnPropertyDescriptor(Object.getPrototypeOf(box), 'value').set;
            setter.call(box, text);
            box.dispatchEvent(new InputEvent('input', {bubbles: true, inputType: 'insertFromPaste'}));
        }
        return;
    }
    const all = document.createRange();
    all.selectNodeContents(box);
    const selection = getSelection();
    selection.removeAllRanges();
    selection.addRange(all);
    if (text.length > typedLength) {
        if (paste(box)) return;
        // No editor of its own: what the engine's own paste of plain text would insert.
        const escaped = text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
        document.execCommand('insertHTML', false, escaped.split('\n').join('<br>'));
        return;
    }
    // A new line as Shift+Enter makes it in this editor, so that none takes it for sending;
    // a box that does nothing with the key gets the line break the keyboard would leave.
    text.split('\n').forEach((line, index) => {
        if (index > 0) {
            const shiftEnter = new KeyboardEvent('keydown', {key: 'Enter', code: 'Enter', shiftKey: true,
                                                            bubbles: true, cancelable: true, composed: true});
            if (box.dispatchEvent(shiftEnter)) document.execCommand('insertLineBreak');
        }
        if (line) document.execCommand('insertText', false, line);
    });
};

const label = el => (el.getAttribute('aria-label') || el.getAttribute('title') ||
                     (el.matches('input') ? el.value : el.textContent) || '').trim();
const sendWord = /^(send|send message|send prompt|submit|发送|發送|傳送|送出|提交|发送消息|發送訊息)$/i;
const iconOnly = el => !(el.textContent || '').trim() && !!el.querySelector('svg, img, i, span');
const control = el => el.matches('button, [role=button], input[type=submit]');
const findSend = box => {
    const form = box.closest('form');
    if (form) {
        const submit = [...form.querySelectorAll('button, input[type=submit]')]
            .find(el => (el.type || 'submit') === 'submit' && shown(el));
        if (submit) return submit;
    }
    // Outward from the box: the nearest group of controls that holds a send button.
    for (let around = parentOf(box), depth = 0; around && depth < 6; around = parentOf(around), depth++) {
        const controls = [];
        const walk = root => {
            for (const el of root.querySelectorAll('*')) {
                if (control(el) && el !== box && !box.contains(el) && shown(el)) controls.push(el);
                if (el.shadowRoot) walk(el.shadowRoot);
            }
        };
        walk(around);
        const named = controls.find(el => sendWord.test(label(el)) || /\bsend\b|发送|發送|傳送/i.test(label(el)));
        if (named) return named;
        const icons = controls.filter(iconOnly);
        if (icons.length) {
            const at = box.getBoundingClientRect();
            const distance = el => {
                const b = el.getBoundingClientRect();
                return Math.hypot(b.left + b.width / 2 - at.right, b.top + b.height / 2 - at.bottom);
            };
            return icons.sort((a, b) => distance(a) - distance(b))[0];
        }
    }
    return null;
};
const pressEnter = box => {
    for (const type of ['keydown', 'keypress', 'keyup'])
        box.dispatchEvent(new KeyboardEvent(type, {key: 'Enter', code: 'Enter', bubbles: true, cancelable: true, composed: true}));
};

const probe = text.split('\n').map(line => line.trim()).find(Boolean).slice(0, 100);
const times = (haystack, needle) => haystack.split(needle).length - 1;
const gone = box => !box.isConnected || !content(box).trim();
const inPage = box => times(document.body.innerText, probe) > (plain(box) ? 0 : times(content(box), probe));

// Pages built by script draw their message box some time after they have loaded.
const box = await within(5000, findBox);
if (!box) return 'noBox';
putIn(box);
// Editors take in what changed in their box on their own schedule.
await sleep(150);
if (!content(box).includes(probe)) return 'notSent';
const send = findSend(box);
if (send) {
    if (await within(2000, () => !disabled(send))) send.click();
    else pressEnter(box);
} else {
    pressEnter(box);
    const form = box.closest('form');
    if (form && !gone(box)) form.requestSubmit();
}
return await within(3000, () => gone(box) || inPage(box)) ? 'sent' : 'notSent';
)JS";

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
        view, deliveryScript, -1, g_variant_builder_end(&arguments), ownWorldName, nullptr, nullptr,
        +[](GObject* source, GAsyncResult* result, gpointer data) {
            std::unique_ptr<std::function<void(DeliveryOutcome)>> done(static_cast<std::function<void(DeliveryOutcome)>*>(data));
            JSCValue* value = webkit_web_view_call_async_javascript_function_finish(WEBKIT_WEB_VIEW(source), result, nullptr);
            (*done)(outcomeOf(value));
            if (value) g_object_unref(value);
        },
        new std::function<void(DeliveryOutcome)>(std::move(done)));
}

}  // namespace corvina
