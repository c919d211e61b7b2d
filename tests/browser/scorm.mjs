// The SCORM package under scorm-again's SCORM 1.2 runtime, as a learning platform opens it, in
// chromium: two series by keyboard, then "Oui"; answers of every kind; a second visit; a page
// left early; a preview; the API past a frame of another origin; one that throws or answers
// "false".   node scorm.mjs PACKAGE.zip [SCREENSHOT.png]
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, readdirSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { check, chromium, equal, finish, gameIn, probe, require, serve, until } from './game.mjs';

const packagePath = process.argv[2];
let screenshot = process.argv[3]; // taken once, at the first question
const unpacked = mkdtempSync(join(tmpdir(), 'calcaro-scorm-'));
execFileSync('python3', ['-m', 'zipfile', '-e', packagePath, unpacked]);
const zipped = readdirSync(unpacked, { recursive: true });

const manifest = readFileSync(join(unpacked, 'imsmanifest.xml'), 'utf8');
const count = (tag) => (manifest.match(new RegExp(`<${tag}[\\s>]`, 'g')) || []).length;
const [, href] = manifest.match(/<resource [^>]*adlcp:scormtype="sco"[^>]*href="([^"]+)"/) || [];
const files = Array.from(manifest.matchAll(/<file href="([^"]+)"/g), (m) => m[1]);
equal([/<schemaversion>1.2</.test(manifest), count('organization'), count('item'),
    count('resource'), /<title>Calcaro CM1</.test(manifest), /version="\d+\.\d\d"/.test(manifest)],
[true, 1, 1, 1, true, true], 'manifest: SCORM 1.2, one organization, one item, one SCO, version');
check(href && [href, ...files].every((f) => zipped.includes(f)),
    `the SCO's files are in the package (${zipped.join(', ')})`);

// The platform's page, with an API of the kind asked: scorm-again's (every call and its answer
// kept in `calls`; `setup`: the mastery score, what earlier visits stored; the status overridden
// at LMSFinish, as Moodle does; `held()`: what it keeps), or one that throws, or answers "false".
const platform = (kind, frame, setup) => `<!DOCTYPE html><meta charset="utf-8"><title>Plateforme</title>
<script src="/scorm12.js"></script><script>
window.calls = [];
const setup = ${setup || '{}'};
const runtime = new Scorm12API({ logLevel: 5, mastery_override: true });
if (setup.stored)
    runtime.loadFromJSON(setup.stored, 'cmi');
runtime.cmi.student_data.mastery_score = setup.mastery || '';
window.held = () => [runtime.cmi.core.score.raw, runtime.cmi.core.lesson_status,
    runtime.cmi.interactions.childArray.length];
window.API = {};
for (const name of ['LMSInitialize', 'LMSFinish', 'LMSGetValue', 'LMSSetValue', 'LMSCommit',
    'LMSGetLastError', 'LMSGetErrorString', 'LMSGetDiagnostic'])
    API[name] = (...args) => {
        if ('${kind}' === 'throws')
            throw new Error('the platform is down');
        const answer = '${kind}' === 'false' ? 'false' : runtime[name](...args);
        calls.push([name, ...args, answer]);
        return answer;
    };
</script><style>body { margin: 0; font: 15px sans-serif } p { margin: 10px 20px }
header { background: #1d4f91; color: white; padding: 10px 20px } iframe { margin: 0 20px }
</style><header>Plateforme de l’école</header><p>CM1 › Mathématiques › Calcaro CM1</p>
<iframe src="${frame}" width="1000" height="720"></iframe>`;

const scormAgain = join(dirname(require.resolve('scorm-again/package.json')), 'dist/scorm12.js');
const server = await serve(({ pathname, searchParams }) => {
    const sco = `http://127.0.0.1:${server.port}/package/${href}`;
    if (pathname === '/platform')
        return [platform(searchParams.get('api'), searchParams.get('via')
            ? `http://localhost:${server.port}/player` : sco, searchParams.get('setup')),
        'text/html'];
    if (pathname === '/player') // another origin between the platform and the page
        return [`<iframe src="${sco}" width="1000" height="720"></iframe>`, 'text/html'];
    return pathname === '/scorm12.js' ? scormAgain
        : pathname.startsWith('/package/') ? join(unpacked, pathname.slice(9)) : null;
});
const browser = await chromium({ args: ['--host-resolver-rules=MAP localhost 127.0.0.1'] });

