// The SCORM package under scorm-again's SCORM 1.2 runtime, as a learning platform opens it (two
// series by keyboard, then "Oui"; answers of every kind; a second visit; a page left early; a
// preview; the API past a frame of another origin; one that throws or answers "false"), and the
// installable site: installable, offline, updated at the next visit.
//   node lms.mjs PACKAGE.zip SITE_DIR [SCREENSHOT.png]
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { createServer } from 'node:http';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { dirname, extname, join } from 'node:path';
import { chromiumFlags } from './browser.mjs';
import { check, equal, finish, until } from './checks.mjs';

const require = createRequire(import.meta.url);
const { chromium } = require('playwright-core');
const [packagePath, siteDir] = process.argv.slice(2);
let screenshot = process.argv[4]; // taken once, at the first question
const prompt = 'Donne ta réponse et appuie sur ENTREE';
const work = mkdtempSync(join(tmpdir(), 'calcaro-lms-'));
const unpacked = join(work, 'package');
execFileSync('python3', ['-m', 'zipfile', '-e', packagePath, unpacked]);
const zipped = execFileSync('python3', ['-c', 'import sys, zipfile; print(*zipfile.ZipFile(' +
    'sys.argv[1]).namelist())', packagePath], { encoding: 'utf8' }).trim().split(' ');

// What an importer requires: SCORM 1.2, one organization, one item, one SCO, all of it zipped.
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
const types = { '.html': 'text/html', '.js': 'text/javascript', '.png': 'image/png',
    '.webmanifest': 'application/manifest+json' };
let newVersion = false; // the site's page as a new version of it
const server = createServer((request, response) => {
    const url = new URL(request.url, 'http://127.0.0.1');
    const path = url.pathname.replace(/\/$/, '/index.html');
    const sco = `http://127.0.0.1:${port}/package/${href}`;
    const reply = (body, type) => response.writeHead(200, { 'Content-Type': type }).end(body);
    if (path === '/platform')
        return reply(platform(url.searchParams.get('api'), url.searchParams.get('via') ?
            `http://localhost:${port}/player` : sco, url.searchParams.get('setup')), 'text/html');
    if (path === '/player') // another origin between the platform and the page
        return reply(`<iframe src="${sco}" width="1000" height="720"></iframe>`, 'text/html');
    const file = path === '/scorm12.js' ? scormAgain
        : path.startsWith('/package/') ? join(unpacked, path.slice(9))
            : path.startsWith('/site/') ? join(siteDir, path.slice(6)) : null;
    try {
        let body = readFileSync(file);
        if (newVersion && path === '/site/index.html')
            body = String(body).replace('<title>Calcaro CM1', '<title>Calcaro CM1, nouvelle');
        reply(body, types[extname(file)]);
    } catch {
        response.writeHead(404).end();
    }
});
const listen = () => new Promise((resolve) => server.listen(port, '127.0.0.1', resolve));
let port = 0;
await listen();
port = server.address().port;
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', headless: true,
    args: [...chromiumFlags, '--host-resolver-rules=MAP localhost 127.0.0.1'] });

// ---- The package, opened by the platform -----------------------------------------------------

const frameState = () => {
    const get = (id) => document.getElementById(id);
    const open = (id) => get(id).open && !get(id).hidden && !get(id).hasAttribute('data-leaving');
    return { label1: get('Label1').textContent, label3: get('Label3').textContent,
        label7: get('Label7').textContent, form2: open('Form2'), form3: open('Form3'),
        form2Label1: get('Form2.Label1').textContent, goodbye: !get('goodbye').hidden,
        focus: document.activeElement && document.activeElement.id };
};

// Answers, from the quotient: what is typed, and whether Enter follows (or the time runs out).
const right = (q) => [`${q}`, true];
const marks = (n) => Array.from({ length: 10 }, (_, i) => (i < n ? right : (q) => [`${q + 1}`, true]));

