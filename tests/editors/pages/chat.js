// What every fixture page shares: the page around its message box, and what a chat page
// does with a message once its own editor hands it over.

const pageStyle = `
  html, body { margin: 0; height: 100%; font: 15px sans-serif; }
  body { display: flex; flex-direction: column; }
  header { padding: 8px; border-bottom: 1px solid #ccc; }
  header input { width: 220px; }
  #messages { flex: 1; overflow: auto; margin: 0; padding: 8px 8px 8px 32px; }
  #messages li { white-space: pre-wrap; margin: 4px 0; }
  #composer { display: flex; align-items: flex-end; gap: 8px; padding: 12px; border-top: 1px solid #ccc; }
  #composer > :first-child { flex: 1; }
  .box { min-height: 48px; max-height: 200px; overflow: auto; border: 1px solid #888; border-radius: 6px;
         padding: 6px; white-space: pre-wrap; outline: none; }
  button svg { width: 20px; height: 20px; display: block; }
`;

// Adds a style sheet to the page (the bundle carries the libraries' style sheets as text).
export function addStyle(text) {
  const style = document.createElement('style');
  style.textContent = text;
  document.head.append(style);
}

// The page's empty composer row at the bottom, for the fixture to fill.
export function composer() {
  addStyle(pageStyle);
  return document.getElementById('composer');
}

// A plain editable message box, as a page without an editor library makes it.
export function editableBox() {
  const box = document.createElement('div');
  box.className = 'box';
  box.contentEditable = 'true';
  box.setAttribute('role', 'textbox');
  box.setAttribute('aria-multiline', 'true');
  box.setAttribute('aria-label', 'Message');
  return box;
}

// The text an editable box shows; a line break the engine keeps last only to hold the
// caret line open shows no line of its own.
export function rendered(box) {
  let last = box;
  while (last.lastChild) last = last.lastChild;
  const shown = box.innerText;
  return last.nodeName === 'BR' ? shown.replace(/\n$/, '') : shown;
}

// An icon-only "send" picture: buttons that carry it have no text of their own.
export function sendIcon() {
  const ns = 'http://www.w3.org/2000/svg';
  const svg = document.createElementNS(ns, 'svg');
  svg.setAttribute('viewBox', '0 0 24 24');
  svg.setAttribute('aria-hidden', 'true');
  const path = document.createElementNS(ns, 'path');
  path.setAttribute('d', 'M2 21l21-9L2 3v7l15 2-15 2z');
  svg.append(path);
  return svg;
}

// Whether a chat page would send this at all.
export function blank(text) {
  return text.trim() === '';
}

// Sends a message: reports the exact text to the test server and shows it in the list.
export function deliver(name, text) {
  fetch(`/received/${name}`, {
    method: 'POST',
    headers: { 'Content-Type': 'text/plain;charset=utf-8' },
    body: text,
  });
  const item = document.createElement('li');
  item.textContent = text;
  document.getElementById('messages').append(item);
}
