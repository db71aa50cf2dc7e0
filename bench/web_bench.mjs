// The browser edition's figures, measured by hand (never in CI):
//
//     node bench/web_bench.mjs [BUILD_WEB] [NATIVE_BUILD] [BENCH_BUILD]
//
// with the site built (./build.sh web, or the web preset), the native
// build's vurp-replay and vurp-check, and the bench preset's
// vurp_logic_bench. It prints, all measured in the one run:
// - the bytes the page downloads, gzip-compressed as served, at device pixel
//   ratios 1 and 2: until it is ready to play, and with the pictures of a
//   first deal; the service worker's own fetches apart;
// - the first load until the page can be played, and a reload, as the
//   browser's driver waits for them and as the page itself counts from the
//   start of its navigation (its mark vurp-ready);
// - a click on the table until the page has been laid out anew (p50, p90,
//   p99), in a scripted game and in one kept in the storage as a player's
//   is, and the same on a bare page with a few changes, the floor the
//   browser sets on this machine;
// - long games through the driver in WebAssembly (node) against the native
//   driver;
// - a deal through the module, its changes built, read and parsed as the
//   page does (bench/web_deals.mjs), against the same deals natively
//   (BM_PageDeal) and the game alone (BM_RandomDeal).
// Needs puppeteer-core (npm ci in web/test) and Debian's chromium.
import { execFileSync } from 'node:child_process';
import { createRequire } from 'node:module';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const source = path.resolve(here, '..');
const buildWeb = path.resolve(process.argv[2] ?? path.join(source, 'build-web'));
const buildNative = path.resolve(process.argv[3] ?? path.join(source, 'build'));
const buildBench = path.resolve(process.argv[4] ?? path.join(source, 'build-bench'));
const require = createRequire(path.join(source, 'web', 'test', 'package.json'));
const puppeteer = require('puppeteer-core');
const { serve } = await import(path.join(source, 'web', 'serve.mjs'));
const { dealTimes } = await import(path.join(here, 'web_deals.mjs'));

const site = path.join(buildWeb, 'site');
const server = await serve(site);
const browser = await puppeteer.launch({
    executablePath: process.env.VURP_CHROMIUM ?? '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run'],
});

// Headless Chromium loads its own pages for every new window (its omnibox's,
// in a renderer of their own) during the window's first second or so; on two
// cores that work was measured with the page's: a first load of 470 ms and a
// reload of 220 ms became 310 and 145 ms once the window had started. Each
// window is given time to start before anything is measured in it.
const windowStart = 2000;
async function newWindow(context) {
    const page = await context.newPage();
    await page.setViewport({ width: 1280, height: 800 });
    await new Promise((resolve) => setTimeout(resolve, windowStart));
    return page;
}
const loadRuns = 7;

const percentile = (values, p) => {
    const sorted = [...values].sort((a, b) => a - b);
    return sorted[Math.min(sorted.length - 1, Math.floor((p / 100) * sorted.length))];
};
const kb = (bytes) => `${(bytes / 1024).toFixed(1)} KB`;

// The bytes of the page's own requests as served (compressed where the
// server compresses), not the service worker's, which keeps the site for
// offline play behind the page.
async function bytes(ratio) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.setViewport({ width: 1280, height: 800, deviceScaleFactor: ratio });
    let total = 0;
    page.on('response', (response) => {
        total += Number(response.headers()['content-length'] ?? 0);
    });
    await page.goto(`${server.url}?pace=0`, { waitUntil: 'networkidle0' });
    // On a busy machine the network may fall idle before the page is ready.
    await page.waitForSelector('html[data-ready="true"]', { polling: 'mutation' });
    const ready = total;
    await page.click('#table [data-name="Razd"]');
    await page.waitForNetworkIdle();
    const dealt = total;
    await context.close();
    return { ready, dealt };
}

