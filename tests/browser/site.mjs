// The installable site, served on 127.0.0.1, in chromium: installable, offline, updated at the
// next visit.   node site.mjs SITE_DIR
import { readFileSync } from 'node:fs';
import { join } from 'node:path';
import { chromium, equal, finish, gameIn, serve } from './game.mjs';

const siteDir = process.argv[2];
// The site's files, its page as a new version of it if asked.
const site = (newVersion) => ({ pathname }) => {
    const file = join(siteDir, pathname.replace(/\/$/, '/index.html'));
    return newVersion && file.endsWith('index.html') ? [String(readFileSync(file))
        .replace('<title>Calcaro CM1', '<title>Calcaro CM1, nouvelle'), 'text/html'] : file;
};
let server = await serve(site(false));
const url = `http://127.0.0.1:${server.port}/`;

// In a profile of its own: chromium installs nothing in incognito.
const browser = await chromium({ persistent: true });
const page = browser.pages()[0];
await page.goto(url);
await page.evaluate(() => navigator.serviceWorker.ready);
const cdp = await browser.newCDPSession(page);
equal([(await cdp.send('Page.getInstallabilityErrors')).installabilityErrors,
    (await cdp.send('Page.getAppManifest')).errors], [[], []],
'chromium finds the site installable, its manifest without error');

server.closeAllConnections();
await new Promise((resolve) => server.close(resolve));
await page.reload();
const game = gameIn(page, page.keyboard);
await game.until((s) => s.focus === 'Command1', 'the game offline');
await page.keyboard.press('Enter');
const s = await game.until((s) => s.dividend, 'a question offline');
equal([await fetch(url).then(() => 'up', () => 'gone'), await page.evaluate(() =>
    !!navigator.serviceWorker.controller), s.dividend % s.divisor],
['gone', true, 0], `with the server gone, the worker's copy plays: ${s.dividend} : ${s.divisor}`);

server = await serve(site(true), server.port);
await page.reload();
equal(await page.title(), 'Calcaro CM1, nouvelle', 'the new version at the next visit');
await browser.close();
server.close();
finish();
