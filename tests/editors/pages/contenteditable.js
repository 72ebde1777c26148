// A plain editable element that keeps its text from its own input events: Enter sends,
// Shift+Enter makes a line break (the engine's own).
import { blank, composer, deliver, editableBox, rendered } from './chat.js';

const box = editableBox();
composer().append(box);

let text = '';
box.addEventListener('input', () => { text = rendered(box); });
box.addEventListener('keydown', (event) => {
  if (event.key !== 'Enter' || event.shiftKey || event.isComposing) return;
  event.preventDefault();
  if (blank(text)) return;
  deliver('contenteditable', text);
  box.textContent = '';
  text = '';
});
