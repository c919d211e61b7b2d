// Plays calcaro.html from file:// by keyboard only: a whole series at Rapide (one answer wrong,
// one left to time out), the series-end dialog, a series at Moyen, and the way out. Measures
// the time to the first window and the question lengths, and checks that nothing but the file
// itself was loaded.   node play.mjs chromium|firefox|webkit PAGE
import { statSync } from 'node:fs';
import { resolve } from 'node:path';
import { pathToFileURL } from 'node:url';
import { launch } from './browser.mjs';
import { check, equal, finish, sleep, until as poll } from './checks.mjs';

const [browserName, pagePath] = process.argv.slice(2);
const pageUrl = pathToFileURL(resolve(pagePath)).href;
const prompt = 'Donne ta réponse et appuie sur ENTREE';
const noAnswer = 'Tu n\'as rien répondu';
// The game draws from the wall clock, stopped here at a time whose draws give question 4 the
// same division as question 3 (at every level but the third).
const stoppedClock = 1577836800031;

// Set before the page's own scripts: when the main window first shows, each question's start
// (its time bar reset and shown) and each message, timed with the page's own clock, and what
// the live region says.
const probe = `(() => {
    Date.now = () => ${stoppedClock};
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
            if (now.label7 === ${JSON.stringify(prompt)}) log.questions++;
        }
        last = now;
    }).observe(document, { subtree: true, childList: true, characterData: true, attributes: true });
})();`;

const state = () => {
    const get = (id) => document.getElementById(id);
    const text = (id) => get(id).textContent;
    const shown = (id) => !get(id).hidden && !get(id).hasAttribute('data-leaving');
    return { form1: shown('form1'), form2: shown('Form2') && get('Form2').open,
        form3: shown('Form3') && get('Form3').open,
        goodbye: !get('goodbye').hidden, focus: document.activeElement?.id,
        label1: text('Label1'), label3: text('Label3'), label6: text('Label6'),
        label7: text('Label7'), form2Label1: text('Form2.Label1'),
        checked: ['mnuLent', 'mnuMoyen', 'mnuRapide'].filter((id) =>
            get(id).getAttribute('aria-checked') === 'true').join(),
        questions: window.calcaroProbe.questions, said: window.calcaroProbe.said.length,
        // Every window that went has left the page (the focus must outlive that).
        settled: !document.querySelector('[data-leaving]') };
};

const until = (b, condition, what, timeoutMs) =>
    poll(() => b.evaluate(state), condition, what, timeoutMs);

// The speed menu from the keyboard: F10 to the menu bar, over to Vitesse, down to the item.
async function chooseSpeed(b, downs, name) {
    for (const key of ['F10', 'ArrowRight', 'Enter', ...Array(downs).fill('ArrowDown'), 'Enter'])
        await b.press(key);
    equal((await b.evaluate(state)).checked, name, `speed ${name} chosen by keyboard`);
}

// The length of the last question left unanswered: from its start to its time-out, which the
// feedback timer's first tick shows 100 ms later, as on the desktop.
async function questionLength(b, name, expectedMs) {
    const events = await b.evaluate(() => window.calcaroProbe.events);
    const end = events.findLastIndex((e) => e.label7 === noAnswer);
    const start = events.findLastIndex((e, i) => e.start && i < end);
    const ms = events[end].t - events[start].t - 100;
    check(Math.abs(ms - expectedMs) <= expectedMs / 100, `question at ${name} lasts ` +
        `${ms.toFixed(1)} ms (feedback after ${(ms + 100).toFixed(1)} ms), ${expectedMs} ± 1 %`);
}

// One question: 'right', 'wrong' or 'none' (left to time out), the page's question number `n`,
// with the running score it must show.
async function answer(b, kind, n, score, timeoutMs) {
    const s = await until(b, (s) => s.questions === n && s.label1, `question ${n}`);
    const [dividend, divisor] = [Number(s.label1), Number(s.label3)];
    const quotient = Math.floor(dividend / divisor); // what is left over is given at level 3
    if (kind !== 'none') {
        await b.type(String(kind === 'right' ? quotient : quotient + 1));
        await b.press('Enter');
    }
    const after = await until(b, (s) => s.label7 !== prompt, 'feedback', timeoutMs);
    const feedback = { right: 'Bonne réponse ', wrong: `Non, ${dividend} : ${divisor} = ${quotient}`,
        none: noAnswer }[kind];
    equal([s.label6, s.focus, after.label7].join(' | '), [score, 'Text1', feedback].join(' | '),
        `question ${n}, ${kind}: score, focus, feedback`);
    return `${dividend} divisé par ${divisor}.`;
}

