// Only trusted input counts: a page cannot make it. Typing is noted on the editable element
// itself, the editing host of rich editors, also inside open shadow roots.
for (const type of ['pointerdown', 'keydown'])
    addEventListener(type, e => { if (e.isTrusted) window.usedByTheUser = true; }, true);
for (const type of ['keydown', 'beforeinput', 'input'])
    addEventListener(type, e => {
        if (!e.isTrusted) return;
        const typedIn = editableOf(e.composedPath()[0]);
        if (typedIn) window.lastTypedElement = typedIn;
    }, true);
