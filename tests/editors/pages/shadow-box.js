// A composer built as a web component: the editable box and its icon-only send button live
// in an open shadow root. Enter or the button sends, Shift+Enter makes a line break.
import { blank, composer, deliver, rendered, sendIcon } from './chat.js';

class ChatInput extends HTMLElement {
  constructor() {
    super();
    const shadow = this.attachShadow({ mode: 'open' });
    shadow.innerHTML = `<style>
      :host { display: flex; align-items: flex-end; gap: 8px; }
      [contenteditable] { flex: 1; min-height: 48px; max-height: 200px; overflow: auto; border: 1px solid #888;
                          border-radius: 6px; padding: 6px; white-space: pre-wrap; outline: none; }
      button svg { width: 20px; height: 20px; display: block; }
    </style><div contenteditable="true" role="textbox" aria-multiline="true" aria-label="Message"></div>
    <button type="button" aria-label="Send" disabled></button>`;
    this.box = shadow.querySelector('[contenteditable]');
    this.button = shadow.querySelector('button');
    this.button.append(sendIcon());
    this.text = '';
    this.box.addEventListener('input', () => {
      this.text = rendered(this.box);
      this.button.disabled = blank(this.text);
    });
    this.box.addEventListener('keydown', (event) => {
      if (event.key !== 'Enter' || event.shiftKey || event.isComposing) return;
      event.preventDefault();
      this.send();
    });
    this.button.addEventListener('click', () => this.send());
  }

  send() {
    if (blank(this.text)) return;
    deliver('shadow-box', this.text);
    this.box.textContent = '';
    this.text = '';
    this.button.disabled = true;
  }
}

customElements.define('chat-input', ChatInput);
composer().append(document.createElement('chat-input'));
