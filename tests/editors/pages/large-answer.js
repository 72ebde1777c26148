// An answer of some five megabytes, made the same way for the page and for the copy the
// tests compare with. Its characters take one to four bytes each in UTF-8.
export function largeAnswer() {
  const parts = ['# A very long answer\n\n'];
  let length = 0;
  for (let n = 1; length < 5 * 1024 * 1024; n++) {
    const paragraph = `Paragraph ${n}: naïve café — 漢字かな交じり文 🙂 with **bold ${n}** and \`code_${n}\`.\n\n`;
    parts.push(paragraph);
    length += new TextEncoder().encode(paragraph).length;
  }
  return parts.join('');
}
