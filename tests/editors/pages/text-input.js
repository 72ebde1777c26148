// A plain text field in a form: the form's submit sends (Enter in the field or the Send button).
import { blank, composer, deliver } from './chat.js';

const form = document.createElement('form');
form.style.display = 'flex';
form.style.gap = '8px';
const field = document.createElement('input');
field.type = 'text';
field.name = 'message';
field.placeholder = 'Message';
field.autocomplete = 'off';
field.style.flex = '1';
field.style.fontSize = '16px';
field.style.padding = '8px';
const button = document.createElement('button');
button.type = 'submit';
button.textContent = 'Send';
form.append(field, button);
composer().append(form);

form.addEventListener('submit', (event) => {
  event.preventDefault();
  if (blank(field.value)) return;
  deliver('text-input', field.value);
  field.value = '';
});
