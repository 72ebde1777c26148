// A CodeMirror 6 editor used as a message box: Enter sends, Shift+Enter inserts a newline.
// An icon-only send button sits beside it and is enabled while the box holds text.
import { history, historyKeymap, insertNewline, standardKeymap } from '@codemirror/commands';
import { Prec } from '@codemirror/state';
import { EditorView, keymap } from '@codemirror/view';
import { blank, composer, deliver, sendIcon } from './chat.js';

const row = composer();
const host = document.createElement('div');
host.className = 'box';
const button = document.createElement('button');
button.type = 'button';
button.setAttribute('aria-label', 'Send message');
button.disabled = true;
button.append(sendIcon());
row.append(host, button);

function send(view) {
  const message = view.state.doc.toString();
  if (blank(message)) return true;
  deliver('codemirror', message);
  view.dispatch({ changes: { from: 0, to: view.state.doc.length, insert: '' } });
  return true;
}

const view = new EditorView({
  parent: host,
  extensions: [
    history(),
    Prec.highest(keymap.of([{ key: 'Enter', run: send, shift: insertNewline }])),
    keymap.of([...standardKeymap, ...historyKeymap]),
    EditorView.lineWrapping,
    EditorView.contentAttributes.of({ 'aria-label': 'Message' }),
    EditorView.updateListener.of((update) => {
      if (update.docChanged) button.disabled = blank(update.state.doc.toString());
    }),
  ],
});
button.addEventListener('click', () => send(view));
