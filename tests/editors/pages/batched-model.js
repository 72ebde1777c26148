// An editor with a model of its own that applies typed text (from beforeinput) on its next
// task, as editors that batch their updates on a scheduler do, but puts a Shift+Enter line
// break into the model at once, wherever its caret is by then. Enter sends the model's text.
import { blank, composer, deliver, editableBox } from './chat.js';

const box = editableBox();
composer().append(box);

let model = '';
let caret = 0;
const insert = (piece) => {
  model = model.slice(0, caret) + piece + model.slice(caret);
  caret += piece.length;
};

// The box drawn from the model, the caret put back where the model has it.
function render() {
  box.textContent = model;
  if (model.endsWith('\n')) box.append(document.createElement('br'));
  if (document.activeElement !== box) return;
  const text = box.firstChild;
  if (text && text.nodeType === Node.TEXT_NODE) getSelection().collapse(text, Math.min(caret, text.length));
  else getSelection().collapse(box, 0);
}

const pending = [];
const scheduler = new MessageChannel();
scheduler.port1.onmessage = () => {
  for (const edit of pending.splice(0)) edit();
  render();
};
const later = (edit) => {
  if (!pending.length) scheduler.port2.postMessage(null);
  pending.push(edit);
};

box.addEventListener('beforeinput', (event) => {
  event.preventDefault();
  const data = event.data ?? event.dataTransfer?.getData('text/plain') ?? '';
  switch (event.inputType) {
    case 'insertText':
    case 'insertReplacementText':
    case 'insertFromPaste':
      later(() => insert(data));
      break;
    case 'insertLineBreak':
    case 'insertParagraph':
      later(() => insert('\n'));
      break;
    case 'deleteContentBackward':
      later(() => {
        if (caret === 0) return;
        model = model.slice(0, caret - 1) + model.slice(caret);
        caret -= 1;
      });
      break;
    default:
      break;
  }
});
// A click or an arrow key moves the model's caret.
document.addEventListener('selectionchange', () => {
  const selection = getSelection();
  if (!selection.isCollapsed || !box.contains(selection.anchorNode)) return;
  if (selection.anchorNode !== box) caret = Math.min(selection.anchorOffset, model.length);
  else caret = selection.anchorOffset === 0 ? 0 : model.length;
});
box.addEventListener('keydown', (event) => {
  if (event.key !== 'Enter' || event.isComposing) return;
  event.preventDefault();
  if (event.shiftKey) {
    insert('\n');
    render();
    return;
  }
  if (blank(model)) return;
  deliver('batched-model', model);
  model = '';
  caret = 0;
  render();
});
