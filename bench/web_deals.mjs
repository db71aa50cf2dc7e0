// The time of a deal played through the browser module, to set beside
// vurp_logic_bench's BM_PageDeal (the same work natively) and BM_RandomDeal
// (the game alone): node bench/web_deals.mjs [build-web/site]
// bench/web_bench.mjs prints it with the page's other figures.
// The deals are those BM_PageDeal and BM_RandomDeal play: a game seeded as
// they seed it, and the same random player (std::mt19937_64 at the same seed,
// a control it can press in the order of GameControls()) after each deal's
// "Раздать". The clicks are recorded in a first pass; the timed passes replay
// them, so that only the module's calls and the page's reading are timed.
import fs from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

const kSeed = 20240601n;
const kDeals = 256;
const kPressesPerDeal = 400;
const kRuns = 15;
// GameControls(): "Раздать", the first round's buttons, the second round's,
// "Дальше", the exchange's button, the ranks and the cards.
const gameControls = [['Razd', 0], ['vurp', 0], ['PasVurp', 0], ['VurpGo', 0], ['Vert', 0], ['Help', 0],
    ['PasHelp', 0], ['HelpGo', 0], ['five', 0], ['Sled', 0], ['Change', 0],
    ...[1, 2, 3, 4, 5, 6, 7, 8, 9].map((k) => ['GoKats', k]), ...[1, 2, 3, 4, 5].map((k) => ['Pict1', k])];

// std::mt19937_64.
function mt19937_64(seed) {
    const n = 312;
    const mt = new BigUint64Array(n);
    mt[0] = seed;
    for (let i = 1; i < n; ++i) {
        mt[i] = 6364136223846793005n * (mt[i - 1] ^ (mt[i - 1] >> 62n)) + BigInt(i);
    }
    let at = n;
    return () => {
        if (at === n) {
            for (let i = 0; i < n; ++i) {
                const x = (mt[i] & 0xFFFFFFFF80000000n) | (mt[(i + 1) % n] & 0x7FFFFFFFn);
                mt[i] = mt[(i + 156) % n] ^ (x >> 1n) ^ (x & 1n ? 0xB5026F5AA96619E9n : 0n);
            }
            at = 0;
        }
        let y = mt[at++];
        y ^= (y >> 29n) & 0x5555555555555555n;
        y ^= (y << 17n) & 0x71D67FFFEDA60000n;
        y ^= (y << 37n) & 0xFFF7EEE000000000n;
        return BigInt.asUintN(64, y ^ (y >> 43n));
    };
}

// Each way of taking the changes, timed: { what, deals, clicks, perDeal,
// perClick, medianPerDeal } in microseconds, the best of the runs.
export async function dealTimes(site) {
    const createVurp = createRequire(import.meta.url)(path.join(site, 'vurp.js'));
    const vurp = await createVurp({ wasmBinary: fs.readFileSync(path.join(site, 'vurp.wasm')) });

    // Every text the page passes, placed once.
    const placed = new Map();
    const place = (text) => {
        if (!placed.has(text)) {
            const size = vurp.lengthBytesUTF8(text) + 1;
            const pointer = vurp._malloc(size);
            vurp.stringToUTF8(text, pointer, size);
            placed.set(text, pointer);
        }
        return placed.get(text);
    };
    // As the page reads a text the module hands out: by its known length.
    const decoder = new TextDecoder();
    const text = (pointer) => decoder.decode(vurp.HEAPU8.subarray(pointer, pointer + vurp._vurp_length()));
    const json = (pointer) => JSON.parse(text(pointer));

    const record = () => {
        vurp._vurp_start(place(String(kSeed)), 0);
        const shown = {};
        for (const c of json(vurp._vurp_controls()).controls) {
            shown[c.name] = { ...c };
        }
        const named = gameControls.map(([control, index]) => ({
            control, index, name: index === 0 ? control : `${control}(${index})` }));
        const player = mt19937_64(kSeed);
        const clicks = [];
        const click = ({ control, index }) => {
            vurp._vurp_click(place(control), index);
            clicks.push([place(control), index]);
            const changed = json(vurp._vurp_changes());
            const set = changed.steps ? changed.steps.flatMap((step) => step.controls) : changed.controls;
            for (const { name, ...values } of set) {
                Object.assign(shown[name], values);
            }
        };
        const pressable = (c) => shown[c.name].visible && shown[c.name].enabled;
        for (let deal = 0; deal < kDeals; ++deal) {
            click(named[0]);
            for (let presses = 0; !pressable(named[0]); ++presses) {
                const open = named.filter(pressable);
                if (open.length === 0 || presses > kPressesPerDeal) {
                    throw new Error('the random player found nothing to press');
                }
                click(open[Number(player() % BigInt(open.length))]);
            }
        }
        return { clicks, deals: kDeals };
    };

    const replay = (clicks, take) => {
        vurp._vurp_start(place(String(kSeed)), 0);
        json(vurp._vurp_controls());
        const start = process.hrtime.bigint();
        for (const [name, index] of clicks) {
            vurp._vurp_click(name, index);
            if (take) {
                take(vurp._vurp_changes());
            }
        }
        return Number(process.hrtime.bigint() - start) / 1e3;
    };

    const { clicks, deals } = record();
    const takes = [['clicks alone', null], ['changes built', (pointer) => pointer],
        ['changes read', (pointer) => text(pointer).length], ['changes parsed', json]];
    // Fifteen runs of each, taken in turn, after one to warm up: on a busy
    // machine the best of them is the steadiest figure.
    const runs = takes.map(([, take]) => (replay(clicks, take), []));
    for (let run = 0; run < kRuns; ++run) {
        takes.forEach(([, take], k) => runs[k].push(replay(clicks, take)));
    }
    return takes.map(([what], k) => {
        const sorted = runs[k].sort((a, b) => a - b);
        return { what, deals, clicks: clicks.length, perDeal: sorted[0] / deals,
            perClick: sorted[0] / clicks.length, medianPerDeal: sorted[kRuns >> 1] / deals };
    });
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
    for (const row of await dealTimes(path.resolve(process.argv[2] ?? 'build-web/site'))) {
        console.log(`${row.what}: ${row.deals} deals, ${row.clicks} clicks: ` +
            `${row.perDeal.toFixed(1)} us per deal, ${row.perClick.toFixed(2)} us per click ` +
            `(best of ${kRuns}; median ${row.medianPerDeal.toFixed(1)} us per deal)`);
    }
}
