// The replay driver compiled to WebAssembly plays every golden script, long
// random games and scripts that go wrong exactly as the native driver does:
// the same bytes on standard output, the same status, the same error line.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { test } from 'node:test';

import {
    goldenScripts,
    nativeChecker,
    nativeDriver,
    nodeForWasm,
    run,
    wasmDriver,
} from './support.mjs';

const [node, ...nodeOptions] = nodeForWasm;

async function assertPlaysAlike(args, input = '') {
    const [native, wasm] = await Promise.all([
        run(nativeDriver, args, input),
        run(node, [...nodeOptions, wasmDriver, ...args], input),
    ]);
    assert.equal(wasm.stderr, native.stderr);
    assert.equal(wasm.status, native.status);
    // Buffers: a difference shows as bytes, never hidden by a decoding.
    assert.ok(native.stdout.length > 0 || native.status !== 0, 'the native driver printed nothing');
    if (!wasm.stdout.equals(native.stdout)) {
        const a = wasm.stdout.toString().split('\n');
        const b = native.stdout.toString().split('\n');
        const line = a.findIndex((text, k) => text !== b[k]);
        assert.fail(`line ${line + 1} differs:\nwasm:   ${a[line]}\nnative: ${b[line]}`);
    }
}

// Two at a time: the machines have two cores.
const inPairs = { concurrency: 2 };

test('every golden script, with and without its events', inPairs, async (t) => {
    await Promise.all(
        goldenScripts().map((script) =>
            t.test(path.basename(script), async () => {
                await assertPlaysAlike([script]);
                await assertPlaysAlike(['--events', script]);
            }),
        ),
    );
});

// The checker writes each game it plays as a script: thousands of lines of
// clicks, typed stakes and drawn numbers, with a snapshot every few hundred.
test('twenty long random games, with their events', inPairs, async (t) => {
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'vurp-random-'));
    t.after(() => fs.rmSync(folder, { recursive: true, force: true }));
    const seeds = Array.from({ length: 20 }, (_, k) => 1000 + 37 * k);
    await Promise.all(
        seeds.map((seed) =>
            t.test(`seed ${seed}`, async () => {
            const made = await run(nativeChecker, [
                '--seed',
                String(seed),
                '--events',
                '2500',
                '--script',
            ]);
            assert.equal(made.status, 0, made.stderr);
            const script = path.join(folder, `${seed}.script`);
            fs.writeFileSync(script, made.stdout);
            assert.ok(made.stdout.toString().split('\n').length > 2500);
            await assertPlaysAlike(['--events', script]);
            }),
        ),
    );
});

test('scripts read from standard input, odd texts and lines that stop the run', async (t) => {
    const cases = {
        'typed stakes': 'click Razd\ntype Stavk  2,5 \ndump\ntype Stavk 😀😀😀😀😀😀😀😀\ndump\n',
        'line ends of both kinds': 'seed 7\r\nclick Razd\r\ndump\r\nclick Pict1 1\ndump',
        'refused clicks': 'click vurp\nclick GoKats 9\n  click   Razd  \nclick Razd\ndump\n',
        'an unknown control': 'click Razd\ndump\nclick Nope\ndump\n',
        'an element out of range': 'click Pict1 6\n',
        'a bad draw': 'rand 1.5\n',
        'a line too long': `dump\n#${'x'.repeat(65536)}\ndump\n`,
        'text that is not UTF-8': Buffer.from('type Stavk \xff\n', 'latin1'),
        'draws at the edges': 'rand 0.99999999999999999999\nrand 0\nrand .000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000000001\nclick Razd\ndump\n',
    };
    for (const [name, script] of Object.entries(cases)) {
        await t.test(name, () => assertPlaysAlike(['--events', '-'], script));
    }
});