// Answers, from the quotient: what is typed, and whether Enter follows (or the time runs out).
const right = (q) => [`${q}`, true];
const marks = (n) => Array.from({ length: 10 }, (_, i) => (i < n ? right : (q) => [`${q + 1}`, true]));

// Ten questions by keyboard, answered as `answers` say; the series-end dialog.
async function series(page, game, answers) {
    for (const answer of answers) {
        const { quotient } = await game.question();
        if (screenshot)
            await page.screenshot({ path: screenshot }).then(() => { screenshot = null; });
        await game.answer(...answer(quotient));
    }
    return game.until((s) => s.form2 && s.focus === 'Form2.Command1', 'series-end dialog');
}

// The platform's page with the game in its frame, recorded from before it starts, started (at
// "Rapide" if asked).
async function openPlatform(kind, { via = '', setup = null, rapide = false } = {}) {
    const page = await browser.newPage({ viewport: { width: 1040, height: 840 } });
    await page.addInitScript(probe());
    await page.goto(`http://127.0.0.1:${server.port}/platform?api=${kind}&via=${via}` +
        (setup ? `&setup=${encodeURIComponent(JSON.stringify(setup))}` : ''));
    const frame = await until(async () => page.frames().find((f) => f.url().endsWith(href)),
        (f) => f, 'the page\'s frame');
    const game = gameIn(frame, page.keyboard);
    await game.until((s) => s.focus === 'Command1', 'the game');
    if (rapide)
        await frame.$eval('#mnuRapide', (item) => item.click());
    await frame.focus('#Command1');
    await page.keyboard.press('Enter');
    const calls = () => page.evaluate(() => window.calls);
    // The platform's log once the session is finished; `leave`: once the page has gone (pagehide).
    const finished = () => until(calls, (log) => log.some((c) => c[0] === 'LMSFinish'),
        'LMSFinish');
    return { page, game, calls, finished, held: () => page.evaluate(() => window.held()),
        leave: async () => (await frame.goto('about:blank'), finished()) };
}

const sets = (log, element) => log.filter((c) => c[0] === 'LMSSetValue' && element.test(c[1]))
    .map((c) => c[2]);

// A first visit, under a mastery score of 70: 8 out of 10, "Continuer", 3 out of 10, "Oui".
{
    const { page, game, finished, held } = await openPlatform('scorm-again',
        { setup: { mastery: '70' } });
    await series(page, game, marks(8));
    await page.keyboard.press('Enter'); // "Continuer"
    equal((await series(page, game, marks(3))).form2Label1, 'Votre score est de 11 sur 20',
        'the game counts as before');
    await page.keyboard.press('Alt+q');
    await game.until((s) => s.form3 && s.focus === 'Form3.Command2', 'quit confirmation');
    await page.keyboard.press('Shift+Tab');
    await page.keyboard.press('Enter'); // "Oui"
    const log = await finished();

    equal(log.filter((c) => c[0] === 'LMSSetValue' && c[3] !== 'true'), [],
        'scorm-again accepts every value the game sets');
    equal(log[0], ['LMSInitialize', '', 'true'], 'LMSInitialize first');
    const ids = sets(log, /^cmi\.interactions\.\d+\.id$/);
    equal([ids.length, sets(log, /\.result$/).filter((r) => r === 'correct').length,
        sets(log, /\.type$/).filter((t) => t === 'numeric').length], [20, 11, 20],
    'twenty numeric interactions, eleven correct');
    check(ids.every((id) => /^division_\d+_par_\d+$/.test(id)) &&
          sets(log, /\.latency$/).every((t) => /^0000:00:0\d\.\d\d$/.test(t)),
    `interactions named ${ids[0]}…, with latencies ${sets(log, /\.latency$/)[0]}…`);
    equal(sets(log, /^cmi\.core\.score\.(raw|max|min)$/), ['0', '100', '80'],
        'the best series, 8 out of 10, as 80 out of 100, kept through a worse one');
    equal(sets(log, /lesson_status$/), ['incomplete', 'passed', 'passed'],
        'incomplete, then passed against the mastery score of 70');
    equal([log.filter((c) => c[0] === 'LMSCommit').length, log.slice(-3).map((c) => c[1])],
        [2, ['cmi.core.exit', 'cmi.core.session_time', '']],
        'a commit at each series\' end; the exit, the time, LMSFinish');
    equal(await held(), ['80', 'passed', 20], 'what the platform keeps after its own LMSFinish');
    await page.close();
}