async function loading() {
    const first = [];
    const again = [];
    const inPage = [];
    const ready = (page) => page.evaluate(() => performance.getEntriesByName('vurp-ready')[0].startTime);
    for (let run = 0; run < loadRuns; ++run) {
        const context = await browser.createBrowserContext();
        const page = await newWindow(context);
        let start = Date.now();
        await page.goto(server.url, { waitUntil: 'domcontentloaded' });
        await page.waitForSelector('html[data-ready="true"]', { polling: 'mutation' });
        first.push(Date.now() - start);
        await page.evaluate(() => navigator.serviceWorker.ready);
        start = Date.now();
        await page.reload({ waitUntil: 'domcontentloaded' });
        await page.waitForSelector('html[data-ready="true"]', { polling: 'mutation' });
        again.push(Date.now() - start);
        inPage.push(await ready(page));
        await context.close();
    }
    return { first: percentile(first, 50), again: percentile(again, 50), inPage: Math.round(percentile(inPage, 50)) };
}

// A scripted game, which keeps nothing; with `kept`, a game as a player
// plays it, written to the browser's storage after every click.
async function clicks(kept = false) {
    const context = await browser.createBrowserContext();
    const page = await newWindow(context);
    await page.goto(kept ? `${server.url}?pace=0` : `${server.url}?script`);
    await page.waitForSelector('html[data-ready="true"]');
    const times = await page.evaluate((kept) => {
        if (!kept) {
            window.vurpPage.start('5');
        }
        const out = [];
        for (let k = 0; k < 2000; ++k) {
            const target = document.activeElement;
            if (!target || !target.dataset.name) {
                document.querySelector('#table [data-name="Razd"]').focus();
                continue;
            }
            const start = performance.now();
            target.click();
            // Style and layout of the changed table, as the next frame needs them.
            void document.body.offsetHeight;
            out.push(performance.now() - start);
        }
        return out;
    }, kept);
    await context.close();
    return spread(times);
}

const spread = (times) => ({ count: times.length, p50: percentile(times, 50), p90: percentile(times, 90), p99: percentile(times, 99) });

// The same measure on a bare page of 130 placed controls, where a click only
// moves the focus, writes ten new captions and enables or disables five
// buttons: what the browser itself takes on this machine for less than a
// click of the game changes.
async function browserFloor() {
    const page = await newWindow(browser);
    await page.setContent('<div id="t" style="position:absolute;transform:scale(1.2);font:8pt \'DejaVu Sans\'"></div>');
    const times = await page.evaluate(() => {
        const box = document.getElementById('t');
        for (let i = 0; i < 130; ++i) {
            const control = document.createElement(i % 3 ? 'button' : 'div');
            control.textContent = `Кнопка ${i}`;
            control.style.cssText = `position:absolute;left:${(i % 10) * 80}px;top:${Math.floor(i / 10) * 30}px;` +
                `width:75px;height:25px;overflow:hidden;z-index:${i + 1}`;
            box.append(control);
        }
        const buttons = [...box.querySelectorAll('button')];
        const out = [];
        for (let k = 0, caption = 0; k < 2000; ++k) {
            const start = performance.now();
            buttons[k % buttons.length].focus();
            for (let j = 0; j < 10; ++j) {
                box.children[(k * 7 + j * 13) % 130].firstChild.data = `Ход ${++caption}`;
            }
            for (let j = 0; j < 5; ++j) {
                buttons[(k + j * 11) % buttons.length].disabled = (k + j) % 2 === 0;
            }
            void document.body.offsetHeight;
            out.push(performance.now() - start);
        }
        return out;
    });
    await page.close();
    return spread(times);
}