// Ten questions by keyboard, answered as `answers` say; the series-end dialog.
async function series(page, frame, answers) {
    const read = () => frame.evaluate(frameState);
    for (let n = 0; n < 10; ++n) {
        const s = await until(read, (s) => s.label7 === prompt && s.label1 && s.focus === 'Text1',
            `question ${n + 1}`, 8000);
        if (screenshot)
            await page.screenshot({ path: screenshot }).then(() => { screenshot = null; });
        const [typed, enter] = answers[n](Math.floor(Number(s.label1) / Number(s.label3)));
        await page.keyboard.type(typed);
        if (enter)
            await page.keyboard.press('Enter');
        await until(read, (s) => s.label7 !== prompt, `feedback ${n + 1}`, 8000);
    }
    return until(read, (s) => s.form2 && s.focus === 'Form2.Command1', 'series-end dialog', 8000);
}

// The platform's page with the game in its frame, started (at "Rapide" if asked).
async function openPlatform(kind, { via = '', setup = null, rapide = false } = {}) {
    const page = await browser.newPage({ viewport: { width: 1040, height: 840 } });
    await page.goto(`http://127.0.0.1:${port}/platform?api=${kind}&via=${via}` +
        (setup ? `&setup=${encodeURIComponent(JSON.stringify(setup))}` : ''));
    const frame = await until(async () => page.frames().find((f) => f.url().endsWith(href)),
        (f) => f, 'the page\'s frame');
    await until(() => frame.evaluate(frameState), (s) => s.focus === 'Command1', 'the game', 8000);
    if (rapide)
        await frame.$eval('#mnuRapide', (item) => item.click());
    await frame.focus('#Command1');
    await page.keyboard.press('Enter');
    const calls = () => page.evaluate(() => window.calls);
    return { page, frame, calls, held: () => page.evaluate(() => window.held()) };
}

// The page goes (pagehide); the platform's log once the session is finished.
const leave = async (frame, calls) => (await frame.goto('about:blank'),
    until(calls, (log) => log.some((c) => c[0] === 'LMSFinish'), 'LMSFinish'));

const sets = (log, element) => log.filter((c) => c[0] === 'LMSSetValue' && element.test(c[1]))
    .map((c) => c[2]);

