// A Draft.js editor with a Send button enabled once it holds text. Enter sends too;
// Shift+Enter is a soft line break inside the block, as Draft.js chat boxes do it.
import { ContentState, Editor, EditorState, RichUtils } from 'draft-js';
import editorStyle from 'draft-js/dist/Draft.css';
import { useState } from 'react';
import { createRoot } from 'react-dom/client';
import { addStyle, blank, composer, deliver } from './chat.js';

addStyle(editorStyle);

// The text as Draft.js's own content holds it: blocks joined by newlines.
const text = (state) => state.getCurrentContent().getPlainText('\n');

function Composer() {
  const [state, setState] = useState(() => EditorState.createEmpty());
  const send = () => {
    const message = text(state);
    if (blank(message)) return;
    deliver('draft', message);
    setState(EditorState.moveFocusToEnd(EditorState.push(state, ContentState.createFromText(''), 'remove-range')));
  };
  const handleReturn = (event, current) => {
    if (event.shiftKey) setState(RichUtils.insertSoftNewline(current));
    else send();
    return 'handled';
  };
  return (
    <>
      <div className="box">
        <Editor editorState={state} onChange={setState} handleReturn={handleReturn} ariaLabel="Message"
                ariaMultiline placeholder="Message" />
      </div>
      <button type="button" disabled={blank(text(state))} onClick={send}>Send</button>
    </>
  );
}

createRoot(composer()).render(<Composer />);
