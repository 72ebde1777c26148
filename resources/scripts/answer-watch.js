// Counts the characters that mutations add to shown, non-editable parts of the page,
// minus those they take away, and tells of growth at most once per half second, with the
// start of the text that grew. The timing is ours in the app: a page in the background
// has its own timers slowed. Counting starts once the loaded page has first been still for
// two seconds, so its own loading is no answer.
const bucketMs = 500, stillMs = 2000;
const elementOf = node => node instanceof Element ? node : node.parentElement;
let settled = false, lastGrowth = Date.now(), lastBucket = 0, trailing = null, latest = null;
const tell = grown => {
    const text = grown && grown.isConnected ? (grown.innerText || grown.textContent || '') : '';
    postToApp(answerChannel, {grew: true, text: Array.from(text.trim()).slice(0, 100).join('')});
};

const watched = new WeakSet();
// Open shadow roots are trees of their own: each is watched as it comes.
const watchShadow = el => {
    if (!el.shadowRoot || watched.has(el.shadowRoot)) return;
    watched.add(el.shadowRoot);
    observer.observe(el.shadowRoot, options);
    for (const inner of el.shadowRoot.children) watchShadows(inner);
};
const watchShadows = node => {
    if (!(node instanceof Element)) return;
    watchShadow(node);
    for (const el of node.querySelectorAll('*')) watchShadow(el);
};
// Where nodes were added while a span's growth was already due: searched for shadow roots
// once, when the span is told, not on every token.
const unsearched = new Set();
const searchAdded = () => {
    for (const parent of unsearched) {
        if (!parent.isConnected) continue;
        if (parent instanceof Element) watchShadows(parent);
        else for (const child of parent.children) watchShadows(child);
    }
    unsearched.clear();
};
const options = {childList: true, subtree: true, characterData: true, characterDataOldValue: true};
const observer = new MutationObserver(records => {
    if (trailing && Math.floor(Date.now() / bucketMs) === lastBucket) {
        // This span's growth is already due to be told: later changes in it can only move
        // where its text is read from. Counting them again would cost every token the page
        // renders, and pages render the whole answer anew for each.
        for (const record of records) {
            if (record.addedNodes.length) unsearched.add(record.target);
            const target = elementOf(record.target);
            if (target && !editableOf(target)) latest = target;
        }
        return;
    }
    searchAdded();
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
        if (!target || editableOf(target) || (change > 0 && !rendered(target))) continue;
        if (change > 0) grown = record.type === 'characterData' ? target
            : (elementOf(record.addedNodes[record.addedNodes.length - 1]) || target);
        added += change;
    }
    if (added <= 0) return;
    const now = Date.now();
    if (!settled) {
        // A prompt we sent (answer-mark.js) says an answer is coming, however soon after the load.
        settled = now - lastGrowth >= stillMs || !!globalThis.corvinaAnswerMark;
        lastGrowth = now;
        if (!settled) return;
    }
    lastGrowth = now;
    const bucket = Math.floor(now / bucketMs);
    if (bucket === lastBucket) {
        // Growth later in a span is told at its end, so an answer shorter than a span is seen.
        latest = grown;
        if (!trailing) {
            trailing = setTimeout(() => {
                trailing = null;
                lastBucket = Math.floor(Date.now() / bucketMs);
                searchAdded();
                tell(latest);
            }, bucketMs - now % bucketMs);
        }
        return;
    }
    lastBucket = bucket;
    tell(grown);
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
