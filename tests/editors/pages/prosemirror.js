// A ProseMirror editor: Enter sends, Shift+Enter starts a new paragraph. No send button.
import { baseKeymap, splitBlock } from 'prosemirror-commands';
import { history, redo, undo } from 'prosemirror-history';
import { keymap } from 'prosemirror-keymap';
import { schema } from 'prosemirror-schema-basic';
import { EditorState } from 'prosemirror-state';
import { EditorView } from 'prosemirror-view';
import editorStyle from 'prosemirror-view/style/prosemirror.css';
import { addStyle, blank, composer, deliver } from './chat.js';

addStyle(editorStyle);

// The document's text as the editor holds it: one line per block, hard breaks as newlines.
const text = (state) => state.doc.textBetween(0, state.doc.content.size, '\n', '\n');

function send(state, dispatch) {
  const message = text(state);
  if (blank(message)) return true;
  deliver('prosemirror', message);
  dispatch(state.tr.replaceWith(0, state.doc.content.size, schema.nodes.paragraph.create()));
  return true;
}

const host = document.createElement('div');
composer().append(host);
new EditorView(host, {
  state: EditorState.create({
    schema,
    plugins: [
      history(),
      keymap({ 'Enter': send, 'Shift-Enter': splitBlock, 'Mod-z': undo, 'Mod-y': redo, 'Shift-Mod-z': redo }),
      keymap(baseKeymap),
    ],
  }),
  attributes: { class: 'box', role: 'textbox', 'aria-multiline': 'true', 'aria-label': 'Message' },
});
