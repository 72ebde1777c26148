// Turns a detached copy of a chat answer into Markdown as chat sites write it. Bundled
// into scripts/converter.js, which defines globalThis.corvinaMarkdown in our own world.
import TurndownService from 'turndown';
import { gfm } from 'turndown-plugin-gfm';

const service = new TurndownService({
    headingStyle: 'atx',
    hr: '---',
    bulletListMarker: '-',
    codeBlockStyle: 'fenced',
    fence: '```',
    emDelimiter: '*',
    strongDelimiter: '**',
    linkStyle: 'inlined',
});
service.use(gfm);

// Text that a Markdown renderer would read as HTML or as a character reference stays text.
const escapeText = service.escape.bind(service);
service.escape = text => escapeText(text).replace(/<(?=[A-Za-z/!?])/g, '\\<').replace(/&(?=#?\w+;)/g, '\\&');

// Highlighters leave the language as a class on the code or on its block; a header row with
// the language's name and a copy button is not part of the code.
const languageOf = (pre, code) => {
    for (const el of [code, pre]) {
        const found = (el.getAttribute('class') || '').match(/(?:^|\s)(?:language|lang)-([\w+#.-]+)/);
        if (found) return found[1];
    }
    return '';
};
service.addRule('codeBlock', {
    filter: node => node.nodeName === 'PRE',
    replacement: (content, pre) => {
        const code = pre.querySelector('code') || pre;
        const text = code.textContent.replace(/\n$/, '');
        const longestRun = Math.max(2, ...(text.match(/^`{3,}/gm) || []).map(run => run.length));
        const fence = '`'.repeat(longestRun + 1);
        return `\n\n${fence}${languageOf(pre, code)}\n${text}\n${fence}\n\n`;
    },
});

// Items indented by their own marker's width, as the nested lists of chat answers are.
service.addRule('listItem', {
    filter: 'li',
    replacement: (content, item) => {
        const list = item.parentNode;
        let marker = '- ';
        if (list.nodeName === 'OL') {
            const start = Number(list.getAttribute('start') || 1);
            marker = `${start + Array.prototype.indexOf.call(list.children, item)}. `;
        }
        const body = content.replace(/^\n+/, '').replace(/\n+$/, /\n$/.test(content) ? '\n' : '');
        return marker + body.replace(/\n/g, `\n${' '.repeat(marker.length)}`) + (item.nextSibling ? '\n' : '');
    },
});

service.addRule('strikethrough', {
    filter: ['del', 's', 'strike'],
    replacement: content => `~~${content}~~`,
});

// A cell stays on its row; a pipe in it is text, not a column border.
service.addRule('tableCell', {
    filter: ['th', 'td'],
    replacement: (content, cell) => {
        const text = content.replace(/\n+/g, ' ').trim().replace(/(^|[^\\])\|/g, '$1\\|');
        return `${cell.previousElementSibling ? ' ' : '| '}${text} |`;
    },
});
const alignments = { left: ':---', right: '---:', center: ':---:' };
service.addRule('tableRow', {
    filter: 'tr',
    replacement: (content, row) => {
        const heading = row.parentNode.nodeName === 'THEAD' ||
            (!row.previousElementSibling && Array.from(row.children).every(cell => cell.nodeName === 'TH'));
        if (!heading) return `\n${content}`;
        const borders = Array.from(row.children).map(cell => {
            const align = (cell.getAttribute('align') || cell.style.textAlign || '').toLowerCase();
            return alignments[align] || '---';
        });
        return `\n${content}\n| ${borders.join(' | ')} |`;
    },
});

globalThis.corvinaMarkdown = node => service.turndown(node);