// Visits that each end as the page goes (pagehide): what they send and what the platform keeps.
const odd = [right, (q) => [` ${q} `, true], (q) => [`${q}a`, true], (q) => [`${q - 1}.6`, true],
    () => ['sept', true], (q) => [`-${q}`, true], () => ['', false], (q) => [`${q}`, false], right,
    right];
const reviewed = { core: { score: { raw: '80', max: '100', min: '0' }, lesson_status: 'passed',
    entry: '', credit: 'no-credit', lesson_mode: 'review' }, interactions: { ...Array(10).fill({
    id: 'division_56_par_8', type: 'numeric', student_response: '7', result: 'correct' }) } };
const written = (log) => log.filter((c) => c[0] === 'LMSSetValue').map((c) => c.slice(1, 3).join('='));
for (const [options, answers, seen] of [
    [{ setup: { mastery: '90' }, rapide: true }, odd, (log, kept) => {
        const typed = sets(log, /pattern$/).map((q, i) => odd[i](Number(q))[0]);
        return [[sets(log, /response$/), sets(log, /\.result$/).map((r) => r[0]).join(''),
            sets(log, /latency$/)[6], kept], [typed, 'ccccwwwccc', '0000:00:02.50',
            ['70', 'failed', 10]], `responses as typed (${typed.map((t) => `"${t}"`)}), judged ` +
            'as the game judged them; a time-out takes the whole time; 70 is "failed" against 90'];
    }],
    [{ setup: { stored: reviewed } }, marks(3), (log, kept) => [[sets(log, /score|status/),
        log.find((c) => /\.id$/.test(c[1]))[1], kept], [['passed'], 'cmi.interactions.10.id',
        ['80', 'passed', 20]], 'a second visit, in review mode: 3 out of 10 keeps 80 and ' +
        '"passed"; its answers come after the first ten']],
    [{ setup: { stored: { core: { lesson_mode: 'normal' } } } }, [], (log) => [written(log),
        ['cmi.core.lesson_status=incomplete', 'cmi.core.exit=suspend',
            `cmi.core.session_time=${sets(log, /session_time/)[0]}`],
        'left before a series ends: suspended']],
    [{ setup: { stored: { core: { lesson_mode: 'browse' } } } }, [], (log) => [written(log), [],
        'a preview records nothing']],
]) {
    const { page, game, leave, held } = await openPlatform('scorm-again', options);
    if (answers.length)
        await series(page, game, answers);
    else
        await game.question();
    const log = await leave();
    equal(...seen(log, await held()));
    await page.close();
}

for (const [kind, via] of [['scorm-again', 'other-origin'], ['throws'], ['false']]) {
    const { page, game, calls } = await openPlatform(kind, { via });
    const end = await series(page, game, marks(10));
    equal([end.form2Label1, sets(await calls(), /\.result$/).length],
        ['Votre score est de 10 sur 10', kind === 'scorm-again' ? 10 : 0],
        via ? 'the API found past a frame of another origin' : `an API that ${kind === 'false'
            ? 'answers "false"' : kind}: a series played as ever`);
    await page.close();
}
await browser.close();
server.close();
rmSync(unpacked, { recursive: true, force: true });
finish();
