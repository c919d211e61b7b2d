// One small API over Debian's three browser engines, so that the same play drives them all:
// Chromium through Playwright (its DevTools protocol), Firefox ESR through Puppeteer (WebDriver
// BiDi), both headless, and WebKitGTK, Safari's engine, through WebKitWebDriver and its
// MiniBrowser, over plain W3C WebDriver (it has no headless mode: tests/x11desktop.sh gives it
// a display). CTest runs each in a session of its own (tests/session.sh) for private folders.
import { spawn } from 'node:child_process';
import { createHash } from 'node:crypto';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { createServer } from 'node:net';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

// Through require, which looks in NODE_PATH: the modules live in the build tree.
const require = createRequire(import.meta.url);

// Without these, Chromium keeps trying to reach its maker's services, which are refused here
// (tst_orca.py's Chromium takes the same).
export const chromiumFlags = JSON.parse(readFileSync(new URL('./chromium-flags.json', import.meta.url)));

// The same for Firefox (the prefs are tst_orca.py's too): nothing asked of the network.
const firefoxPrefs = JSON.parse(readFileSync(new URL('./firefox-prefs.json', import.meta.url)));

const launchers = {
    async chromium() {
        const browser = await require('playwright-core').chromium.launch(
            { executablePath: '/usr/bin/chromium', headless: true, args: chromiumFlags });
        const page = await (await browser.newContext()).newPage();
        return { browser, page, version: browser.version(), preload: (s) => page.addInitScript(s) };
    },
    async firefox() {
        const browser = await require('puppeteer-core').launch({
            browser: 'firefox', protocol: 'webDriverBiDi', executablePath: '/usr/bin/firefox-esr',
            headless: true, extraPrefsFirefox: firefoxPrefs,
        });
        const page = await browser.newPage();
        return { browser, page, version: await browser.version(),
            preload: (s) => page.evaluateOnNewDocument(s) };
    },
};

// WebDriver's codes for the keys the plays press.
const webDriverKeys = { Tab: '\uE004', Enter: '\uE007', Shift: '\uE008', Control: '\uE009',
    Alt: '\uE00A', Escape: '\uE00C', ArrowLeft: '\uE012', ArrowUp: '\uE013',
    ArrowRight: '\uE014', ArrowDown: '\uE015', F10: '\uE03A' };

// A copy of the page with `script` first in its head, let in by its hash: WebDriver has no way
// to run a script in a document before the document's own.
function withPreload(url, script, dir) {
    const hash = `'sha256-${createHash('sha256').update(script).digest('base64')}'`;
    const page = readFileSync(fileURLToPath(url), 'utf8')
        .replace('script-src ', `script-src ${hash} `)
        .replace('<head>', `<head><script>${script}</script>`);
    const copy = join(dir, 'page.html');
    writeFileSync(copy, page);
    return pathToFileURL(copy).href;
}

const freePort = () => new Promise((resolve, reject) => {
    const server = createServer().listen(0, '127.0.0.1', () => {
        const { port } = server.address();
        server.close(() => resolve(port));
    }).on('error', reject);
});

