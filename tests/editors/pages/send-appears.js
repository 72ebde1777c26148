// A textarea whose Send button is not there until the page has settled on a draft: the page
// takes the text a moment after typing pauses, then shows the button. Enter is a new line,
// so only the button sends.
import { blank, composer, deliver, sendIcon } from './chat.js';

const row = composer();
const box = document.createElement('textarea');
box.className = 'box';
box.rows = 3;
box.placeholder = 'Message';
box.setAttribute('aria-label', 'Message');
row.append(box);

const button = document.createElement('button');
button.type = 'button';
button.setAttribute('aria-label', 'Send');
button.append(sendIcon());

let draft = '';
let pause = 0;
box.addEventListener('input', () => {
  clearTimeout(pause);
  pause = setTimeout(() => {
    draft = box.value;
    if (blank(draft)) button.remove();
    else if (!button.isConnected) row.append(button);
  }, 300);
});
button.addEventListener('click', () => {
  if (blank(draft)) return;
  deliver('send-appears', draft);
  box.value = draft = '';
  button.remove();
});