// What the live region said of the questions, in order, with what makes a text said again
// differ from the one before (nothing a screen reader speaks) taken off.
const questionsSaid = async (b) => (await b.evaluate(() => window.calcaroProbe.said))
    .filter((words) => /^\d+ divisé/.test(words)).map((words) => words.trim());

async function play(b) {
    const size = statSync(pagePath).size;
    check(size <= 1000000, `${b.version}; page of ${size} bytes`, 'at most 1 MB');
    await b.open(pageUrl, probe);
    const shown = await until(b, (s) => s.form1, 'main window');
    const shownAt = await b.evaluate(() => window.calcaroProbe.shownAt);
    check(shownAt < 1000, `first window after ${shownAt.toFixed(1)} ms`, '< 1000 ms');
    equal(shown.label7, 'Clique sur Démarrer si tu es prêt', 'idle message');
    equal(shown.focus, 'Command1', 'Démarrer has the focus');

    await chooseSpeed(b, 2, 'mnuRapide');
    equal((await b.evaluate(state)).focus, 'Command1', 'the menu gives the focus back');
    await b.press('Enter');
    let score = 0;
    const asked = [];
    for (const [i, kind] of ['right', 'right', 'wrong', 'right', 'none', ...Array(5).fill('right')]
        .entries()) {
        asked.push(await answer(b, kind, i + 1, `${score} / ${i}`, 4000));
        score += kind === 'right';
    }
    check(asked[3] === asked[2], `question 4 repeats question 3 (${asked[2]})`,
        `the stopped clock gave ${asked.join(' ')}`);
    equal((await questionsSaid(b)).join(' | '), asked.join(' | '),
        'the live region said every question of the series, the repeated one too');
    await questionLength(b, 'Rapide', 2500);
    await until(b, (s) => s.label7 === `Ton score est de ${score} sur 10`, 'score at the end');
    const dialog = await until(b, (s) => s.form2 && !s.form1, 'series-end dialog', 3000);
    equal(dialog.form2Label1, `Votre score est de ${score} sur 10`, 'series-end dialog score');
    equal(dialog.focus, 'Form2.Command1', 'Continuer has the focus');

    await b.press('Alt+c');
    await answer(b, 'right', 11, `${score} / 10`, 4000); // the score runs on
    await b.press('Alt+r');
    await until(b, (s) => s.label7 === 'Clique sur Démarrer si tu es prêt' && s.settled,
        'Recommencer');
    await chooseSpeed(b, 1, 'mnuMoyen');
    await b.press('Alt+d');
    await answer(b, 'none', 12, '0 / 0', 7000);
    await questionLength(b, 'Moyen', 5000);

    // Away from the question and back: it is said again, the same words just after themselves.
    await until(b, (s) => s.questions === 13 && s.label7 === prompt, 'question 13');
    await b.press('Alt+q');
    const confirm = await until(b, (s) => s.form3 && !s.form1, 'quit confirmation');
    equal(confirm.focus, 'Form3.Command2', 'Non has the focus');
    await b.press('Enter');
    const back = await until(b, (s) => !s.form3 && s.form1 && s.settled, 'main window after Non');
    equal(back.focus, 'Text1', 'Non returns to the answer box');
    await until(b, (s) => s.said > confirm.said, 'words once back in the answer box');
    const said = await b.evaluate(() => window.calcaroProbe.said.slice(-2));
    check(said[0] !== said[1] && said[0].trim() === said[1].trim() && /divisé/.test(said[0]),
        'back in the answer box, the question is said again', JSON.stringify(said));
    await b.press('Alt+q');
    await until(b, (s) => s.form3, 'quit confirmation again');
    await b.press('Escape');
    await sleep(300);
    const escaped = await b.evaluate(state);
    if (!check(escaped.form3 && !escaped.goodbye, 'Escape leaves the quit confirmation open',
        escaped.form3 ? '' : `the goodbye screen ${escaped.goodbye ? 'shows' : 'does not show'}`))
        return;
    await b.press('Shift+Tab');
    await b.press('Enter');
    const bye = await until(b, (s) => s.goodbye && !s.form3 && s.settled, 'goodbye screen after Oui');
    equal([bye.form1, bye.form3, bye.focus].join(), 'false,false,goodbye-replay', 'goodbye screen');
}

let b;
try {
    b = await launch(browserName);
    await play(b);
} catch (e) {
    check(false, 'the play', e.stack);
}
if (b) {
    const urls = [...b.requests, ...await b.evaluate(() =>
        performance.getEntriesByType('resource').map((e) => e.name)).catch(() => [])];
    const foreign = urls.filter((url) => url !== pageUrl && !url.startsWith('data:'));
    await b.close();
    check(!foreign.length, `${urls.length} requests, all to the file itself`, foreign.join(' '));
    check(!b.consoleErrors.length, 'no console error', b.consoleErrors.join(' | '));
}
finish();
