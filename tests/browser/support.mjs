// Holds the page to the browsers of package.json's browserslist: every script of the built page
// parses as ES2017 (es-check), the page's own scripts call no API that one of them lacks
// (eslint-plugin-compat), and its style uses no CSS feature that one of them lacks (doiuse),
// but for the ones marked, each beside its rule, as a progressive enhancement.
//   node support.mjs es2017|api|css PAGE WEB-SOURCE-DIR
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';

const require = createRequire(import.meta.url);
const [check, page, webDir] = process.argv.slice(2);
const web = resolve(webDir);
const browsers = require('browserslist').loadConfig({ path: web });

// Each finding is one line; the test fails on any.
async function es2017() {
    const dir = mkdtempSync(join(tmpdir(), 'calcaro-scripts-'));
    try {
        // The page's own, and the module the page runs later; not the module's memory (data).
        const scripts = [...readFileSync(page, 'utf8')
            .matchAll(/<script(?![^>]*"module-memory")[^>]*>([\s\S]*?)<\/script>/g)];
        const files = scripts.map((s, i) => join(dir, `script-${i + 1}.js`));
        scripts.forEach((s, i) => writeFileSync(files[i], s[1]));
        const cli = join(dirname(require.resolve('es-check')), 'cli', 'index.js');
        try {
            execFileSync(process.execPath, [cli, 'es2017', ...files], { stdio: 'pipe' });
        } catch (e) {
            return [`${files.length} scripts: ${e.stdout}${e.stderr}`];
        }
        console.log(`${files.length} scripts of the page parse as ES2017`);
        return files.length === 3 ? [] : [`${files.length} scripts, expected the module and the ` +
            'page\'s two'];
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
    if (!found.length) {
        console.log(`${results.map((r) => r.filePath.slice(web.length + 1)).join(', ')} use no ` +
                    `API missing from ${browsers.join(', ')}, and parse as ES2017`);
    }
    return found;
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
    if (!found.length)
        console.log(`calcaro.css uses nothing missing from ${browsers.join(', ')} but its enhancements`);
    return found;
}

const checks = { es2017, api, css };
if (!checks[check]) {
    console.error('usage: node support.mjs es2017|api|css PAGE WEB-SOURCE-DIR');
    process.exit(2);
}
const found = await checks[check]();
for (const line of found)
    console.log(`FAIL ${line}`);
console.log(`${found.length ? 0 : 1} passed, ${found.length ? 1 : 0} failed`);
process.exit(found.length ? 1 : 0);
