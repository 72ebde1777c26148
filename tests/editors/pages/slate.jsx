// A Slate editor (slate-react): Enter sends from the editor's own key handler, Shift+Enter
// starts a new block, the way Slate takes a line break by itself. No send button.
import { useMemo } from 'react';
import { createRoot } from 'react-dom/client';
import { Editor, Node, Transforms, createEditor } from 'slate';
import { withHistory } from 'slate-history';
import { Editable, Slate, withReact } from 'slate-react';
import { blank, composer, deliver } from './chat.js';

const empty = [{ type: 'paragraph', children: [{ text: '' }] }];

// The document's text as Slate holds it: one line per block.
const text = (editor) => editor.children.map((block) => Node.string(block)).join('\n');

function Composer() {
  const editor = useMemo(() => withHistory(withReact(createEditor())), []);
  const onKeyDown = (event) => {
    if (event.key !== 'Enter' || event.shiftKey || event.nativeEvent.isComposing) return;
    event.preventDefault();
    const message = text(editor);
    if (blank(message)) return;
    deliver('slate', message);
    Transforms.delete(editor, { at: Editor.range(editor, []) });
    Transforms.select(editor, Editor.start(editor, []));
  };
  return (
    <Slate editor={editor} initialValue={empty}>
      <Editable className="box" role="textbox" aria-multiline="true" aria-label="Message" onKeyDown={onKeyDown} />
    </Slate>
  );
}

createRoot(composer()).render(<Composer />);
