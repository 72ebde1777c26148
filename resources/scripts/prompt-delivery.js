// The body of an async function of one argument, `text`. It answers "sent", "noBox" or
// "notSent". The page's own editor decides what its box holds: the text goes in through
// the events a keyboard sends, a step at a time once the editor shows the step before,
// then the send control or Enter.
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

const words = el => [el.getAttribute('aria-label'), el.getAttribute('placeholder'), el.getAttribute('name'),
                     el.getAttribute('title'), el.id].filter(Boolean).join(' ');
const searchField = el => el.type === 'search' || el.getAttribute('role') === 'searchbox' ||
    /search|搜索|搜尋|查找/i.test(words(el)) || !!el.closest('[role=search]');
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
// Editors show spaces their own way (kept runs, a last empty line), so what they show is
// compared without white space.
const flat = s => s.replace(/[\s\u200b]+/g, '');
const shows = (box, piece) => flat(content(box)).includes(flat(piece));
// Typed as keys would type it; a long text goes in as a paste would, which editors take
// at once (typing it would take the engine minutes).
const typedLength = 4000;
const paste = box => {
    const data = new DataTransfer();
    data.setData('text/plain', text);
    return !box.dispatchEvent(new ClipboardEvent('paste', {clipboardData: data, bubbles: true, cancelable: true}));
};
// Enter as the keyboard sends it: no keypress, and no default (`then`), once the page took
// the key down; the key up either way. Older editors go by the key code.
const pressEnter = (box, shiftKey = false, then = null) => {
    const init = {key: 'Enter', code: 'Enter', keyCode: 13, which: 13, shiftKey,
                  bubbles: true, cancelable: true, composed: true};
    if (box.dispatchEvent(new KeyboardEvent('keydown', init)) &&
        box.dispatchEvent(new KeyboardEvent('keypress', {...init, charCode: 13})) && then)
        then();
    box.dispatchEvent(new KeyboardEvent('keyup', init));
};
// Text as a keyboard or an input method commits it: a textInput event, whose default is the
// engine's insertion with its beforeinput and input events. Some editors take typed text
// only from textInput, and would lose track of text that went in without one.
const commit = (box, piece) => {
    let inserted = false;
    const noted = () => { inserted = true; };
    const root = box.getRootNode();
    root.addEventListener('beforeinput', noted, true);
    const typed = document.createEvent('TextEvent');
    typed.initTextEvent('textInput', true, true, window, piece);
    const taken = !box.dispatchEvent(typed);
    root.removeEventListener('beforeinput', noted, true);
    if (!taken && !inserted) document.execCommand('insertText', false, piece);
};
// Once `type` has reached `target`, or after `ms` by the clock.
const nextEvent = (target, type, ms) => new Promise(done => {
    const finish = () => {
        target.removeEventListener(type, finish);
        clearTimeout(timer);
        done();
    };
    const timer = setTimeout(finish, ms);
    target.addEventListener(type, finish);
});
// Everything in the box selected, as Ctrl+A in it would, and taken in by the page: editors
// read the selection on selectionchange, some on a zero timer set then, which runs before
// ours, and paste where they last saw it. The engine keeps a selection inside a shadow root
// only when it makes it itself.
const selectAll = async box => {
    const seen = nextEvent(document, 'selectionchange', 1000);
    if (box.getRootNode() === document) {
        const all = document.createRange();
        all.selectNodeContents(box);
        getSelection().removeAllRanges();
        getSelection().addRange(all);
    } else {
        document.execCommand('selectAll');
    }
    await seen;
    await sleep(0);
};
// Each step waits until the editor shows what the one before it put in: an editor may apply
// typed text to its own model later, and a line break pressed before would land elsewhere.
const putIn = async box => {
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
    await selectAll(box);
    if (text.length > typedLength) {
        if (paste(box)) return;
        // No editor of its own: what the engine's own paste of plain text would insert.
        const escaped = text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
        document.execCommand('insertHTML', false, escaped.split('\n').join('<br>'));
        return;
    }
    // A box that never shows a step as expected is not waited for again.
    let watching = true;
    const landed = async check => { watching = watching && !!await within(2000, check); };
    // A new line as Shift+Enter makes it in this editor, so that none takes it for sending;
    // a box that does nothing with the key gets the line break the keyboard would leave.
    const lines = text.split('\n');
    for (const [index, line] of lines.entries()) {
        if (index > 0) {
            const before = content(box);
            pressEnter(box, true, () => document.execCommand('insertLineBreak'));
            if (watching) await landed(() => content(box) !== before);
        }
        if (line) {
            commit(box, line);
            if (watching) await landed(() => shows(box, lines.slice(0, index + 1).join('')));
        }
    }
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
        const controls = everyElement(around)
            .filter(el => control(el) && el !== box && !box.contains(el) && shown(el));
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

const textLines = text.split('\n').map(line => line.trim()).filter(Boolean);
const probe = textLines[0].slice(0, 100);
// An editor that draws only the lines in sight shows the end of a long text, where the caret is.
const holds = box => content(box).includes(probe) || content(box).includes(textLines[textLines.length - 1].slice(-100));
const times = (haystack, needle) => haystack.split(needle).length - 1;
const gone = box => !box.isConnected || !content(box).trim();
const inPage = box => times(document.body.innerText, probe) > (plain(box) ? 0 : times(content(box), probe));

// Pages built by script draw their message box some time after they have loaded.
const box = await within(5000, findBox);
if (!box) return 'noBox';
await putIn(box);
// Editors take in what changed in their box on their own schedule.
if (!await within(5000, () => holds(box))) return 'notSent';
// A send button may appear only a while after the box holds text; a form sends by itself.
const send = findSend(box) || (!box.closest('form') && await within(3000, () => findSend(box)));
if (send) {
    if (await within(4000, () => !disabled(send))) send.click();
    else pressEnter(box);
} else {
    pressEnter(box);
    const form = box.closest('form');
    if (form && !gone(box)) form.requestSubmit();
}
return await within(5000, () => gone(box) || inPage(box)) ? 'sent' : 'notSent';
