// How soon the page is ready for the child on a slow device: calcaro.html opened from disk in
// Debian's chromium with its CPU slowed by DevTools (1×; 4×, Lighthouse's mobile preset, about an
// iPad Air 2; 6×, about an iPad Air 1 or mini 2), each load in a fresh context. Two moments, timed
// from the start of the navigation: "window drawn", when the main window's title is first painted
// (Element Timing), and "Démarrer takes a press", when the main window is shown with "Démarrer"
// enabled, which the game does as it starts. Prints the median of the runs at each speed. A
// measure, never a test: it fails only when the page does not come up.
//   node bench/web-start.mjs PAGE [--runs N] [--rates 1,4,6] [--trace FILE.json]
// --trace: one more load at 4× (or the first rate), recorded as a DevTools performance trace in
// FILE.json, and the main thread's time by kind of work printed. --profile: one more load there
// with V8's sampling profiler (every 100 µs), saved in FILE.cpuprofile (DevTools opens it), and
// the functions that took the most time printed, before and after the window is drawn; a module
// linked with --profiling-funcs has the C++ functions' names. NODE_PATH names the browser
// tests' modules (build-web/browser-tests/node_modules).
import { readFileSync, writeFileSync } from 'node:fs';
import { chromium, fileUrl } from '../tests/browser/game.mjs';

const args = process.argv.slice(2);
const option = (name, fallback) => {
    const at = args.indexOf(name);
    return at < 0 ? fallback : args.splice(at, 2)[1];
};
const runs = Number(option('--runs', 5));
const rates = option('--rates', '1,4,6').split(',').map(Number);
const traceFile = option('--trace', null);
const profileFile = option('--profile', null);
const [pagePath] = args;
if (!pagePath) {
    console.error('usage: node bench/web-start.mjs PAGE [--runs N] [--rates 1,4,6] ' +
                  '[--trace FILE] [--profile FILE]');
    process.exit(2);
}

// Run in the page before its own scripts: notes when the main window's title is first drawn (the
// page marks it for Element Timing) and when "Démarrer" first takes a press, and once both are
// known says them on the console. Nothing else reaches into the page meanwhile: a script
// evaluated from outside during the load would cost the page time (Playwright's own is 300 KB),
// as would one called as the parser adds each part of the page.
function watch() {
    const seen = { drawn: null, ready: null };
    const tell = () => seen.drawn !== null && seen.ready !== null &&
        console.log(`calcaro-start ${JSON.stringify(seen)}`);
    new PerformanceObserver((list) => {
        for (const e of list.getEntries()) {
            if (e.identifier === 'window' && seen.drawn === null) {
                seen.drawn = e.renderTime || e.loadTime;
                tell();
            }
        }
    }).observe({ type: 'element', buffered: true });
    const get = (id) => document.getElementById(id);
    const started = new MutationObserver(() => {
        const start = get('Command1');
        if (start && !get('form1').hidden && !start.disabled) {
            seen.ready = performance.now();
            started.disconnect();
            tell();
        }
    });
    started.observe(document, { subtree: true, attributes: true,
        attributeFilter: ['hidden', 'disabled'] });
}

async function load(browser, rate, { trace, profile } = {}) {
    const context = await browser.newContext({ viewport: { width: 1024, height: 768 } });
    const page = await context.newPage();
    await page.addInitScript(watch);
    const cdp = await context.newCDPSession(page);
    await cdp.send('Emulation.setCPUThrottlingRate', { rate });
    if (trace)
        await browser.startTracing(page, { path: trace, screenshots: false });
    if (profile) {
        await cdp.send('Profiler.enable');
        await cdp.send('Profiler.setSamplingInterval', { interval: 100 });
        await cdp.send('Profiler.start');
    }
    const told = page.waitForEvent('console', { timeout: 60000,
        predicate: (m) => m.text().startsWith('calcaro-start ') });
    await page.goto(fileUrl(pagePath));
    const seen = JSON.parse((await told).text().slice('calcaro-start '.length));
    if (trace)
        await browser.stopTracing();
    if (profile)
        seen.profile = (await cdp.send('Profiler.stop')).profile;
    await context.close();
    return seen;
}

// The profile's samples by function (its own time, less the functions it called) before and
// after the window was drawn. The profile stops just after "Démarrer" took its press, which
// places the navigation's start on the profile's clock. "(program)" is the browser's own work.
function byFunction(profile, seen, top = 25) {
    const nodes = new Map(profile.nodes.map((n) => [n.id, n]));
    const end = profile.startTime + profile.timeDeltas.reduce((a, b) => a + b, 0);
    const start = end - seen.ready * 1000;
    const tables = [new Map(), new Map()];
    let t = profile.startTime;
    profile.samples.forEach((id, i) => {
        t += profile.timeDeltas[i];
        const next = profile.timeDeltas[i + 1] || 0;
        if (t < start)
            return;
        const { functionName, lineNumber } = nodes.get(id).callFrame;
        const name = `${(functionName || '(anonymous)').slice(0, 70)} :${lineNumber + 1}`;
        const table = tables[t < start + seen.drawn * 1000 ? 0 : 1];
        table.set(name, (table.get(name) || 0) + next / 1000);
    });
    return ['until the window is drawn', 'after, until "Démarrer" takes a press'].map((when, k) =>
        [`${when} (ms):`, ...[...tables[k]].sort((a, b) => b[1] - a[1]).slice(0, top)
            .map(([name, ms]) => `${ms.toFixed(1).padStart(7)}  ${name}`)].join('\n')).join('\n');
}

