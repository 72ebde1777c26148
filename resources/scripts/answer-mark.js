// The body of an async function of one argument, `prompt`, run just before the prompt is
// sent: notes every element the page holds now, also inside open shadow roots, so that
// what the answer adds can be told from what was there. Kept in our world's globals
// until the page loads another document.
const seen = new WeakSet();
const note = root => {
    for (const el of root.querySelectorAll('*')) {
        seen.add(el);
        if (el.shadowRoot) note(el.shadowRoot);
    }
};
seen.add(document.documentElement);
note(document);
globalThis.corvinaAnswerMark = { seen, prompt };
return true;