// A first visit, under a mastery score of 70: 8 out of 10, "Continuer", 3 out of 10, "Oui".
{
    const { page, frame, calls, held } = await openPlatform('scorm-again',
        { setup: { mastery: '70' } });
    await series(page, frame, marks(8));
    await page.keyboard.press('Enter'); // "Continuer"
    equal((await series(page, frame, marks(3))).form2Label1, 'Votre score est de 11 sur 20',
        'the game counts as before');
    await page.keyboard.press('Alt+q');
    await until(() => frame.evaluate(frameState), (s) => s.form3 && s.focus === 'Form3.Command2',
        'quit confirmation');
    await page.keyboard.press('Shift+Tab');
    await page.keyboard.press('Enter'); // "Oui"
    const log = await until(calls, (log) => log.some((c) => c[0] === 'LMSFinish'), 'LMSFinish');

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

// At "Rapide" against a mastery score of 90, answers of every kind the box takes: the teacher
// reads what the child left in the box, judged as the game judged it; 7 out of 10 is failed.
{
    const { page, frame, calls, held } = await openPlatform('scorm-again',
        { setup: { mastery: '90' }, rapide: true });
    const answers = [right, (q) => [` ${q} `, true], (q) => [`${q}a`, true], (q) => [`${q - 1}.6`,
        true], () => ['sept', true], (q) => [`-${q}`, true], () => ['', false], (q) => [`${q}`,
        false], right, right];
    await series(page, frame, answers);
    const log = await leave(frame, calls);
    const typed = sets(log, /pattern$/).map((q, i) => answers[i](Number(q))[0]);
    equal([sets(log, /response$/), sets(log, /\.result$/).map((r) => r[0]).join(''),
        sets(log, /latency$/)[6], await held()], [typed, 'ccccwwwccc', '0000:00:02.50',
        ['70', 'failed', 10]], `responses as typed (${typed.map((t) => `"${t}"`)}), judged as ` +
        'the game judged them; a time-out takes the whole time; 70 is "failed" against 90');
    await page.close();
}

// The attempt reopened as Moodle gives back what it stored, in review mode: a worse series keeps
// 80 and "passed", and adds its answers after the first ten.
{
    const { page, frame, calls, held } = await openPlatform('scorm-again', { setup: { stored: {
        core: { score: { raw: '80', max: '100', min: '0' }, lesson_status: 'passed', entry: '',
            credit: 'no-credit', lesson_mode: 'review' }, interactions: { ...Array(10).fill({
            id: 'division_56_par_8', type: 'numeric', student_response: '7', result: 'correct' }) } } } });
    await series(page, frame, marks(3));
    const log = await leave(frame, calls);
    equal([sets(log, /score|status/), log.find((c) => /\.id$/.test(c[1]))[1], await held()],
        [['passed'], 'cmi.interactions.10.id', ['80', 'passed', 20]], 'a second visit, in review ' +
        'mode: 3 out of 10 keeps 80 and "passed"; its answers come after the first ten');
    await page.close();
}

// Left before the first series ends (the frame goes): suspended. A preview records nothing.
for (const mode of ['normal', 'browse']) {
    const { page, frame, calls } = await openPlatform('scorm-again',
        { setup: { stored: { core: { lesson_mode: mode } } } });
    await until(() => frame.evaluate(frameState), (s) => s.label7 === prompt, 'a question', 8000);
    const log = await leave(frame, calls);
    equal(log.filter((c) => c[0] === 'LMSSetValue').map((c) => c.slice(1, 3).join('=')),
        mode === 'browse' ? [] : ['cmi.core.lesson_status=incomplete', 'cmi.core.exit=suspend',
            `cmi.core.session_time=${sets(log, /session_time/)[0]}`],
    mode === 'browse' ? 'a preview records nothing' : 'left before a series ends: suspended');
    await page.close();
}

for (const [kind, via] of [['scorm-again', 'other-origin'], ['throws'], ['false']]) {
    const { page, frame, calls } = await openPlatform(kind, { via });
    const end = await series(page, frame, marks(10));
    equal([end.form2Label1, sets(await calls(), /\.result$/).length],
        ['Votre score est de 10 sur 10', kind === 'scorm-again' ? 10 : 0],
        via ? 'the API found past a frame of another origin' : `an API that ${kind === 'false'
            ? 'answers "false"' : kind}: a series played as ever`);
    await page.close();
}
await browser.close();

// ---- The installable site, in a profile of its own (chromium installs nothing in incognito) ---

const site = await chromium.launchPersistentContext(join(work, 'profile'), {
    executablePath: '/usr/bin/chromium', headless: true, args: chromiumFlags });
const page = site.pages()[0];
await page.goto(`http://127.0.0.1:${port}/site/`);
await page.evaluate(() => navigator.serviceWorker.ready);
const cdp = await site.newCDPSession(page);
equal([(await cdp.send('Page.getInstallabilityErrors')).installabilityErrors,
    (await cdp.send('Page.getAppManifest')).errors], [[], []],
'chromium finds the site installable, its manifest without error');

server.closeAllConnections();
await new Promise((resolve) => server.close(resolve));
await page.reload();
await until(() => page.evaluate(frameState), (s) => s.focus === 'Command1', 'the game offline');
await page.keyboard.press('Enter');
const s = await until(() => page.evaluate(frameState), (s) => s.label1, 'a question offline');
equal([await fetch(`http://127.0.0.1:${port}/site/`).then(() => 'up', () => 'gone'), await page
    .evaluate(() => !!navigator.serviceWorker.controller), Number(s.label1) % Number(s.label3)],
['gone', true, 0], `with the server gone, the worker's copy plays: ${s.label1} : ${s.label3}`);

newVersion = true;
await listen();
await page.reload();
equal(await page.title(), 'Calcaro CM1, nouvelle', 'the new version at the next visit');
await site.close();
server.close();
rmSync(work, { recursive: true, force: true });
finish();