// Where the renderer's main thread spent the load, up to "Démarrer" taking a press: each event's
// own time (less what ran inside it), by kind of work, before and after the window was drawn.
const kinds = [
    // The new document made, and the file's bytes handed to it, in the browser's messages.
    ['the navigation and the file taken in', /^(Receive mojo message|ResourceReceivedData)$/],
    ['HTML parsed', /^ParseHTML$/],
    ['scripts compiled', /^(v8\.compile|v8\.parseOnBackground|V8\.CompileCode)$/],
    ['scripts run', new RegExp('^(EvaluateScript|FunctionCall|RunMicrotasks|TimerFire|' +
        'FireAnimationFrame|EventDispatch|' +
        'V8\\.(Bytecode|HandleInterrupts|InvokeApi|StackGuard).*)$')],
    ['style and layout', /^(UpdateLayoutTree|Layout|RecalculateStyles)$/],
    ['painting', /^(PrePaint|Paint|PaintImage|Layerize|Commit|UpdateLayer|Decode Image)$/],
    ['garbage collection', /GC|Sweep|Mark/],
];
function breakdown(file, seen) {
    const { traceEvents } = JSON.parse(readFileSync(file, 'utf8'));
    const main = traceEvents.find((e) => e.name === 'thread_name' &&
        e.args.name === 'CrRendererMain' && traceEvents.some((n) => n.pid === e.pid &&
        n.name === 'ParseHTML'));
    const start = traceEvents.find((e) => e.name === 'navigationStart' && e.pid === main.pid).ts;
    const at = (ms) => start + ms * 1000;
    const events = traceEvents.filter((e) => e.pid === main.pid && e.tid === main.tid &&
        e.ph === 'X' && e.ts >= start && e.ts < at(seen.ready))
        .sort((a, b) => a.ts - b.ts || b.dur - a.dur);
    const self = new Map();
    const stack = [];
    for (const e of events) {
        while (stack.length && stack.at(-1).ts + stack.at(-1).dur <= e.ts)
            stack.pop();
        if (stack.length)
            self.set(stack.at(-1), self.get(stack.at(-1)) - e.dur);
        self.set(e, e.dur);
        stack.push(e);
    }
    const table = kinds.map(([what]) => [what, 0, 0]).concat([['other', 0, 0]]);
    for (const [e, us] of self) {
        const k = kinds.findIndex(([, re]) => re.test(e.name));
        table[k < 0 ? table.length - 1 : k][e.ts < at(seen.drawn) ? 1 : 2] += us / 1000;
    }
    const ms = (v) => String(Math.round(v));
    return ['| the main thread\'s time (ms) | until the window is drawn | ' +
        'after, until "Démarrer" takes a press |', '|---|---|---|',
    ...table.map(([what, before, after]) => `| ${what} | ${ms(before)} | ${ms(after)} |`),
    `| (wall clock) | ${ms(seen.drawn)} | ${ms(seen.ready - seen.drawn)} |`].join('\n');
}

const median = (values) => {
    const s = [...values].sort((a, b) => a - b);
    return s.length % 2 ? s[(s.length - 1) / 2] : (s[s.length / 2 - 1] + s[s.length / 2]) / 2;
};

const browser = await chromium();
try {
    const version = `Chromium ${browser.version()}`;
    await load(browser, 1); // warms the disk cache and the browser
    const rows = [];
    for (const rate of rates) {
        const seen = [];
        for (let i = 0; i < runs; i++)
            seen.push(await load(browser, rate));
        rows.push({ rate, drawn: median(seen.map((s) => s.drawn)),
            ready: median(seen.map((s) => s.ready)) });
    }
    console.log(`calcaro.html from file:// in ${version}, CPU slowed by DevTools, ` +
                `median of ${runs} loads (ms from the navigation's start):`);
    console.log('| CPU | window drawn | "Démarrer" takes a press |');
    console.log('|---|---|---|');
    for (const r of rows)
        console.log(`| ${r.rate}× | ${Math.round(r.drawn)} | ${Math.round(r.ready)} |`);
    const rate = rates.includes(4) ? 4 : rates[0];
    if (traceFile) {
        const seen = await load(browser, rate, { trace: traceFile });
        console.log(`\nOne more load at ${rate}×, traced into ${traceFile}:`);
        console.log(breakdown(traceFile, seen));
    }
    if (profileFile) {
        const seen = await load(browser, rate, { profile: true });
        writeFileSync(profileFile, JSON.stringify(seen.profile));
        console.log(`\nOne more load at ${rate}×, profiled into ${profileFile}:`);
        console.log(byFunction(seen.profile, seen));
    }
} finally {
    await browser.close();
}
