// The game as the browser tests see and play it, whatever drives the browser: its texts, what a
// test records in the page from before the game starts, one reading of its windows, one way to
// wait, and what a child does (choose a speed, take a question, answer it); then the checks a
// test prints, a launcher for each of Debian's three browser engines, and a web server.
import { spawn } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { createServer } from 'node:http';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { extname, join, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { withPreload } from './preload.mjs';

export { stoppedClock } from './preload.mjs';

export const fileUrl = (path) => pathToFileURL(resolve(path)).href;

// What the game's message line says that the tests wait for.
export const texts = { prompt: 'Donne ta réponse et appuie sur ENTREE',
    idle: 'Clique sur Démarrer si tu es prêt', noAnswer: 'Tu n\'as rien répondu' };

// Polls `read` until `condition` holds of what it gives, which it returns.
export async function until(read, condition, what, timeoutMs = 8000) {
    for (const end = Date.now() + timeoutMs; ;) {
        const seen = await read();
        if (condition(seen))
            return seen;
        if (Date.now() > end)
            throw new Error(`no ${what} after ${timeoutMs} ms; seen ${JSON.stringify(seen)}`);
        await new Promise((r) => setTimeout(r, 20));
    }
}

// Run in the page before its own scripts (window.calcaroProbe): when the main window first
// shows, each question's start (its time bar reset and shown) and each message, timed with the
// page's own clock; how many questions were asked; every text the live region says, in order.
function record(prompt) {
    const log = window.calcaroProbe = { shownAt: null, questions: 0, events: [], said: [] };
    let last = {};
    new MutationObserver((records) => {
        for (const r of records)
            if (r.target.id === 'announcements')
                log.said.push(...Array.from(r.addedNodes, (n) => n.textContent));
        const get = (id) => document.getElementById(id);
        if (!get('Label7') || !get('ProgressBar1')) return;
        const t = performance.now();
        if (log.shownAt === null && !get('form1').hidden) log.shownAt = t;
        const bar = get('ProgressBar1');
        const now = { label7: get('Label7').textContent,
            bar: bar.hidden ? null : bar.style.getPropertyValue('--value') };
        if (now.bar !== last.bar && Number(now.bar) === 0) log.events.push({ t, start: true });
        if (now.label7 !== last.label7) {
            log.events.push({ t, label7: now.label7 });
            if (now.label7 === prompt) log.questions++;
        }
        last = now;
    }).observe(document, { subtree: true, childList: true, characterData: true, attributes: true });
}

// The recording as a script, after `first` (the stopped clock, say).
export const probe = (first = '') => `${first}(${record})(${JSON.stringify(texts.prompt)});`;

// Run in the page before its own scripts: the game's start, which the page sets for after the next
// frame, waits until the test lets it go (window.calcaroRelease), the window already drawn.
export const heldStart = `{ const frame = requestAnimationFrame.bind(window); let held = [];
    window.requestAnimationFrame = (f) => (held ? held.push(f) : frame(f));
    window.calcaroRelease = () => { held.forEach(frame); held = null; }; }`;

// What a test reads of the game: the windows shown (and not leaving), the focus, the texts, the
// answer box, the speed checked, and what the recording counted (if the page has it).
function readState() {
    const get = (id) => document.getElementById(id);
    const text = (id) => get(id).textContent;
    const shown = (id) => !get(id).hidden && !get(id).hasAttribute('data-leaving');
    const checked = (id) => get(id).getAttribute('aria-checked') === 'true';
    const probe = window.calcaroProbe || { said: [] };
    return { form1: shown('form1'), form2: shown('Form2') && get('Form2').open,
        form3: shown('Form3') && get('Form3').open, goodbye: !get('goodbye').hidden,
        // The game has loaded its main window, which then has a level checked.
        started: ['mnuNiveau1', 'mnuNiveau2', 'mnuNiveau3'].some(checked),
        focus: document.activeElement && document.activeElement.id, answer: get('Text1').value,
        dividend: Number(text('Label1')), divisor: Number(text('Label3')), label6: text('Label6'),
        label7: text('Label7'), form2Label1: text('Form2.Label1'),
        checked: ['mnuLent', 'mnuMoyen', 'mnuRapide'].filter(checked).join(),
        questions: probe.questions, said: probe.said.length,
        // Every window that went has left the page (the focus must outlive that).
        settled: !document.querySelector('[data-leaving]') };
}

// The game in `view`, a page or a frame (what runs scripts in it), played from the keyboard of
// `keys` (press a key or a chord such as "Alt+d", type a text).
export function gameIn(view, keys = view) {
    let asked = 0;
    const state = () => view.evaluate(readState);
    const wait = (condition, what, timeoutMs) => until(state, condition, what, timeoutMs);
    return { view, state, until: wait, said: () => view.evaluate(() => window.calcaroProbe.said),
        // A speed from the keyboard: F10 to the menu bar, over to Vitesse, down to the item.
        async chooseSpeed(name) {
            const downs = Array(['Lent', 'Moyen', 'Rapide'].indexOf(name)).fill('ArrowDown');
            for (const key of ['F10', 'ArrowRight', 'Enter', ...downs, 'Enter'])
                await keys.press(key);
            return state();
        },
        // The page's next question, once it shows with the focus in the answer box: what the
        // page shows, its number `n`, and the quotient (what is left over is given at level 3).
        async question() {
            const n = ++asked;
            const s = await wait((s) => s.questions === n && s.label7 === texts.prompt &&
                s.dividend && s.focus === 'Text1', `question ${n}`);
            return { ...s, n, quotient: Math.floor(s.dividend / s.divisor) };
        },
        // Types `typed`, then Enter unless the time is to run out; what the feedback shows.
        async answer(typed, enter = true, timeoutMs) {
            if (typed)
                await keys.type(typed);
            if (enter)
                await keys.press('Enter');
            return wait((s) => s.label7 !== texts.prompt, `feedback ${asked}`, timeoutMs);
        },
    };
}

// Every check, printed one a line; the end of a test prints their count, and fails if any
// failed or none was made.
const results = { passed: 0, failed: 0 };

export function check(ok, what, detail) {
    results[ok ? 'passed' : 'failed']++;
    console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}${!ok && detail ? `: ${detail}` : ''}`);
    return ok;
}

export const equal = (actual, expected, what) => check(
    JSON.stringify(actual) === JSON.stringify(expected), what,
    `${JSON.stringify(actual)}, expected ${JSON.stringify(expected)}`);

export function finish() {
    console.log(`${results.passed} passed, ${results.failed} failed`);
    process.exit(results.failed || !results.passed ? 1 : 0);
}

// ---- The browsers: Chromium through Playwright, Firefox ESR through Puppeteer, both headless and
// kept off the network as tst_orca.py's are, and WebKitGTK through WebKitWebDriver.

// Through require, which looks in NODE_PATH: the modules (the tests' too) live in the build tree.
export const require = createRequire(import.meta.url);
const json = (name) => JSON.parse(readFileSync(new URL(name, import.meta.url)));

// Chromium, with `args` after the flags that keep it from its maker's services (refused here);
// `persistent`: in a profile of its own, in a temporary folder (a context), else in incognito.
export function chromium({ args = [], persistent = false } = {}) {
    const options = { executablePath: '/usr/bin/chromium', headless: true,
        args: [...json('./chromium-flags.json'), ...args] };
    const { chromium } = require('playwright-core');
    return persistent ? chromium.launchPersistentContext('', options) : chromium.launch(options);
}

export const firefox = () => require('puppeteer-core').launch({ browser: 'firefox',
    protocol: 'webDriverBiDi', executablePath: '/usr/bin/firefox-esr', headless: true,
    extraPrefsFirefox: json('./firefox-prefs.json') });

// WebDriver's codes for the keys the plays press.
const webDriverKeys = { Tab: '\uE004', Enter: '\uE007', Shift: '\uE008', Control: '\uE009',
    Alt: '\uE00A', Escape: '\uE00C', ArrowLeft: '\uE012', ArrowUp: '\uE013',
    ArrowRight: '\uE014', ArrowDown: '\uE015', F10: '\uE03A' };

// WebKitGTK, already behind the API of `launch` (below).
export async function webkit() {
    const dir = mkdtempSync(join(tmpdir(), 'calcaro-webkit-'));
    const port = await serve(() => null).then((s) => (s.close(), s.port)); // a free one
    const driver = spawn('/usr/bin/WebKitWebDriver', [`--port=${port}`],
        { stdio: ['ignore', 'inherit', 'inherit'] });
    const ended = new Promise((resolve) => driver.once('exit', resolve));
    const call = async (method, path, body) => {
        const response = await fetch(`http://127.0.0.1:${port}${path}`, { method,
            headers: { 'Content-Type': 'application/json' },
            body: body === undefined ? undefined : JSON.stringify(body) });
        const { value } = await response.json();
        if (!response.ok)
            throw new Error(`WebDriver ${method} ${path}: ${value.error}: ${value.message}`);
        return value;
    };
    // The driver listens once it has started; until then a connection is refused at once.
    const started = await until(() => call('GET', '/status').then(() => 'yes',
        (e) => driver.exitCode !== null && e.message), (s) => s, 'WebKitWebDriver', 30000);
    if (started !== 'yes')
        throw new Error(`WebKitWebDriver did not start: ${started}`);
    const session = await call('POST', '/session', { capabilities: { alwaysMatch: {
        'webkitgtk:browserOptions': {
            binary: '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
            args: ['--automation', '--geometry=1280x1024'] } } } });
    const at = `/session/${session.sessionId}`;
    const keys = (actions) => call('POST', `${at}/actions`,
        { actions: [{ type: 'key', id: 'keyboard', actions }] });
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
        // WebDriver cannot run a script before the document's own: a copy of the page has it.
        async open(url, script) {
            const copy = join(dir, 'page.html');
            writeFileSync(copy, withPreload(readFileSync(fileURLToPath(url), 'utf8'),
                errorTrap + script));
            await call('POST', `${at}/url`, { url: pathToFileURL(copy).href });
        },
        evaluate,
        press: (chord) => {
            const held = chord.split('+').map((key) => webDriverKeys[key] || key);
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

// Starts 'chromium', 'chromium-old', 'firefox' or 'webkit' on a blank page, behind one small API,
// so that the same play drives them all. Every request URL it reports and every console error
// are collected from the start.
export async function launch(name) {
    if (name === 'webkit')
        return webkit();
    if (!['chromium', 'chromium-old', 'firefox'].includes(name))
        throw new Error(`unknown browser ${name}: chromium, chromium-old, firefox or webkit`);
    const browser = await (name === 'firefox' ? firefox() : chromium());
    const page = await browser.newPage();
    // Playwright's way, or Puppeteer's, to run a script in each document before its own.
    const preload = (script) => (page.addInitScript ? page.addInitScript(script)
        : page.evaluateOnNewDocument(script));
    if (name === 'chromium-old')
        await preload(oldBrowser);
    const [requests, consoleErrors] = [[], []];
    page.on('request', (request) => requests.push(request.url()));
    page.on('console', (m) => m.type() === 'error' && consoleErrors.push(m.text()));
    page.on('pageerror', (e) => consoleErrors.push(String(e)));
    return {
        version: await browser.version(), requests, consoleErrors,
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

const types = { '.html': 'text/html', '.js': 'text/javascript', '.png': 'image/png',
    '.webmanifest': 'application/manifest+json' };

// A web server on 127.0.0.1 (at `port`, or any free one: server.port) of what `route` gives for
// a URL: a file's path, or a page as [text, type]; anything else, or a file missing, is a 404.
export async function serve(route, port = 0) {
    const server = createServer((request, response) => {
        const found = route(new URL(request.url, 'http://127.0.0.1'));
        try {
            const [body, type] = typeof found === 'string'
                ? [readFileSync(found), types[extname(found)]] : found;
            response.writeHead(200, { 'Content-Type': type }).end(body);
        } catch {
            response.writeHead(404).end();
        }
    });
    await new Promise((resolve) => server.listen(port, '127.0.0.1', resolve));
    server.port = server.address().port;
    return server;
}
