// A Lexical plain-text editor in a form: the form's submit sends, from its Submit button
// (enabled once the editor holds text) or from Enter; Shift+Enter makes a line break.
import { createEmptyHistoryState, registerHistory } from '@lexical/history';
import { registerPlainText } from '@lexical/plain-text';
import { $createParagraphNode, $getRoot, COMMAND_PRIORITY_HIGH, KEY_ENTER_COMMAND, createEditor } from 'lexical';
import { blank, composer, deliver, editableBox } from './chat.js';

const form = document.createElement('form');
const root = editableBox();
const button = document.createElement('button');
button.type = 'submit';
button.textContent = 'Submit';
button.disabled = true;
form.style.display = 'flex';
form.style.gap = '8px';
form.append(root, button);
root.style.flex = '1';
composer().append(form);

const editor = createEditor({ namespace: 'fixture', onError: (error) => { throw error; } });
editor.setRootElement(root);
registerPlainText(editor);
registerHistory(editor, createEmptyHistoryState(), 300);

// The text as the editor's own state holds it (line breaks as newlines).
const text = () => editor.getEditorState().read(() => $getRoot().getTextContent());

editor.registerTextContentListener((content) => { button.disabled = blank(content); });
editor.registerCommand(KEY_ENTER_COMMAND, (event) => {
  if (event && event.shiftKey) return false;
  event?.preventDefault();
  form.requestSubmit();
  return true;
}, COMMAND_PRIORITY_HIGH);

form.addEventListener('submit', (event) => {
  event.preventDefault();
  const message = text();
  if (blank(message)) return;
  deliver('lexical', message);
  editor.update(() => {
    const rootNode = $getRoot();
    rootNode.clear();
    rootNode.append($createParagraphNode());
  });
});
