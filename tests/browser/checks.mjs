// What every browser test shares: its checks, printed one a line, and its patience.
export const results = { passed: 0, failed: 0 };

export function check(ok, what, detail) {
    results[ok ? 'passed' : 'failed']++;
    console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}${!ok && detail ? `: ${detail}` : ''}`);
    return ok;
}

export const equal = (actual, expected, what) => check(
    JSON.stringify(actual) === JSON.stringify(expected), what,
    `${JSON.stringify(actual)}, expected ${JSON.stringify(expected)}`);

export const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

// Polls `read` until `condition` holds of what it gives, which it returns.
export async function until(read, condition, what, timeoutMs = 4000) {
    for (const end = Date.now() + timeoutMs; ;) {
        const seen = await read();
        if (condition(seen))
            return seen;
        if (Date.now() > end)
            throw new Error(`no ${what} after ${timeoutMs} ms; seen ${JSON.stringify(seen)}`);
        await sleep(20);
    }
}

// Waits, in the page, until `fn` (given `arg`) holds; returns what it gave.
export async function untilInPage(page, fn, what, arg) {
    try {
        return (await page.waitForFunction(fn, arg, { timeout: 8000 })).jsonValue();
    } catch {
        throw new Error(`no ${what}`);
    }
}

// The end of a test: its summary, and its status (failed when nothing was checked).
export function finish() {
    console.log(`${results.passed} passed, ${results.failed} failed`);
    process.exit(results.failed || !results.passed ? 1 : 0);
}
