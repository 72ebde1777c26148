// The body of an async function of one argument, `keep`: the page's last answer as
// {markdown, trimmed}, or null when none can be told apart. The answer is what appeared since
// the mark (answer-mark.js), without the page's controls, its message box and the echo of the
// prompt. Once its text passes `keep` characters the rest is left out (`trimmed`): the
// Markdown, which holds every character of the text, would be cut before there anyway.
const mark = globalThis.corvinaAnswerMark;
if (!mark || typeof globalThis.corvinaMarkdown !== 'function') return null;
const { seen, prompt } = mark;

// The first element of each new subtree, in document order, across open shadow roots.
const newRoots = [];
const collect = root => {
    for (const el of root.children) {
        if (!seen.has(el)) newRoots.push(el);
        else {
            if (el.shadowRoot) collect(el.shadowRoot);
            collect(el);
        }
    }
};
collect(document);

// Parts of the page that are not what it answered: its controls, its message box, icons and
// what it hides. Text of the page's own making is copied without them.
const skipped = 'button, [role=button], input, textarea, select, option, svg, nav, form, script, style, noscript, ' +
    'template, link, meta, iframe, [hidden], [aria-hidden=true], [contenteditable]:not([contenteditable=false]), ' +
    '[role=textbox], [role=toolbar], [role=tooltip], [role=menu], [role=navigation]';
const inert = document.implementation.createHTMLDocument('');
// What the conversion reads: code languages, links, images, list starts, cell alignment.
const copiedAttributes = new Set(['class', 'href', 'src', 'alt', 'title', 'start', 'align', 'style']);
// A custom element becomes a plain one of its kind of box, so no page code runs for the copy.
const customStandIn = el => /^(inline|contents)/.test(getComputedStyle(el).display) ? 'span' : 'div';
// A detached copy of what an element shows: an open shadow root in place of the light
// children, its slots filled with what is assigned to them. Elements that were there before
// the mark are left out (a page may move old turns into a new wrapper).
const copyOf = (node, kind = node.localName) => {
    if (node.nodeType === Node.TEXT_NODE) return inert.createTextNode(node.data);
    if (node.nodeType !== Node.ELEMENT_NODE || seen.has(node) || node.matches(skipped)) return null;
    if (node.localName === 'slot') {
        const fragment = inert.createDocumentFragment();
        const assigned = node.assignedNodes({ flatten: true });
        appendCopies(fragment, assigned.length ? assigned : node.childNodes);
        return fragment;
    }
    const copy = inert.createElement(kind.includes('-') ? customStandIn(node) : kind);
    for (const { name, value } of node.attributes) {
        if (copiedAttributes.has(name)) copy.setAttribute(name, value);
    }
    appendCopies(copy, (node.shadowRoot || node).childNodes);
    return copy;
};
// A root is copied only up to `keep` characters of text: more would be cut anyway.
let room = keep;
const appendCopies = (parent, nodes) => {
    for (const child of nodes) {
        if (room < 0) return;
        const copy = copyOf(child);
        if (copy) parent.append(copy);
        if (child.nodeType === Node.TEXT_NODE) room -= flat(child.data).length;
    }
};

const flat = text => text.replace(/\s+/g, '');
const echo = flat(prompt);
// The last, outermost element in `node` whose whole text is the prompt, looked for only where
// the text can still hold it.
const lastEcho = node => {
    for (let child = node.lastElementChild; child; child = child.previousElementSibling) {
        const text = flat(child.textContent);
        if (text === echo) return child;
        const found = text.includes(echo) ? lastEcho(child) : null;
        if (found) return found;
    }
    return null;
};
// The echo and what precedes it in its copy go: the answer comes after the question.
const dropThrough = (copy, found) => {
    for (let at = found; at && at !== copy; at = at.parentNode) {
        while (at.previousSibling) at.previousSibling.remove();
    }
    found.remove();
};

const partOfWhole = 'li, dt, dd, tr, td, th, thead, tbody, tfoot, caption';
let pieces = [];
for (const root of newRoots) {
    if (root.checkVisibility?.() === false) continue;
    room = keep;
    // A new item of an old list or table is a block of its own here.
    const copy = copyOf(root, root.matches(partOfWhole) ? 'div' : root.localName);
    if (!copy) continue;
    const wrapper = inert.createElement('div');
    wrapper.append(copy);
    const found = echo && lastEcho(wrapper);
    if (found) {
        dropThrough(wrapper, found);
        pieces = [];
    }
    const size = flat(wrapper.textContent).length;
    if (size) pieces.push({ parent: parentOf(root), wrapper, size, whole: room >= 0 });
}
if (!pieces.length) return null;

// New roots under one parent make one group; the one with the most text holds the answer.
const groups = new Map();
for (const piece of pieces) {
    const group = groups.get(piece.parent) || { pieces: [], size: 0 };
    group.pieces.push(piece);
    group.size += piece.size;
    groups.set(piece.parent, group);
}
const chosen = [...groups.values()].reduce((best, group) => group.size > best.size ? group : best);

const answer = inert.createElement('div');
let budget = keep;
let trimmed = chosen.pieces.some(piece => !piece.whole);
const keepWithin = node => {
    for (const child of [...node.childNodes]) {
        if (budget < 0) {
            child.remove();
            trimmed = true;
            continue;
        }
        const size = flat(child.textContent).length;
        if (size > budget && child.nodeType === Node.ELEMENT_NODE) keepWithin(child);
        else budget -= size;
    }
};
for (const piece of chosen.pieces) answer.append(...piece.wrapper.childNodes);
keepWithin(answer);
const markdown = globalThis.corvinaMarkdown(answer).trim();
return markdown ? { markdown, trimmed } : null;
