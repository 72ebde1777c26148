// Bundles the fixture pages: usage `node build.mjs OUTPUT [NODE_MODULES]`. Writes, per page,
// NAME.html and NAME.js into OUTPUT, and an index.html that lists them; and the Markdown of
// the answers the answering page gives, as answers/NAME.md, for the tests to compare with.
// The libraries come from NODE_MODULES (by default the node_modules folder beside this script).
import { copyFileSync, mkdirSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { largeAnswer } from './pages/large-answer.js';

const here = dirname(fileURLToPath(import.meta.url));
const [output, modules = join(here, 'node_modules')] = process.argv.slice(2).map((arg) => resolve(arg));
if (!output) {
  console.error('usage: node build.mjs OUTPUT [NODE_MODULES]');
  process.exit(2);
}
const esbuild = createRequire(join(modules, 'resolve-from-here.js'))('esbuild');

const pages = {
  'react-textarea': 'react-textarea.jsx',
  'prosemirror': 'prosemirror.js',
  'quill': 'quill.js',
  'lexical': 'lexical.js',
  'contenteditable': 'contenteditable.js',
  'text-input': 'text-input.js',
  'slate': 'slate.jsx',
  'draft': 'draft.jsx',
  'tiptap': 'tiptap.js',
  'codemirror': 'codemirror.js',
  'trix': 'trix.js',
  'ckeditor': 'ckeditor.js',
  'shadow-box': 'shadow-box.js',
  'send-appears': 'send-appears.js',
  'form-editable': 'form-editable.js',
  'batched-model': 'batched-model.js',
  'answer-chat': 'answer-chat.js',
};

// Nothing but the page's own origin: a fixture that reached out would not be local.
const html = (name) => `<!doctype html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta http-equiv="Content-Security-Policy" content="default-src 'self'; style-src 'self' 'unsafe-inline'; img-src 'self' data:">
<title>${name}</title>
</head>
<body>
<header><input type="search" placeholder="Search" aria-label="Search"></header>
<ol id="messages" aria-live="polite"></ol>
<div id="composer"></div>
<script src="${name}.js"></script>
</body>
</html>
`;

mkdirSync(output, { recursive: true });
await Promise.all(Object.entries(pages).map(([name, entry]) => esbuild.build({
  entryPoints: [join(here, 'pages', entry)],
  outfile: join(output, `${name}.js`),
  bundle: true,
  format: 'iife',
  target: 'es2022',
  jsx: 'automatic',
  loader: { '.css': 'text', '.md': 'text' },
  nodePaths: [modules],
  // Draft.js's helpers look for Node's `global`.
  define: { 'process.env.NODE_ENV': '"production"', global: 'globalThis' },
  legalComments: 'none',
  logLevel: 'warning',
})));
mkdirSync(join(output, 'answers'), { recursive: true });
for (const name of ['constructs', 'second', 'special', 'brief'])
  copyFileSync(join(here, 'pages', `answer-${name}.md`), join(output, 'answers', `${name}.md`));
writeFileSync(join(output, 'answers', 'large.md'), largeAnswer());
for (const name of Object.keys(pages)) writeFileSync(join(output, `${name}.html`), html(name));
writeFileSync(join(output, 'index.html'), `<!doctype html><meta charset="utf-8"><title>Editor fixtures</title><ul>${
  Object.keys(pages).map((name) => `<li><a href="${name}.html">${name}</a>`).join('')}</ul>\n`);
