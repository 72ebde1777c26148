#!/usr/bin/env python3
"""Writes 18 single-page chat apps of our own into a folder: each has a few MB of
generated script, a long scrolling conversation, timers and CSS animations.
Usage: generate.py OUT_DIR [SCRIPT_KB]"""
import json
import os
import random
import sys

NAMES = ["Aster", "Birch", "Cedar", "Dahlia", "Elm", "Fern", "Ginkgo", "Hazel", "Iris",
         "Juniper", "Kelp", "Laurel", "Maple", "Nettle", "Oak", "Poppy", "Quince", "Rowan"]
WORDS = ("the a model answer question token context window stream reply code table list "
         "function memory latency graph vector prompt system user assistant result value "
         "because therefore however example detail summary step first next finally").split()


def sentence(rng, n):
    return " ".join(rng.choice(WORDS) for _ in range(n)).capitalize() + "."


def script(rng, index, kb):
    """A bundle-like script: many small functions and a big data table, run at load."""
    parts = [f"// generated bundle for page {index}\n(function(){{\nconst M={{}};\n"]
    size, n = 0, 0
    while size < kb * 1024:
        body = "+".join(f"(x*{rng.randint(1, 97)}^{rng.randint(1, 9999)})" for _ in range(6))
        words = json.dumps([rng.choice(WORDS) for _ in range(12)])
        chunk = (f"M.f{n}=function(x){{var w={words};return ({body})%{rng.randint(100, 9999)}"
                 f"+w[x%w.length].length;}};\n")
        parts.append(chunk)
        size += len(chunk)
        n += 1
    parts.append(f"let acc=0;for(const k in M)acc+=M[k](acc&1023);window.__bundleSum=acc;\n"
                 f"window.__bundleFunctions={n};\n}})();\n")
    return "".join(parts)


APP_JS = r"""
(function(){
  const log = document.getElementById('log');
  const status = document.getElementById('status');
  const search = new URLSearchParams(location.search);
  // ?quiet: nothing moves (no clock, indicator, animation or reply of its own) until an
  // answer streams
  if (search.has('quiet')) document.body.classList.add('quiet');
  else liven();
  function liven() {
    let tick = 0;
    // a clock and a typing indicator, like a chat page's timers
    setInterval(() => { status.textContent = new Date().toLocaleTimeString(); }, 1000);
    setInterval(() => {
      tick++;
      document.getElementById('typing').style.opacity = (tick % 2) ? '1' : '0.3';
    }, 500);
    // a reply streams in word by word every few seconds, then stops growing
    let streamed = 0;
    const words = 'streaming reply arrives token by token while the page stays responsive'.split(' ');
    const bubble = document.createElement('div');
    bubble.className = 'msg bot';
    log.appendChild(bubble);
    const stream = setInterval(() => {
      bubble.textContent += words[streamed % words.length] + ' ';
      if (++streamed > 60) clearInterval(stream);
    }, 200);
  }
  log.scrollTop = log.scrollHeight;
  document.title = document.title + ' ready';
  // the message box sends with its button or Enter, as chat pages do; the page server
  // hears of each message sent (the Ask Several timing counts them)
  const box = document.querySelector('footer textarea');
  let sent = 0;
  const send = () => {
    if (!box.value.trim()) return;
    const mine = document.createElement('div');
    mine.className = 'msg user';
    mine.textContent = box.value;
    log.appendChild(mine);
    box.value = '';
    new Image().src = '/sent-' + document.body.dataset.page + '-' + (++sent);
  };
  document.querySelector('footer button').addEventListener('click', send);
  box.addEventListener('keydown', e => { if (e.key === 'Enter' && !e.shiftKey) { e.preventDefault(); send(); } });
  // tells the page server that this page finished loading (counted by the benchmark)
  const mark = () => { new Image().src = '/loaded-' + document.body.dataset.page; };
  if (document.readyState === 'complete') mark(); else addEventListener('load', mark);
  if (search.has('stream')) streamAnswers();

  // With ?stream the page asks a question at load and the answer comes from the page
  // server as an event stream; each token has the whole message rendered again from its
  // markdown, as framework-built chat pages do. The page tells the server how many tokens
  // arrived.
  // Each answer done, the next question waits for the server's next start.
  async function streamAnswers() {
    for (;;) await streamAnswer();
  }
  async function streamAnswer() {
    const page = document.body.dataset.page;
    const question = document.createElement('div');
    question.className = 'msg user';
    question.textContent = 'Explain how the answer streams, with an example.';
    log.appendChild(question);
    const answer = document.createElement('div');
    answer.className = 'msg bot';
    log.appendChild(answer);
    log.scrollTop = log.scrollHeight;
    const response = await fetch('/stream?page=' + page);
    const reader = response.body.getReader();
    const decoder = new TextDecoder();
    let pending = '', text = '', count = 0, busy = 0;
    for (;;) {
      const { value, done } = await reader.read();
      if (done) break;
      const began = performance.now();
      pending += decoder.decode(value, { stream: true });
      let end;
      while ((end = pending.indexOf('\n\n')) >= 0) {
        const data = pending.slice(0, end).split('\n').filter(l => l.startsWith('data:'))
          .map(l => l.slice(5).trim()).join('\n');
        pending = pending.slice(end + 2);
        if (!data || data === '[DONE]') continue;
        text += JSON.parse(data).t;
        count++;
        answer.innerHTML = render(text);
        log.scrollTop = log.scrollHeight;
      }
      busy += performance.now() - began;
    }
    // with the milliseconds the page's own handling of the tokens took (its script, and the
    // layout its scrolling asks for)
    new Image().src = '/streamed-' + page + '-' + count + '?busy=' + Math.round(busy);
  }

  function render(markdown) {
    const escape = s => s.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
    const inline = s => escape(s).replace(/\*\*([^*]+)\*\*/g, '<strong>$1</strong>')
      .replace(/`([^`]+)`/g, '<code>$1</code>');
    return markdown.split(/```/).map((part, i) => i % 2
      ? '<pre><code>' + escape(part.replace(/^\n/, '')) + '</code></pre>'
      : part.split(/\n\n+/).filter(p => p.trim()).map(p => '<p>' + inline(p.trim()) + '</p>').join('')
    ).join('');
  }
})();
"""


