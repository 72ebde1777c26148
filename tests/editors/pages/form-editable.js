// An editable element inside a form with no button: Enter submits the form and the form's
// submit sends what the input events left in the box. Shift+Enter makes a line break.
import { blank, composer, deliver } from './chat.js';

const form = document.createElement('form');
const box = document.createElement('div');
box.className = 'box';
box.contentEditable = 'true';
box.setAttribute('role', 'textbox');
box.setAttribute('aria-multiline', 'true');
box.setAttribute('aria-label', 'Message');
form.append(box);
composer().append(form);

// A line break kept last only to hold the caret line open shows no line of its own.
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
  form.requestSubmit();
});
form.addEventListener('submit', (event) => {
  event.preventDefault();
  if (blank(text)) return;
  deliver('form-editable', text);
  box.textContent = '';
  text = '';
});
