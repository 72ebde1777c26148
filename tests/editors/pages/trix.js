// A Trix editor in a form, with its toolbar: the form's submit sends (its Send button, or
// Enter, which the page takes before Trix would start a new paragraph); Shift+Enter is Trix's
// own line break. Send is enabled while there is text.
import 'trix';
import editorStyle from 'trix/dist/trix.css';
import { addStyle, blank, composer, deliver } from './chat.js';

addStyle(editorStyle);

const form = document.createElement('form');
form.style.display = 'flex';
form.style.flexDirection = 'column';
const input = document.createElement('input');
input.type = 'hidden';
input.id = 'message';
input.name = 'message';
const editor = document.createElement('trix-editor');
editor.setAttribute('input', 'message');
editor.setAttribute('aria-label', 'Message');
editor.className = 'box';
const button = document.createElement('button');
button.type = 'submit';
button.textContent = 'Send';
button.disabled = true;
button.style.alignSelf = 'flex-end';
form.append(input, editor, button);
composer().append(form);

// Trix's document ends with a newline of its own.
const text = () => editor.editor.getDocument().toString().replace(/\n$/, '');

editor.addEventListener('trix-change', () => { button.disabled = blank(text()); });
editor.addEventListener('keydown', (event) => {
  if (event.key !== 'Enter' || event.shiftKey || event.isComposing) return;
  event.preventDefault();
  event.stopPropagation();
  form.requestSubmit();
}, true);
form.addEventListener('submit', (event) => {
  event.preventDefault();
  const message = text();
  if (blank(message)) return;
  deliver('trix', message);
  editor.editor.loadHTML('');
});
