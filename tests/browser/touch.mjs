// calcaro.html on a tablet and a whiteboard, in Debian's chromium with touch emulated: a whole
// series played by tapping only, what the live region reads out, the fit at four screen sizes,
// axe-core on every window, and text contrast with a light, a dark and a high-contrast desktop.
//   node touch.mjs PAGE
import { createRequire } from 'node:module';
import { resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromiumFlags } from './browser.mjs';
import { check, equal, finish, untilInPage as until } from './checks.mjs';

const require = createRequire(import.meta.url);
const { chromium } = require('playwright-core');
const axeSource = require('axe-core').source;
const pageUrl = pathToFileURL(resolve(process.argv[2])).href;
// Every text the live region says, in order, recorded from before the game starts.
const listen = `window.heard = []; new MutationObserver((records) => { for (const r of records)
    if (r.target.id === 'announcements')
        heard.push(...Array.from(r.addedNodes, (n) => n.textContent)); }).observe(document,
    { subtree: true, childList: true });`;

// Text below 4.5:1 against any colour of the ground it sits on (a gradient's every stop), for
// every shown text of the document, the answer boxes' included.
function lowContrast() {
    const rgb = (c) => (c.match(/[\d.]+/g) || []).map(Number);
    const lum = ([r, g, b]) => [r, g, b].map((v) => (v /= 255) <= 0.03928 ? v / 12.92
        : ((v + 0.055) / 1.055) ** 2.4).reduce((s, v, i) => s + v * [0.2126, 0.7152, 0.0722][i], 0);
    const grounds = (e) => {
        for (; e; e = e.parentElement) {
            const s = getComputedStyle(e);
            const stops = s.backgroundImage.match(/rgba?\([^)]*\)/g);
            if (stops)
                return stops.map(rgb);
            if (rgb(s.backgroundColor)[3] !== 0 && s.backgroundColor !== 'transparent')
                return [rgb(s.backgroundColor)];
        }
        return [[255, 255, 255]];
    };
    const low = [];
    for (const e of document.querySelectorAll('body *')) {
        const own = e.tagName === 'INPUT' ? e.value
            : Array.from(e.childNodes).filter((n) => n.nodeType === 3).map((n) => n.data).join('');
        if (!own.trim() || !e.checkVisibility() || e.closest('.visually-hidden'))
            continue;
        const fg = lum(rgb(getComputedStyle(e).color));
        const ratio = Math.min(...grounds(e).map((bg) => lum(bg)).map(
            (bg) => (Math.max(fg, bg) + 0.05) / (Math.min(fg, bg) + 0.05)));
        if (ratio < 4.5)
            low.push(`${e.id || e.tagName} "${own.trim()}" ${ratio.toFixed(2)}`);
    }
    return low;
}

