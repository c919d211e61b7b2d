// The SCORM package and the installable site in Debian's chromium, served on 127.0.0.1.
// - The package as a learning platform opens it: its manifest read as an importer reads it, then
//   the page in an iframe at the href the manifest names, under a platform page that hosts the
//   SCORM 1.2 API of scorm-again, the runtime platforms embed. Two series by keyboard give the
//   platform twenty interactions, each accepted, the best score and the status, and "Oui"
//   ends the session. The API is found past a frame of another origin; an API that throws or
//   answers "false" leaves the game playing.
// - The site: installable, as chromium judges it, and playing with the server gone.
//   node lms.mjs PACKAGE.zip SITE_DIR [SCREENSHOT.png]
import { execFileSync } from 'node:child_process';
import { readFileSync, mkdtempSync, rmSync } from 'node:fs';
import { createServer } from 'node:http';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { dirname, extname, join, normalize } from 'node:path';
import { chromiumFlags } from './browser.mjs';
import { check, equal, finish, until } from './checks.mjs';

const require = createRequire(import.meta.url);
const { chromium } = require('playwright-core');
const [packagePath, siteDir, screenshot] = process.argv.slice(2);
const prompt = 'Donne ta réponse et appuie sur ENTREE';

// The package, unpacked as an importer does.
const work = mkdtempSync(join(tmpdir(), 'calcaro-lms-'));
const unpacked = join(work, 'package');
execFileSync('python3', ['-m', 'zipfile', '-e', packagePath, unpacked]);
const zipped = execFileSync('python3', ['-c', 'import sys, zipfile; print("\\n".join(' +
    'zipfile.ZipFile(sys.argv[1]).namelist()))', packagePath], { encoding: 'utf8' }).trim().split('\n');

// The platform's page, with the API of its kind: scorm-again's (every call and its answer kept in
// `calls`), or one whose every call throws, or answers "false".
const platform = (kind, frame) => `<!DOCTYPE html><meta charset="utf-8"><title>Plateforme</title>
<script src="/scorm12.js"></script><script>
window.calls = [];
const runtime = new Scorm12API({ logLevel: 5 });
runtime.cmi.student_data.mastery_score = '7';
window.API = {};
for (const name of ['LMSInitialize', 'LMSFinish', 'LMSGetValue', 'LMSSetValue', 'LMSCommit',
    'LMSGetLastError', 'LMSGetErrorString', 'LMSGetDiagnostic'])
    API[name] = (...args) => {
        if (${JSON.stringify(kind)} === 'throws')
            throw new Error('the platform is down');
        const answer = ${JSON.stringify(kind)} === 'false' ? 'false' : runtime[name](...args);
        calls.push([name, ...args, answer]);
        return answer;
    };
</script><style>body { margin: 0; font: 15px sans-serif; background: #f4f5f7; }
header { background: #1d4f91; color: white; padding: 10px 20px; font-size: 18px; }
nav { padding: 8px 20px; color: #333; } iframe { display: block; margin: 0 20px; border: 1px solid #ccd; }
</style><header>Plateforme de l’école</header><nav>CM1 › Mathématiques › Calcaro CM1</nav>
<iframe id="sco" src="${frame}" width="1000" height="720"></iframe>`;

const types = { '.html': 'text/html', '.js': 'text/javascript', '.png': 'image/png',
    '.webmanifest': 'application/manifest+json', '.xml': 'application/xml' };
const scormAgain = join(dirname(require.resolve('scorm-again/package.json')), 'dist/scorm12.js');
const server = createServer((request, response) => {
    const url = new URL(request.url, 'http://127.0.0.1');
    const reply = (body, type) => {
        response.writeHead(200, { 'Content-Type': type, 'Cache-Control': 'no-cache' });
        response.end(body);
    };
    const file = (root, path) => {
        const inside = normalize(join(root, path === '' || path.endsWith('/') ? path + 'index.html' : path));
        try {
            reply(readFileSync(inside), types[extname(inside)] || 'application/octet-stream');
        } catch {
            response.writeHead(404).end();
        }
    };
    const sco = `http://127.0.0.1:${port}/package/${href}`;
    if (url.pathname === '/platform')
        reply(platform(url.searchParams.get('api'), url.searchParams.get('via') === 'other-origin'
            ? `http://localhost:${port}/player` : sco), 'text/html');
    else if (url.pathname === '/player') // a frame of another origin between the two
        reply(`<!DOCTYPE html><iframe src="${sco}" width="1000" height="720"></iframe>`, 'text/html');
    else if (url.pathname === '/scorm12.js')
        file(dirname(scormAgain), 'scorm12.js');
    else if (url.pathname.startsWith('/package/'))
        file(unpacked, url.pathname.slice('/package/'.length));
    else if (url.pathname.startsWith('/site/'))
        file(siteDir, url.pathname.slice('/site/'.length));
    else
        response.writeHead(404).end();
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const { port } = server.address();

// ---- The manifest, as an importer reads it ------------------------------------------------

const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', headless: true,
    args: [...chromiumFlags, '--host-resolver-rules=MAP localhost 127.0.0.1'] });
