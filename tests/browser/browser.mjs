// One small API over Debian's two browsers, so that the same play drives both: Chromium through
// Playwright (its DevTools protocol), Firefox ESR through Puppeteer (WebDriver BiDi). Both run
// headless; CTest runs them in a session of their own (tests/session.sh) for private folders.
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';

// Through require, which looks in NODE_PATH: the modules live in the build tree.
const require = createRequire(import.meta.url);

// Without these, Chromium keeps trying to reach its maker's services, which are refused here.
export const chromiumFlags = ['--disable-background-networking', '--disable-component-update',
    '--disable-sync', '--disable-quic', '--disable-gpu', '--no-first-run'];

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

// Starts 'chromium' or 'firefox'. Every request URL it reports and every console error are
// collected from the start.
export async function launch(name) {
    if (!launchers[name])
        throw new Error(`unknown browser ${name}: chromium or firefox`);
    const { browser, page, version, preload } = await launchers[name]();
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