def page(rng, index, name, messages):
    hue = (index * 20) % 360
    rows = []
    for i in range(messages):
        who = "user" if i % 2 == 0 else "bot"
        text = " ".join(sentence(rng, rng.randint(6, 24)) for _ in range(rng.randint(1, 5)))
        code = ""
        if who == "bot" and i % 7 == 1:
            code = "<pre><code>" + "\n".join(f"let v{j} = compute({j});" for j in range(8)) + "</code></pre>"
        rows.append(f"<div class='msg {who}'><p>{text}</p>{code}</div>")
    history = "".join(f"<li>{sentence(rng, 4)}</li>" for _ in range(40))
    return f"""<!doctype html>
<html><head><meta charset="utf-8"><title>{name} Chat</title>
<style>
:root {{ --accent: hsl({hue} 70% 45%); }}
* {{ box-sizing: border-box; }}
body {{ margin:0; font: 15px/1.5 sans-serif; display:flex; height:100vh; background:#f6f6f8; color:#222; }}
nav {{ width:220px; background:#fff; border-right:1px solid #ddd; overflow:auto; }}
nav h1 {{ font-size:18px; margin:12px; color:var(--accent); }}
nav li {{ padding:6px 12px; list-style:none; white-space:nowrap; overflow:hidden; text-overflow:ellipsis; }}
main {{ flex:1; display:flex; flex-direction:column; }}
header {{ padding:10px 16px; border-bottom:1px solid #ddd; display:flex; gap:12px; align-items:center; }}
#log {{ flex:1; overflow:auto; padding:16px; }}
.msg {{ max-width:720px; margin:10px auto; padding:10px 14px; border-radius:14px; animation: fadein .4s ease; }}
.user {{ background:var(--accent); color:#fff; margin-right:0; }}
.bot {{ background:#fff; border:1px solid #e3e3e3; }}
pre {{ background:#1e1e1e; color:#ddd; padding:8px; border-radius:8px; overflow:auto; }}
::-webkit-scrollbar {{ width:8px; height:8px; }}
::-webkit-scrollbar-thumb {{ background:#c8c8d0; border-radius:4px; }}
footer {{ padding:12px; border-top:1px solid #ddd; display:flex; gap:8px; }}
textarea {{ flex:1; height:48px; border-radius:10px; border:1px solid #ccc; padding:8px; }}
.spinner {{ width:14px; height:14px; border:3px solid #ccc; border-top-color:var(--accent);
           border-radius:50%; animation: spin 1s linear infinite; }}
.pulse {{ width:10px; height:10px; border-radius:50%; background:var(--accent); animation: pulse 1.6s ease-in-out infinite; }}
@keyframes spin {{ to {{ transform: rotate(360deg); }} }}
@keyframes pulse {{ 50% {{ transform: scale(1.6); opacity:.4; }} }}
.quiet .spinner, .quiet .pulse, .quiet .msg {{ animation: none; }}
@keyframes fadein {{ from {{ opacity:0; transform: translateY(6px); }} }}
</style></head>
<body data-page="{index}">
<nav><h1>{name}</h1><ul style="padding:0">{history}</ul></nav>
<main>
<header><div class="spinner"></div><b>{name} assistant</b><span id="typing" class="pulse"></span>
<span id="status" style="margin-left:auto"></span></header>
<div id="log">{''.join(rows)}</div>
<footer><textarea placeholder="Message {name}"></textarea><button>Send</button></footer>
</main>
<script src="bundle-{index}.js"></script>
<script src="app.js"></script>
</body></html>
"""


def main():
    out = sys.argv[1]
    kb = int(sys.argv[2]) if len(sys.argv) > 2 else 2048
    os.makedirs(out, exist_ok=True)
    with open(os.path.join(out, "app.js"), "w") as f:
        f.write(APP_JS)
    for i, name in enumerate(NAMES):
        rng = random.Random(i)
        with open(os.path.join(out, f"chat-{i}.html"), "w") as f:
            f.write(page(rng, i, name, 400))
        with open(os.path.join(out, f"bundle-{i}.js"), "w") as f:
            f.write(script(rng, i, kb))
    print(json.dumps([{"name": n, "path": f"/chat-{i}.html", "script": f"/bundle-{i}.js"}
                      for i, n in enumerate(NAMES)]))


if __name__ == "__main__":
    main()