async function webkit() {
    const dir = mkdtempSync(join(tmpdir(), 'calcaro-webkit-'));
    const port = await freePort();
    const driver = spawn('/usr/bin/WebKitWebDriver', [`--port=${port}`],
        { stdio: ['ignore', 'inherit', 'inherit'] });
    const ended = new Promise((resolve) => driver.once('exit', resolve));
    const base = `http://127.0.0.1:${port}`;
    const call = async (method, path, body) => {
        const response = await fetch(base + path, { method,
            headers: { 'Content-Type': 'application/json' },
            body: body === undefined ? undefined : JSON.stringify(body) });
        const { value } = await response.json();
        if (!response.ok)
            throw new Error(`WebDriver ${method} ${path}: ${value.error}: ${value.message}`);
        return value;
    };
    // The driver listens once it has started; until then a connection is refused at once.
    for (const end = Date.now() + 30000; ;) {
        try {
            await call('GET', '/status');
            break;
        } catch (e) {
            if (Date.now() > end || driver.exitCode !== null)
                throw new Error(`WebKitWebDriver did not start: ${e.message}`);
            await new Promise((r) => setTimeout(r, 50));
        }
    }
    const session = await call('POST', '/session', { capabilities: { alwaysMatch: {
        'webkitgtk:browserOptions': {
            binary: '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
            args: ['--automation', '--geometry=1280x1024'] } } } });
    const at = `/session/${session.sessionId}`;
    const keys = (actions) => call('POST', `${at}/actions`,
        { actions: [{ type: 'key', id: 'keyboard', actions }] });
    const code = (key) => webDriverKeys[key] || key;
    // What the page's console would show of errors, gathered by the page's preload.
    const errorTrap = `window.calcaroErrors = []; addEventListener('error',
        (e) => calcaroErrors.push(String(e.message))); addEventListener('unhandledrejection',
        (e) => calcaroErrors.push(String(e.reason))); { const error = console.error;
        console.error = (...a) => { calcaroErrors.push(a.join(' ')); error.apply(console, a); }; }`;
    const evaluate = (fn, arg) => call('POST', `${at}/execute/sync`,
        { script: `return (${fn}).apply(null, arguments);`, args: arg === undefined ? [] : [arg] });
    const consoleErrors = [];
    return {
        version: `WebKitGTK ${session.capabilities.browserVersion}`,
        requests: [], consoleErrors,
        async open(url, script) {
            await call('POST', `${at}/url`, { url: withPreload(url, errorTrap + script, dir) });
        },
        evaluate,
        press: (chord) => {
            const held = chord.split('+').map(code);
            return keys([...held.map((value) => ({ type: 'keyDown', value })),
                ...held.reverse().map((value) => ({ type: 'keyUp', value }))]);
        },
        type: (text) => keys([...text].flatMap((value) =>
            [{ type: 'keyDown', value }, { type: 'keyUp', value }])),
        async close() {
            consoleErrors.push(...await evaluate(() => window.calcaroErrors || []).catch(() => []));
            await call('DELETE', at).catch(() => {});
            driver.kill();
            await ended;
            rmSync(dir, { recursive: true, force: true });
        },
    };
}

// What the oldest browsers of the list (Safari 12) lack of what the page calls, taken out of
// Chromium for 'chromium-old': the page's own stand-ins must carry the game.
const oldBrowser = `delete HTMLDialogElement.prototype.show; delete HTMLDialogElement.prototype.close;
    delete window.PointerEvent; MediaQueryList.prototype.addEventListener = undefined;`;

// Starts 'chromium', 'chromium-old', 'firefox' or 'webkit'. Every request URL it reports and
// every console error are collected from the start.
export async function launch(name) {
    if (name === 'webkit')
        return webkit();
    const old = name === 'chromium-old';
    const launcher = launchers[old ? 'chromium' : name];
    if (!launcher)
        throw new Error(`unknown browser ${name}: chromium, chromium-old, firefox or webkit`);
    const { browser, page, version, preload } = await launcher();
    if (old)
        await preload(oldBrowser);
    const requests = [];
    const consoleErrors = [];
    page.on('request', (request) => requests.push(request.url()));
    page.on('console', (m) => m.type() === 'error' && consoleErrors.push(m.text()));
    page.on('pageerror', (e) => consoleErrors.push(String(e)));
    return {
        version, requests, consoleErrors,
        // Runs `script` in the document before its own scripts, then opens `url`.
        async open(url, script) {
            await preload(script);
            await page.goto(url);
        },
        evaluate: (fn, arg) => page.evaluate(fn, arg),
        // A key, or a chord such as "Alt+d" or "Shift+Tab".
        async press(chord) {
            const keys = chord.split('+');
            for (const key of keys)
                await page.keyboard.down(key);
            for (const key of keys.reverse())
                await page.keyboard.up(key);
        },
        type: (text) => page.keyboard.type(text),
        close: () => Promise.race([browser.close(), new Promise((r) => setTimeout(r, 10000))]),
    };
}