// axe-core's every rule, then the contrast above with each desktop's colours.
async function audit(page, where) {
    const violations = await page.evaluate(async (source) => {
        if (!window.axe)
            (0, eval)(source);
        const result = await axe.run(document, { resultTypes: ['violations'] });
        return result.violations.map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`);
    }, axeSource);
    equal(violations, [], `axe-core on ${where}`);
    for (const [scheme, forced] of [['light', 'none'], ['dark', 'none'], ['dark', 'active']]) {
        await page.emulateMedia({ colorScheme: scheme, forcedColors: forced });
        equal(await page.evaluate(lowContrast), [], `${where}: text at 4.5:1, ${scheme}` +
            `${forced === 'active' ? ', forced colours' : ''}`);
    }
    await page.emulateMedia({ colorScheme: 'light', forcedColors: 'none' });
}

// The page in a context of its own, a touch screen or not, with `script` run before the page's.
async function open(browser, width, height, touch, script = '') {
    const page = await (await browser.newContext({ viewport: { width, height }, hasTouch: touch,
        isMobile: touch })).newPage();
    await page.addInitScript(script);
    await page.goto(pageUrl);
    await until(page, () => !document.getElementById('form1').hidden, 'main window');
    return page;
}

// Whole on screen, no scrollbar, keys of 48 px at least, the pad under the game when upright.
async function fits(browser, width, height, touch) {
    const page = await open(browser, width, height, touch);
    if (!touch) { // a mouse asks for the pad from the menu
        await page.click('#mnuAffichage');
        await page.click('#mnuPave');
    }
    const at = await page.evaluate(() => {
        const out = Array.from(document.querySelectorAll('#form1, #pad:not([hidden]) .key'))
            .filter((e) => { const r = e.getBoundingClientRect();
                return r.left < 0 || r.top < 0 || r.right > innerWidth || r.bottom > innerHeight; });
        const keys = Array.from(document.querySelectorAll('#pad:not([hidden]) .key'),
            (k) => Math.min(k.getBoundingClientRect().width, k.getBoundingClientRect().height));
        const root = document.scrollingElement;
        return { out: out.map((e) => e.id || e.textContent), scrolls: root.scrollWidth >
            root.clientWidth || root.scrollHeight > root.clientHeight, pad: keys.length ?
            document.getElementById('stage').dataset.pad : 'none', smallest: Math.min(...keys) };
    });
    equal([at.out, at.scrolls, at.pad], [[], false, width < height ? 'below' : 'side'],
        `${width}x${height}: whole on screen, no scrollbar, pad ${at.pad}`);
    check(at.smallest >= 48, `${width}x${height}: keys of ${at.smallest.toFixed(0)} px`);
    await page.context().close();
}

// A series at "Lent" by tapping only: taps on the menu, the buttons, the pad (one answer wrong,
// one put right with "Effacer"), both dialogs and the goodbye screen, with an audit of each.
async function playByTouch(browser) {
    const page = await open(browser, 1024, 768, true, listen);
    await audit(page, 'the main window');
    await page.tap('#mnuNiveau');
    await page.tap('#mnuNiveau2');
    await page.tap('[id="Command1"]');
    const said = [];
    let score = 0;
    for (let n = 1; n <= 10; n++) {
        const [a, b] = (await until(page, (n) => heard.length === 2 * n - 1 &&
            [document.getElementById('Label1').textContent,
                document.getElementById('Label3').textContent], `question ${n}`, n)).map(Number);
        const answer = String(Math.floor(a / b) + (n === 4 ? 1 : 0));
        if (n === 2) {
            await page.tap('#pad-9');
            await page.tap('#pad-clear');
        }
        for (const digit of answer)
            await page.tap(`#pad-${digit}`);
        equal(await page.evaluate(() => [document.activeElement.id,
            document.getElementById('Text1').value]), ['Text1', answer],
            `question ${n}: the box keeps the focus and holds the taps`);
        if (n === 3)
            await audit(page, 'a question with the pad');
        await page.tap('#pad-validate');
        score += n !== 4;
        said.push(`${a} divisé par ${b}.`, n === 4
            ? `Non, ${a} divisé par ${b} égale ${Math.floor(a / b)}. Score : ${score} sur ${n}.`
            : `Bonne réponse. Score : ${score} sur ${n}.`);
    }
    await until(page, () => document.getElementById('Form2').open, 'series-end dialog');
    said.push('Ton score est de 9 sur 10.');
    equal(await page.evaluate(() => heard), said, 'what the live region said, in order');
    await audit(page, 'the series-end dialog');
    await page.tap('[id="Form2.Command2"]');
    await until(page, () => !document.getElementById('Form2').open, 'Recommencer');
    await page.tap('#Command2');
    await until(page, () => document.getElementById('Form3').open, 'quit confirmation');
    await audit(page, 'the quit confirmation');
    await page.tap('[id="Form3.Command1"]');
    await until(page, () => !document.getElementById('goodbye').hidden, 'goodbye screen');
    await audit(page, 'the goodbye screen');
    await page.context().close();
}

const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', headless: true,
    args: chromiumFlags });
try {
    console.log(`chromium ${browser.version()}, axe-core ${require('axe-core').version}`);
    await playByTouch(browser);
    for (const [w, h, touch] of [[1024, 768, true], [1920, 1080, false], [3840, 2160, true],
        [810, 1080, true]])
        await fits(browser, w, h, touch);
} catch (e) {
    check(false, 'the play', e.stack);
} finally {
    await Promise.race([browser.close(), new Promise((r) => setTimeout(r, 10000))]);
}
finish();
