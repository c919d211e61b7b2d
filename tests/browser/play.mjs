// Plays calcaro.html from file:// by keyboard only: a whole series at Rapide (one answer wrong,
// one left to time out), the series-end dialog, a series at Moyen, and the way out. Measures
// the time to the first window and the question lengths, and checks that nothing but the file
// itself was loaded.   node play.mjs chromium|chromium-old|firefox|webkit PAGE
import { statSync } from 'node:fs';
import { check, equal, fileUrl, finish, gameIn, heldStart, launch, probe, stoppedClock, texts }
    from './game.mjs';

const [browserName, pagePath] = process.argv.slice(2);
const pageUrl = fileUrl(pagePath);

// The length of the last question left unanswered: from its start to its time-out, which the
// feedback timer's first tick shows 100 ms later, as on the desktop.
async function questionLength(game, name, expectedMs) {
    const events = await game.view.evaluate(() => window.calcaroProbe.events);
    const end = events.findLastIndex((e) => e.label7 === texts.noAnswer);
    const start = events.findLastIndex((e, i) => e.start && i < end);
    const ms = events[end].t - events[start].t - 100;
    check(Math.abs(ms - expectedMs) <= expectedMs / 100, `question at ${name} lasts ` +
        `${ms.toFixed(1)} ms (feedback after ${(ms + 100).toFixed(1)} ms), ${expectedMs} ± 1 %`);
}

// The next question: 'right', 'wrong' or 'none' (left to time out), with the score it must show.
async function answer(game, kind, score, timeoutMs) {
    const q = await game.question();
    const after = await game.answer(kind === 'none' ? ''
        : String(q.quotient + (kind === 'wrong' ? 1 : 0)), kind !== 'none', timeoutMs);
    const feedback = { right: 'Bonne réponse ', none: texts.noAnswer,
        wrong: `Non, ${q.dividend} : ${q.divisor} = ${q.quotient}` }[kind];
    equal([q.label6, q.focus, after.label7].join(' | '), [score, 'Text1', feedback].join(' | '),
        `question ${q.n}, ${kind}: score, focus, feedback`);
    return `${q.dividend} divisé par ${q.divisor}.`;
}

async function play(b) {
    const size = statSync(pagePath).size;
    check(size <= 1000000, `${b.version}; page of ${size} bytes`, 'at most 1 MB');
    await b.open(pageUrl, probe(stoppedClock + heldStart));
    const game = gameIn(b);
    await game.until((s) => s.form1, 'main window');
    const shownAt = await b.evaluate(() => window.calcaroProbe.shownAt);
    check(shownAt < 1000, `first window after ${shownAt.toFixed(1)} ms`, '< 1000 ms');

    // Before the game has started, the child's keys do nothing: the access keys, Enter in the
    // answer box, a menu and its items. The same keys once it has started begin a question.
    const early = ['Alt+d', 'Alt+q', 'F10', 'Enter', 'ArrowDown', 'Enter', 'Escape', 'Tab', '7',
        'Enter', 'Alt+d'];
    for (const key of early)
        await b.press(key);
    const before = await game.state();
    equal([before.started, before.form3, before.label7, before.questions, before.said],
        [false, false, '', 0, 0], `before the game starts, ${early.join(' ')} do nothing`);
    await b.evaluate(() => window.calcaroRelease());
    const shown = await game.until((s) => s.started && s.focus === 'Command1', 'the game');
    equal([shown.label7, shown.checked, shown.answer, shown.form3, shown.said],
        [texts.idle, 'mnuLent', '', false, 0], 'then the game is as it starts: idle message, ' +
        'Lent, no answer, nothing said, Démarrer has the focus (a screen reader is told that)');

    const rapide = await game.chooseSpeed('Rapide');
    equal(rapide.checked, 'mnuRapide', 'speed mnuRapide chosen by keyboard');
    equal(rapide.focus, 'Command1', 'the menu gives the focus back');
    await b.press('Enter');
    let score = 0;
    const asked = [];
    for (const [i, kind] of ['right', 'right', 'wrong', 'right', 'none', ...Array(5).fill('right')]
        .entries()) {
        asked.push(await answer(game, kind, `${score} / ${i}`, 4000));
        score += kind === 'right';
    }
    check(asked[3] === asked[2], `question 4 repeats question 3 (${asked[2]})`,
        `the stopped clock gave ${asked.join(' ')}`);
    // What the live region said of the questions, with what makes a text said again differ from
    // the one before (nothing a screen reader speaks) taken off.
    equal((await game.said()).filter((words) => /^\d+ divisé/.test(words))
        .map((words) => words.trim()).join(' | '), asked.join(' | '),
    'the live region said every question of the series, the repeated one too');
    await questionLength(game, 'Rapide', 2500);
    await game.until((s) => s.label7 === `Ton score est de ${score} sur 10`, 'score at the end');
    const dialog = await game.until((s) => s.form2 && !s.form1, 'series-end dialog', 3000);
    equal(dialog.form2Label1, `Votre score est de ${score} sur 10`, 'series-end dialog score');
    equal(dialog.focus, 'Form2.Command1', 'Continuer has the focus');

    await b.press('Alt+c');
    await answer(game, 'right', `${score} / 10`, 4000); // the score runs on
    await b.press('Alt+r');
    await game.until((s) => s.label7 === texts.idle && s.settled, 'Recommencer');
    equal((await game.chooseSpeed('Moyen')).checked, 'mnuMoyen',
        'speed mnuMoyen chosen by keyboard');
    await b.press('Alt+d');
    await answer(game, 'none', '0 / 0', 7000);
    await questionLength(game, 'Moyen', 5000);

    // Away from the question and back: it is said again, the same words just after themselves.
    await game.question();
    await b.press('Alt+q');
    const confirm = await game.until((s) => s.form3 && !s.form1, 'quit confirmation');
    equal(confirm.focus, 'Form3.Command2', 'Non has the focus');
    const picture = await b.evaluate(() => {
        const p = document.getElementById('Picture1');
        return p.complete ? p.naturalWidth : 0;
    });
    check(picture >= 410, `the quit picture shown, ${picture} pixels wide`, 'its own, 410 or 820');
    await b.press('Enter');
    const back = await game.until((s) => !s.form3 && s.form1 && s.settled, 'main window after Non');
    equal(back.focus, 'Text1', 'Non returns to the answer box');
    await game.until((s) => s.said > confirm.said, 'words once back in the answer box');
    const said = (await game.said()).slice(-2);
    check(said[0] !== said[1] && said[0].trim() === said[1].trim() && /divisé/.test(said[0]),
        'back in the answer box, the question is said again', JSON.stringify(said));
    await b.press('Alt+q');
    await game.until((s) => s.form3, 'quit confirmation again');
    await b.press('Escape');
    // That Escape changes nothing shows in no event: the game is given 300 ms to do otherwise.
    await new Promise((r) => setTimeout(r, 300));
    const escaped = await game.state();
    if (!check(escaped.form3 && !escaped.goodbye, 'Escape leaves the quit confirmation open',
        escaped.form3 ? '' : `the goodbye screen ${escaped.goodbye ? 'shows' : 'does not show'}`))
        return;
    await b.press('Shift+Tab');
    await b.press('Enter');
    const bye = await game.until((s) => s.goodbye && !s.form3 && s.settled, 'goodbye screen after Oui');
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
