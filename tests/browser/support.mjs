// Holds the page to the browsers of package.json's browserslist: every script of the built page
// parses as ES2017 (es-check), the page's own scripts call no API that one of them lacks
// (eslint-plugin-compat), and its style uses no CSS feature that one of them lacks (doiuse),
// but for the ones marked, each beside its rule, as a progressive enhancement.
//   node support.mjs es2017|api|css PAGE WEB-SOURCE-DIR
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { check, finish, require } from './game.mjs';

const [which, page, webDir] = process.argv.slice(2);
const web = resolve(webDir);
const browsers = require('browserslist').loadConfig({ path: web });

// Each check gives its findings, one a line (it fails on any), and what it held the page to.
async function es2017() {
    const dir = mkdtempSync(join(tmpdir(), 'calcaro-scripts-'));
    try {
        // The page's own, and the module the page runs later.
        const scripts = [...readFileSync(page, 'utf8')
            .matchAll(/<script[^>]*>([\s\S]*?)<\/script>/g)];
        const files = scripts.map((s, i) => join(dir, `script-${i + 1}.js`));
        scripts.forEach((s, i) => writeFileSync(files[i], s[1]));
        const cli = join(dirname(require.resolve('es-check')), 'cli', 'index.js');
        const what = `${files.length} scripts of the page parse as ES2017`;
        try {
            execFileSync(process.execPath, [cli, 'es2017', ...files], { stdio: 'pipe' });
        } catch (e) {
            return [[`${e.stdout}${e.stderr}`], what];
        }
        return [files.length === 3 ? [] : ['expected 3: the module and the page\'s two'], what];
    } finally {
        rmSync(dir, { recursive: true, force: true });
    }
}

async function api() {
    const { ESLint } = require('eslint');
    const eslint = new ESLint({
        cwd: web,
        overrideConfigFile: true,
        overrideConfig: [{
            files: ['**/*.js'],
            plugins: { compat: require('eslint-plugin-compat') },
            languageOptions: { ecmaVersion: 2017, sourceType: 'script' },
            settings: { browsers },
            rules: { 'compat/compat': 'error' },
        }],
    });
    // The page's scripts, and the installable site's service worker.
    const results = await eslint.lintFiles(['page/*.js', 'platform/*.js', 'publish/*.js']);
    const found = results.flatMap((r) => r.messages.map((m) =>
        `${r.filePath}:${m.line}:${m.column}: ${m.message}`));
    return [found, `${results.map((r) => r.filePath.slice(web.length + 1)).join(', ')} use no ` +
        `API missing from ${browsers.join(', ')}, and parse as ES2017`];
}

async function css() {
    const postcss = require('postcss');
    const doiuse = require('doiuse');
    const file = join(web, 'page', 'calcaro.css');
    const source = readFileSync(file, 'utf8');
    const found = [];
    await postcss([doiuse({
        browsers,
        onFeatureUsage: (usage) => {
            // Partly supported is supported: what is missing is what counts.
            if (!Object.keys(usage.featureData.missing || {}).length)
                return;
            const line = usage.usage.source.start.line;
            // A feature the game works without is marked so on its line or in the comment just
            // before it.
            const near = source.split('\n').slice(Math.max(0, line - 5), line).join('\n');
            if (!/enhancement:/.test(near))
                found.push(`${file}:${line}: ${usage.message}`);
        },
    })]).process(source, { from: file });
    return [found, `calcaro.css uses nothing missing from ${browsers.join(', ')} but its ` +
        'enhancements'];
}

const checks = { es2017, api, css };
if (!checks[which]) {
    console.error('usage: node support.mjs es2017|api|css PAGE WEB-SOURCE-DIR');
    process.exit(2);
}
const [found, what] = await checks[which]();
check(!found.length, what, `\n${found.join('\n')}`);
finish();
