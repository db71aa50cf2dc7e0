// The time of a deal played through the browser module, to set beside
// vurp_logic_bench's BM_RandomDeal: node bench/web_deals.mjs [build-web/site]
// A random player (its own generator, seeded) plays a seeded game as the page
// would: a click on a control it can press, then the changes read and parsed.
// The clicks are recorded in a first pass; the timed passes replay them from
// the same seed, so that only the module's calls are timed.
import fs from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';

const site = path.resolve(process.argv[2] ?? 'build-web/site');
const createVurp = createRequire(import.meta.url)(path.join(site, 'vurp.js'));
const vurp = await createVurp({ wasmBinary: fs.readFileSync(path.join(site, 'vurp.wasm')) });

// Every text the page passes, placed once.
const placed = new Map();
function place(text) {
    if (!placed.has(text)) {
        const size = vurp.lengthBytesUTF8(text) + 1;
        const pointer = vurp._malloc(size);
        vurp.stringToUTF8(text, pointer, size);
        placed.set(text, pointer);
    }
    return placed.get(text);
}
const json = (pointer) => JSON.parse(vurp.UTF8ToString(pointer));

const kDeals = 400;
const pressable = ['Razd', 'Sled', 'Change', 'PasVurp', 'vurp', 'Vert', 'VurpGo', 'PasHelp', 'Help',
    'five', 'HelpGo', 'GoKats', 'Pict1'];

function record() {
    vurp._vurp_start(place('42'), 0);
    const shown = {};
    const table = json(vurp._vurp_controls()).controls;
    for (const c of table) {
        shown[c.name] = { ...c };
    }
    const candidates = table.filter((c) => pressable.includes(c.control));
    let state = 7;
    const clicks = [];
    let deals = 0;
    while (deals < kDeals && clicks.length < kDeals * 200) {
        const ready = candidates.filter((c) => shown[c.name].visible && shown[c.name].enabled);
        state = (state * 1103515245 + 12345) % 2147483648;
        const c = ready[state % ready.length];
        if (vurp._vurp_click(place(c.control), c.index) === 1) {
            clicks.push([place(c.control), c.index]);
            deals += c.control === 'Razd' ? 1 : 0;
        }
        for (const { name, ...values } of json(vurp._vurp_changes()).controls) {
            Object.assign(shown[name], values);
        }
    }
    return { clicks, deals };
}

// The changes are read as text, and parsed as the page parses them or not.
function replay(clicks, read) {
    vurp._vurp_start(place('42'), 0);
    json(vurp._vurp_controls());
    const start = process.hrtime.bigint();
    for (const [name, index] of clicks) {
        vurp._vurp_click(name, index);
        if (read) {
            read(vurp.UTF8ToString(vurp._vurp_changes()));
        }
    }
    return Number(process.hrtime.bigint() - start) / 1e3;
}

const { clicks, deals } = record();
for (const [what, read] of [['clicks alone', null], ['changes read', (text) => text.length],
                            ['changes parsed', (text) => JSON.parse(text)]]) {
    replay(clicks, read);
    const runs = [1, 2, 3, 4, 5].map(() => replay(clicks, read)).sort((a, b) => a - b);
    console.log(`${what}: ${deals} deals, ${clicks.length} clicks: ` +
        `${(runs[0] / deals).toFixed(1)} us per deal, ${(runs[0] / clicks.length).toFixed(2)} ` +
        `us per click (best of 5; median ${(runs[2] / deals).toFixed(1)} us per deal)`);
}
