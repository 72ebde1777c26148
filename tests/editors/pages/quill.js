// A Quill editor with an icon-only send button titled in Chinese, enabled only while the
// editor holds text. Enter makes a new line, as Quill does by itself.
import Quill from 'quill';
import editorStyle from 'quill/dist/quill.core.css';
import { addStyle, blank, composer, deliver, sendIcon } from './chat.js';

addStyle(editorStyle);

const row = composer();
const host = document.createElement('div');
host.className = 'box';
const button = document.createElement('button');
button.type = 'button';
button.title = '发送';
button.disabled = true;
button.append(sendIcon());
row.append(host, button);

const quill = new Quill(host, { placeholder: 'Message' });
// Quill always ends its text with a newline of its own.
const text = () => quill.getText().replace(/\n$/, '');

quill.on('text-change', () => { button.disabled = blank(text()); });
button.addEventListener('click', () => {
  const message = text();
  if (blank(message)) return;
  deliver('quill', message);
  quill.setText('');
});
