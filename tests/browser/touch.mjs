// calcaro.html on a tablet and a whiteboard, in Debian's chromium with touch emulated: a whole
// series played by tapping only, what the live region reads out, the fit at four screen sizes,
// axe-core on every window, and text contrast with a light, a dark and a high-contrast desktop.
//   node touch.mjs PAGE
import { check, chromium, equal, fileUrl, finish, gameIn, probe, require } from './game.mjs';

const axeSource = require('axe-core').source;
const pageUrl = fileUrl(process.argv[2]);

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

// The page in a context of its own, a touch screen or not, recorded from before the game starts.
async function open(browser, width, height, touch) {
    const page = await (await browser.newContext({ viewport: { width, height }, hasTouch: touch,
        isMobile: touch })).newPage();
    await page.addInitScript(probe());
    await page.goto(pageUrl);
    const game = gameIn(page, page.keyboard);
    await game.until((s) => s.form1 && s.started, 'main window');
    return [page, game];
}

// Whole on screen, no scrollbar, keys of 48 px at least, the pad under the game when upright.
async function fits(browser, width, height, touch) {
    const [page] = await open(browser, width, height, touch);
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
    const [page, game] = await open(browser, 1024, 768, true);
    await audit(page, 'the main window');
    await page.tap('#mnuNiveau');
    await page.tap('#mnuNiveau2');
    await page.tap('[id="Command1"]');
    const said = [];
    let score = 0;
    for (let n = 1; n <= 10; n++) {
        const { dividend: a, divisor: b } = await game.until((s) => s.said === 2 * n - 1,
            `question ${n}`);
        const answer = String(Math.floor(a / b) + (n === 4 ? 1 : 0));
        if (n === 2) {
            await page.tap('#pad-9');
            await page.tap('#pad-clear');
        }
        for (const digit of answer)
            await page.tap(`#pad-${digit}`);
        const s = await game.state();
        equal([s.focus, s.answer], ['Text1', answer],
            `question ${n}: the box keeps the focus and holds the taps`);
        if (n === 3)
            await audit(page, 'a question with the pad');
        await page.tap('#pad-validate');
        score += n !== 4;
        said.push(`${a} divisé par ${b}.`, n === 4
            ? `Non, ${a} divisé par ${b} égale ${Math.floor(a / b)}. Score : ${score} sur ${n}.`
            : `Bonne réponse. Score : ${score} sur ${n}.`);
    }
    await game.until((s) => s.form2, 'series-end dialog');
    said.push('Ton score est de 9 sur 10.');
    equal(await game.said(), said, 'what the live region said, in order');
    await audit(page, 'the series-end dialog');
    await page.tap('[id="Form2.Command2"]');
    await game.until((s) => !s.form2 && s.settled, 'Recommencer');
    await page.tap('#Command2');
    await game.until((s) => s.form3, 'quit confirmation');
    await audit(page, 'the quit confirmation');
    await page.tap('[id="Form3.Command1"]');
    await game.until((s) => s.goodbye, 'goodbye screen');
    await audit(page, 'the goodbye screen');
    await page.context().close();
}

const browser = await chromium();
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
