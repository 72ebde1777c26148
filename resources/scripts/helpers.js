// What several page scripts need. scriptWithHelpers and functionBodyWithHelpers (see
// PageScripts.hpp) put these declarations ahead of a script; eslint.config.mjs names the
// scripts that have them. Scripts run in our own world: the page neither sees nor changes
// these.
//
//   parentOf(node)          the parent element, or the host of the shadow root node is in
//   everyElement(root)      every element under root (the document unless given), open
//                           shadow roots included, in document order
//   shown(el)               at least 2 px each way, and nothing around it (across shadow
//                           roots) hidden or transparent: what a user could see and press
//   rendered(el)            in the document and drawn at all, by the engine's own check; no
//                           size or opacity rule, and no styles read element by element
//   editingHost(el)         the outermost editable element of the rich editor el is in
//   editableOf(node)        the text field or editing host node is in, or null
//   answerChannel           the name under which the app takes our messages (the same
//                           constant in PageScripts.hpp)
//   postToApp(channel, m)   m posted to the app; nothing happens once it stopped listening

/* exported parentOf, everyElement, shown, rendered, editingHost, editableOf, answerChannel, postToApp */

const parentOf = node => node.parentElement || (node.getRootNode && node.getRootNode().host) || null;

const everyElement = (root = document) => {
    const found = [];
    const walk = from => {
        for (const el of from.querySelectorAll('*')) {
            found.push(el);
            if (el.shadowRoot) walk(el.shadowRoot);
        }
    };
    walk(root);
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

const rendered = el => el.isConnected && (el.checkVisibility ? el.checkVisibility() : el.getClientRects().length > 0);

const editingHost = el => {
    while (el.parentElement && el.parentElement.isContentEditable) el = el.parentElement;
    return el;
};

const editableOf = node => {
    for (let el = node; el instanceof Element; el = el.parentElement) {
        if (el.matches('textarea, input')) return el;
        if (el.isContentEditable) return editingHost(el);
    }
    return null;
};

const answerChannel = 'corvinaAnswer';

const postToApp = (channel, message) => {
    try {
        webkit.messageHandlers[channel].postMessage(message);
    } catch {
        // No handler: the app no longer listens to this page.
    }
};
