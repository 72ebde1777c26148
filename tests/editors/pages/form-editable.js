// An editable element inside a form with no button: Enter submits the form and the form's
// submit sends what the input events left in the box. Shift+Enter makes a line break.
import { blank, composer, deliver, editableBox, rendered } from './chat.js';

const form = document.createElement('form');
const box = editableBox();
form.append(box);
composer().append(form);

let text = '';
box.addEventListener('input', () => { text = rendered(box); });
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