const manifestPage = await browser.newPage();
const manifest = await manifestPage.evaluate((xml) => {
    const doc = new DOMParser().parseFromString(xml, 'application/xml');
    const all = (name) => Array.from(doc.getElementsByTagName(name));
    const scos = all('resource').filter((r) => r.getAttribute('adlcp:scormtype') === 'sco');
    return { error: all('parsererror').length > 0,
        schema: all('schemaversion').map((e) => e.textContent),
        organizations: all('organization').length, items: all('item').length,
        title: all('title').map((e) => e.textContent)[0],
        version: doc.documentElement.getAttribute('version'),
        itemRef: all('item').map((i) => i.getAttribute('identifierref')),
        scos: scos.map((r) => r.getAttribute('identifier')),
        href: scos.map((r) => r.getAttribute('href'))[0],
        files: all('file').map((f) => f.getAttribute('href')) };
}, readFileSync(join(unpacked, 'imsmanifest.xml'), 'utf8'));
const href = manifest.href;
equal([manifest.error, manifest.schema, manifest.organizations, manifest.items, manifest.title],
    [false, ['1.2'], 1, 1, 'Calcaro CM1'], 'manifest: SCORM 1.2, one organization, one item');
equal([manifest.scos, manifest.itemRef], [['page'], ['page']], 'the item is the one SCO');
check(/^\d+\.\d\d$/.test(manifest.version), `manifest of version ${manifest.version}`);
check([href, ...manifest.files].every((f) => zipped.includes(f)),
    `every file of the SCO is in the package (${zipped.join(', ')})`);
await manifestPage.close();

// ---- The package, opened by the platform -----------------------------------------------------

const frameState = () => {
    const get = (id) => document.getElementById(id);
    const dialog = (id) => get(id).open && !get(id).hidden && !get(id).hasAttribute('data-leaving');
    return { label1: get('Label1').textContent, label3: get('Label3').textContent,
        label7: get('Label7').textContent, form2: dialog('Form2'), form3: dialog('Form3'),
        form2Label1: get('Form2.Label1').textContent, goodbye: !get('goodbye').hidden,
        focus: document.activeElement && document.activeElement.id };
};

// Ten questions by keyboard, the first `right` of them answered right; the series-end dialog.
async function series(page, frame, right) {
    const read = () => frame.evaluate(frameState);
    for (let n = 0; n < 10; ++n) {
        const s = await until(read, (s) => s.label7 === prompt && s.label1 && s.focus === 'Text1',
            `question ${n + 1}`, 8000);
        const quotient = Math.floor(Number(s.label1) / Number(s.label3));
        await page.keyboard.type(String(n < right ? quotient : quotient + 1));
        await page.keyboard.press('Enter');
        await until(read, (s) => s.label7 !== prompt, `feedback ${n + 1}`, 8000);
    }
    return until(read, (s) => s.form2 && s.focus === 'Form2.Command1', 'series-end dialog', 8000);
}

async function openPlatform(kind, via = 'direct') {
    const page = await browser.newPage();
    await page.goto(`http://127.0.0.1:${port}/platform?api=${kind}&via=${via}`);
    const frame = await until(async () => page.frames().find((f) => f.url().endsWith(href)),
        (f) => f, 'the SCO\'s frame');
    await until(() => frame.evaluate(() => !document.getElementById('form1').hidden),
        (shown) => shown, 'main window', 8000);
    await frame.focus('#Command1');
    await page.keyboard.press('Enter');
    return { page, frame };
}

const calls = (page) => page.evaluate(() => window.calls);
const sets = (log, element) => log.filter((c) => c[0] === 'LMSSetValue' && element.test(c[1]))
    .map((c) => c[2]);

