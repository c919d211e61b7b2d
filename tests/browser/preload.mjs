// A script of the tests' own run before the page's, let in by its hash in the page's policy (for
// WebDriver, and a browser started on a file); and the stopped wall clock, at a time whose draws
// repeat question 3 as question 4 (at every level but the third). For tst_orca.py:
//   node preload.mjs PAGE COPY      writes a copy of PAGE whose clock is stopped
import { createHash } from 'node:crypto';
import { readFileSync, realpathSync, writeFileSync } from 'node:fs';
import { fileURLToPath } from 'node:url';

export const stoppedClock = 'Date.now = () => 1577836800031;';

// The page's text with `script` first in its head.
export function withPreload(html, script) {
    if (!html.includes('script-src ') || !html.includes('<head>'))
        throw new Error('the page has no script policy or no head to run a script first in');
    const hash = `'sha256-${createHash('sha256').update(script).digest('base64')}'`;
    return html.replace('script-src ', () => `script-src ${hash} `)
        .replace('<head>', () => `<head><script>${script}</script>`);
}

if (realpathSync(process.argv[1]) === fileURLToPath(import.meta.url)) {
    const [page, copy] = process.argv.slice(2);
    writeFileSync(copy, withPreload(readFileSync(page, 'utf8'), stoppedClock));
}
