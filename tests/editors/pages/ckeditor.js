// A CKEditor 5 classic editor with no more than typing, line breaks and undo: Enter sends
// (the page takes CKEditor's own enter event), Shift+Enter is CKEditor's soft break; a Send
// button beside it sends too.
import { ClassicEditor, Essentials, Paragraph } from 'ckeditor5';
import editorStyle from 'ckeditor5/ckeditor5.css';
import { addStyle, blank, composer, deliver } from './chat.js';

addStyle(editorStyle);

const row = composer();
// The editor's own UI takes the place of this element, inside the part of the row that grows.
const host = document.createElement('div');
const area = document.createElement('div');
area.append(host);
const button = document.createElement('button');
button.type = 'button';
button.textContent = 'Send';
button.disabled = true;
row.append(area, button);

// The text as CKEditor's model holds it: a line per paragraph, soft breaks as newlines.
const text = (editor) => [...editor.model.document.getRoot().getChildren()].map((block) =>
  [...block.getChildren()].map((node) => (node.is('$text') ? node.data : node.is('element', 'softBreak') ? '\n' : '')).join(''),
).join('\n');

ClassicEditor.create(host, {
  licenseKey: 'GPL',
  plugins: [Essentials, Paragraph],
  toolbar: [],
  placeholder: 'Message',
  label: 'Message',
}).then((editor) => {
  const send = () => {
    const message = text(editor);
    if (blank(message)) return;
    deliver('ckeditor', message);
    editor.setData('');
  };
  editor.model.document.on('change:data', () => { button.disabled = blank(text(editor)); });
  editor.editing.view.document.on('enter', (event, data) => {
    if (data.isSoft) return;
    data.preventDefault();
    event.stop();
    send();
  }, { priority: 'high' });
  button.addEventListener('click', send);
});
