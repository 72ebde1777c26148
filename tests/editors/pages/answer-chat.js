// A chat page that answers: earlier turns already shown, a message box with a Send button,
// and on each message the user's turn, then an answer streamed a few characters at a time,
// its whole Markdown rendered again at each step, as chat sites do, with Copy and Regenerate
// under it. The query chooses the answers: `answer=constructs,second` gives the first
// message the answer `constructs`, the second and later ones `second` (names: constructs,
// second, special, brief, large, none — `none` shows no answer at all). `shadow=inside`
// renders answers inside an open shadow root, `shadow=slotted` into light children that a
// shadow root shows through a slot. The body's data-answers counts finished answers.
import MarkdownIt from 'markdown-it';
import hljs from 'highlight.js/lib/core';
import javascript from 'highlight.js/lib/languages/javascript';
import python from 'highlight.js/lib/languages/python';
import { addStyle, composer, deliver } from './chat.js';
import constructs from './answer-constructs.md';
import second from './answer-second.md';
import special from './answer-special.md';
import brief from './answer-brief.md';
import { largeAnswer } from './large-answer.js';

hljs.registerLanguage('javascript', javascript);
hljs.registerLanguage('python', python);

const query = new URLSearchParams(location.search);
const shadow = query.get('shadow');
const answers = (query.get('answer') || 'constructs').split(',');
const sources = { constructs, second, special, brief, large: null, none: '' };

// Code blocks as chat sites draw them: a header with the language and a copy button.
const classOfCode = (lang) => (shadow === 'inside' ? ['hljs', `lang-${lang}`] : ['hljs', `language-${lang}`]);
const markdown = new MarkdownIt({
  highlight: (code, lang) => {
    const body = lang && hljs.getLanguage(lang)
      ? hljs.highlight(code, { language: lang }).value
      : markdown.utils.escapeHtml(code);
    const codeClass = lang ? classOfCode(lang).join(' ') : 'hljs';
    return `<pre><div class="code-head"><span>${lang || 'text'}</span><button type="button">Copy code</button></div>`
      + `<code class="${codeClass}">${body}</code></pre>`;
  },
});

addStyle(`
  #messages li.turn { white-space: normal; list-style: none; padding: 6px 10px; border-radius: 8px; }
  #messages li.user { background: #eef; margin-left: 30%; }
  .actions { display: flex; gap: 6px; }
  .code-head { display: flex; justify-content: space-between; font-size: 12px; }
  pre { background: #f6f6f6; padding: 6px; }
`);

const messages = document.getElementById('messages');
const button = (label) => {
  const made = document.createElement('button');
  made.type = 'button';
  made.textContent = label;
  return made;
};
const actions = () => {
  const row = document.createElement('div');
  row.className = 'actions';
  row.append(button('Copy'), button('Regenerate'));
  return row;
};

class ChatAnswer extends HTMLElement {
  constructor() {
    super();
    const root = this.attachShadow({ mode: 'open' });
    root.innerHTML = shadow === 'inside'
      ? '<style>:host { display: block; }</style><div class="answer"></div><slot></slot>'
      : '<style>:host { display: block; }</style><div class="bubble"><slot></slot></div>'
        + '<div class="actions"><button type="button">Copy</button><button type="button">Regenerate</button></div>';
  }
}
customElements.define('chat-answer', ChatAnswer);

// An assistant turn; returns the element its Markdown is rendered into.
const assistantTurn = () => {
  const turn = document.createElement('li');
  turn.className = 'turn assistant';
  messages.append(turn);
  if (shadow === 'inside') {
    const host = document.createElement('chat-answer');
    turn.append(host);
    return { turn, target: host.shadowRoot.querySelector('.answer'), actionsInto: host };
  }
  const target = document.createElement('div');
  target.className = 'answer markdown';
  if (shadow === 'slotted') {
    const host = document.createElement('chat-answer');
    host.append(target);
    turn.append(host);
    return { turn, target, actionsInto: null };
  }
  turn.append(target);
  return { turn, target, actionsInto: turn };
};

// The conversation so far, there before anything is sent.
const earlier = document.createElement('li');
earlier.className = 'turn user';
earlier.textContent = 'What is a fixture?';
messages.append(earlier);
{
  const { target, actionsInto } = assistantTurn();
  target.innerHTML = markdown.render('A **fixture** is a known state to test against:\n\n- a page\n- its answers\n');
  actionsInto?.append(actions());
}

let asked = 0;
let finished = 0;
const done = () => {
  finished += 1;
  document.body.dataset.answers = String(finished);
};

const answer = (name) => {
  const { target, actionsInto } = name === 'none' ? { target: null, actionsInto: null } : assistantTurn();
  if (!target) {
    // Nothing but controls: no answer to find.
    messages.append(actions());
    done();
    return;
  }
  const source = name === 'large' ? largeAnswer() : sources[name];
  const step = name === 'large' ? Math.ceil(source.length / 2) : 12;
  let shown = 0;
  const next = () => {
    shown = Math.min(source.length, shown + step);
    target.innerHTML = markdown.render(source.slice(0, shown));
    if (shown < source.length) {
      setTimeout(next, 25);
      return;
    }
    actionsInto?.append(actions());
    done();
  };
  setTimeout(next, 25);
};

const box = document.createElement('textarea');
box.setAttribute('aria-label', 'Message');
box.className = 'box';
const send = button('Send');
send.setAttribute('aria-label', 'Send');
composer().append(box, send);

const submit = () => {
  const text = box.value;
  if (!text.trim()) return;
  box.value = '';
  deliver('answer-chat', text);
  const turn = messages.lastElementChild;
  turn.className = 'turn user';
  turn.append(button('Edit'));
  answer(answers[Math.min(asked, answers.length - 1)]);
  asked += 1;
};
send.addEventListener('click', submit);
box.addEventListener('keydown', (event) => {
  if (event.key !== 'Enter' || event.shiftKey) return;
  event.preventDefault();
  submit();
});
