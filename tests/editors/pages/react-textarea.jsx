// A textarea whose value lives in React state: only input events React saw reach the state,
// and the Send button (an icon) is enabled only while that state holds text.
import { useState } from 'react';
import { createRoot } from 'react-dom/client';
import { blank, composer, deliver } from './chat.js';

function Composer() {
  const [text, setText] = useState('');
  const send = () => {
    if (blank(text)) return;
    deliver('react-textarea', text);
    setText('');
  };
  return (
    <>
      <textarea className="box" rows={3} placeholder="Message" aria-label="Message" value={text}
                onChange={(event) => setText(event.target.value)} />
      <button type="button" aria-label="Send" disabled={blank(text)} onClick={send}>
        <svg viewBox="0 0 24 24" aria-hidden="true"><path d="M2 21l21-9L2 3v7l15 2-15 2z" /></svg>
      </button>
    </>
  );
}

createRoot(composer()).render(<Composer />);