function driverRuns() {
    const script = execFileSync(path.join(buildNative, 'check', 'vurp-check'),
                                ['--seed', '9', '--events', '10000', '--script'], { stdio: ['ignore', 'pipe', 'ignore'] });
    const time = (command, args, input) => {
        const start = process.hrtime.bigint();
        execFileSync(command, args, { input, stdio: ['pipe', 'ignore', 'ignore'], maxBuffer: 1 << 30 });
        return Number(process.hrtime.bigint() - start) / 1e6;
    };
    const best = (command, args, input) => Math.min(...[0, 1, 2].map(() => time(command, args, input)));
    const native = path.join(buildNative, 'replay', 'vurp-replay');
    const wasm = [process.execPath, '--no-experimental-fetch', path.join(buildWeb, 'replay', 'vurp-replay.js')];
    const empty = '';
    const nativeMs = best(native, ['-'], script) - best(native, ['-'], empty);
    const wasmMs = best(wasm[0], [...wasm.slice(1), '-'], script) - best(wasm[0], [...wasm.slice(1), '-'], empty);
    return { lines: script.toString().split('\n').length, nativeMs, wasmMs };
}

// The native deals, best of five runs each, in microseconds.
function nativeDeals() {
    const out = execFileSync(path.join(buildBench, 'bench', 'vurp_logic_bench'),
                             ['--benchmark_filter=^BM_(RandomDeal|PageDeal)$', '--benchmark_repetitions=5',
                              '--benchmark_format=json'], { stdio: ['ignore', 'pipe', 'ignore'] });
    const best = {};
    for (const run of JSON.parse(out).benchmarks.filter((b) => b.run_type === 'iteration')) {
        best[run.run_name] = Math.min(best[run.run_name] ?? Infinity, run.real_time);
    }
    return best;
}

const one = await bytes(1);
const two = await bytes(2);
console.log(`bytes (gzip), ratio 1: ${kb(one.ready)} until ready, ${kb(one.dealt)} with a first deal`);
console.log(`bytes (gzip), ratio 2: ${kb(two.ready)} until ready, ${kb(two.dealt)} with a first deal`);
const load = await loading();
console.log(
    `first load to ready: ${load.first} ms (median of ${loadRuns}), reload: ${load.again} ms ` +
        `(${load.inPage} ms in the page from its navigation)`,
);
const clickLine = (what, click) =>
    console.log(`${what}: p50 ${click.p50.toFixed(1)} ms, p90 ${click.p90.toFixed(1)} ms, p99 ${click.p99.toFixed(1)} ms (${click.count} clicks)`);
clickLine('click to laid-out page', await clicks());
clickLine('the same, the game kept in the storage after every click', await clicks(true));
clickLine('the browser alone, a bare page (focus, 10 captions, 5 buttons)', await browserFloor());
const runs = driverRuns();
console.log(
    `a long game (${runs.lines} script lines): native ${runs.nativeMs.toFixed(1)} ms, ` +
        `WebAssembly ${runs.wasmMs.toFixed(1)} ms (${(runs.wasmMs / runs.nativeMs).toFixed(2)}x), start-up apart`,
);
// The native deals and the module's in turn, three times, and the best of
// each: the machine's pace drifts from minute to minute, and so both meet
// the same drift.
const dealRounds = 3;
const native = {};
const inModule = new Map();
for (let round = 0; round < dealRounds; ++round) {
    for (const [name, time] of Object.entries(nativeDeals())) {
        native[name] = Math.min(native[name] ?? Infinity, time);
    }
    for (const row of await dealTimes(site)) {
        if (!inModule.has(row.what) || row.perDeal < inModule.get(row.what).perDeal) {
            inModule.set(row.what, row);
        }
    }
}
for (const row of inModule.values()) {
    console.log(
        `a deal through the module, ${row.what}: ${row.perDeal.toFixed(1)} us ` +
            `(${(row.perDeal / native.BM_PageDeal).toFixed(2)}x BM_PageDeal, ` +
            `${(row.perDeal / native.BM_RandomDeal).toFixed(2)}x BM_RandomDeal)`,
    );
}
console.log(`natively: BM_PageDeal ${native.BM_PageDeal.toFixed(1)} us, BM_RandomDeal ${native.BM_RandomDeal.toFixed(1)} us`);
await browser.close();
server.server.close();
