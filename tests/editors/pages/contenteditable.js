// A plain editable element that keeps its text from its own input events: Enter sends,
// Shift+Enter makes a line break (the engine's own).
import { blank, composer, deliver } from './chat.js';

const box = document.createElement('div');
box.className = 'box';
box.contentEditable = 'true';
box.setAttribute('role', 'textbox');
box.setAttribute('aria-multiline', 'true');
box.setAttribute('aria-label', 'Message');
composer().append(box);

// The rendered text; a line break the engine keeps last only to hold the caret line open
// shows no line of its own.
function rendered() {
  let last = box;
  while (last.lastChild) last = last.lastChild;
  const shown = box.innerText;
  return last.nodeName === 'BR' ? shown.replace(/\n$/, '') : shown;
}

let text = '';
box.addEventListener('input', () => { text = rendered(); });
box.addEventListener('keydown', (event) => {
  if (event.key !== 'Enter' || event.shiftKey || event.isComposing) return;
  event.preventDefault();
  if (blank(text)) return;
  deliver('contenteditable', text);
  box.textContent = '';
  text = '';
});
