// A Tiptap editor with no more than a chat box needs: Enter sends through an extension's
// shortcut, Shift+Enter is Tiptap's hard break. No send button.
import { Editor, Extension } from '@tiptap/core';
import Document from '@tiptap/extension-document';
import HardBreak from '@tiptap/extension-hard-break';
import Paragraph from '@tiptap/extension-paragraph';
import Text from '@tiptap/extension-text';
import { blank, composer, deliver } from './chat.js';

const host = document.createElement('div');
composer().append(host);

// Tiptap renders a hard break as a newline and puts one between blocks.
const text = (editor) => editor.getText({ blockSeparator: '\n' });

const SendOnEnter = Extension.create({
  name: 'sendOnEnter',
  addKeyboardShortcuts() {
    return {
      Enter: ({ editor }) => {
        const message = text(editor);
        if (!blank(message)) {
          deliver('tiptap', message);
          editor.commands.clearContent(true);
        }
        return true;
      },
    };
  },
});

new Editor({
  element: host,
  extensions: [Document, Paragraph, Text, HardBreak, SendOnEnter],
  editorProps: {
    attributes: { class: 'box', role: 'textbox', 'aria-multiline': 'true', 'aria-label': 'Message' },
  },
});