{
    const { page, frame } = await openPlatform('scorm-again');
    if (screenshot) {
        await page.setViewportSize({ width: 1040, height: 840 });
        await until(() => frame.evaluate(frameState), (s) => s.label7 === prompt && s.label1,
            'question 1');
        await page.screenshot({ path: screenshot });
    }
    await series(page, frame, 8);
    await page.keyboard.press('Enter'); // "Continuer"
    const end = await series(page, frame, 3);
    equal(end.form2Label1, 'Votre score est de 11 sur 20', 'the game counts on as before');
    await page.keyboard.press('Alt+q');
    await until(() => frame.evaluate(frameState), (s) => s.form3 && s.focus === 'Form3.Command2',
        'quit confirmation');
    await page.keyboard.press('Shift+Tab');
    await page.keyboard.press('Enter'); // "Oui"
    await until(() => frame.evaluate(frameState), (s) => s.goodbye, 'goodbye screen');
    const log = await until(() => calls(page), (log) => log.some((c) => c[0] === 'LMSFinish'),
        'LMSFinish');

    const refused = log.filter((c) => c[0] === 'LMSSetValue' && c[3] !== 'true');
    equal(refused, [], 'scorm-again accepts every value the game sets');
    equal(log[0], ['LMSInitialize', '', 'true'], 'LMSInitialize first');
    const ids = sets(log, /^cmi\.interactions\.\d+\.id$/);
    const results = sets(log, /\.result$/);
    equal([ids.length, results.filter((r) => r === 'correct').length], [20, 11],
        'twenty interactions, eleven correct');
    check(ids.every((id) => /^division_\d+_par_\d+$/.test(id)), `interactions named ${ids[0]}…`);
    equal(sets(log, /\.type$/).every((t) => t === 'numeric'), true, 'numeric interactions');
    check(sets(log, /\.latency$/).every((t) => /^0000:00:0\d\.\d\d$/.test(t)),
        `latencies ${sets(log, /\.latency$/).slice(0, 2).join(', ')}…`);
    equal(sets(log, /^cmi\.core\.score\.(raw|max|min)$/), ['0', '10', '8'],
        'the best series: 8 out of 10, kept through a worse one');
    equal(sets(log, /lesson_status$/), ['incomplete', 'passed', 'passed'],
        'incomplete, then passed against the mastery score of 7');
    equal(log.filter((c) => c[0] === 'LMSCommit').length, 2, 'a commit at each series\' end');
    const last = log.slice(-2).map((c) => c.slice(0, 2));
    equal(last, [['LMSSetValue', 'cmi.core.session_time'], ['LMSFinish', '']],
        'the session time, then LMSFinish, last');
    await page.close();
}

{
    // Past a frame of another origin: one question answered reaches the platform.
    const { page, frame } = await openPlatform('scorm-again', 'other-origin');
    const s = await until(() => frame.evaluate(frameState), (s) => s.label7 === prompt && s.label1,
        'question 1');
    await page.keyboard.type(String(Math.floor(Number(s.label1) / Number(s.label3))));
    await page.keyboard.press('Enter');
    const log = await until(() => calls(page), (log) => sets(log, /\.result$/).length === 1,
        'the interaction');
    equal(sets(log, /\.result$/), ['correct'], 'the API found past a frame of another origin');
    await page.close();
}

for (const kind of ['throws', 'false']) {
    const { page, frame } = await openPlatform(kind);
    const end = await series(page, frame, 10);
    equal(end.form2Label1, 'Votre score est de 10 sur 10', `a series played with an API that ${
        kind === 'throws' ? 'throws' : 'answers "false"'}`);
    await page.close();
}

// ---- The installable site ---------------------------------------------------------------------

{
    // A profile of its own: chromium installs nothing from an incognito window.
    const context = await chromium.launchPersistentContext(join(work, 'profile'), {
        executablePath: '/usr/bin/chromium', headless: true, args: chromiumFlags });
    const page = context.pages()[0] || await context.newPage();
    await page.goto(`http://127.0.0.1:${port}/site/`);
    await page.evaluate(() => navigator.serviceWorker.ready);
    const cdp = await context.newCDPSession(page);
    const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
    equal(installabilityErrors, [], 'chromium finds the site installable');
    const { errors } = await cdp.send('Page.getAppManifest');
    equal(errors, [], 'the web app manifest has no error');

    server.closeAllConnections();
    await new Promise((resolve) => server.close(resolve));
    await page.reload();
    const read = () => page.evaluate(() => ({ shown: !document.getElementById('form1').hidden,
        label1: document.getElementById('Label1').textContent }));
    await until(read, (s) => s.shown, 'main window with the server gone', 8000);
    await page.focus('#Command1');
    await page.keyboard.press('Enter');
    const s = await until(read, (s) => s.label1, 'a question with the server gone', 8000);
    check(true, `offline, a reload plays: ${s.label1} : …`);
    await context.close();
}

await browser.close();
rmSync(work, { recursive: true, force: true });
finish();
