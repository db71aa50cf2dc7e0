// The page's module played through its exported functions, as the page plays
// it: the control table once, then only the changes. Every golden script so
// played shows, at every `dump`, what the native driver prints, with the same
// refusals and events; its journal replays to the same table and restores
// the game; bad input and bad journals get their clear answers.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import { createRequire } from 'node:module';
import path from 'node:path';
import { test } from 'node:test';

import { goldenScripts, nativeChecker, nativeDriver, run, wasmBuild } from './support.mjs';

const site = path.join(wasmBuild, 'site');
const createVurp = createRequire(import.meta.url)(path.join(site, 'vurp.js'));
// Given its bytes, the module fetches nothing.
const vurp = await createVurp({ wasmBinary: fs.readFileSync(path.join(site, 'vurp.wasm')) });

// A text placed in the module's memory for the length of one call.
function withText(text, call) {
    const size = vurp.lengthBytesUTF8(text) + 1;
    const pointer = vurp._malloc(size);
    vurp.stringToUTF8(text, pointer, size);
    try {
        return call(pointer);
    } finally {
        vurp._free(pointer);
    }
}

const start = (seed, scripted) => withText(seed, (p) => vurp._vurp_start(p, scripted));
const random = (value) => withText(value, (p) => vurp._vurp_random(p));
const click = (name, index) => withText(name, (p) => vurp._vurp_click(p, index));
const type = (text) => withText(text, (p) => vurp._vurp_type(p));
const json = (pointer) => JSON.parse(vurp.UTF8ToString(pointer));
const controls = () => json(vurp._vurp_controls());
const changes = () => json(vurp._vurp_changes());
const snapshot = () => json(vurp._vurp_snapshot());
const journal = () => vurp.UTF8ToString(vurp._vurp_journal());
const restore = (text) => withText(text, (p) => json(vurp._vurp_restore(p)));

const properties = ['visible', 'enabled', 'text', 'picture', 'back', 'fore'];

// The page: drawn from the control table, then kept up from the changes.
class Page {
    constructor(table) {
        this.names = table.controls.map((element) => element.name);
        this.shown = {};
        this.whyNot = {};
        for (const element of table.controls) {
            this.shown[element.name] = Object.fromEntries(properties.map((p) => [p, element[p]]));
            this.whyNot[element.name] = element.whyNot;
        }
    }

    follow(changed) {
        const controls = changed.steps ? changed.steps.flatMap((step) => step.controls) : changed.controls;
        for (const { name, ...values } of controls) {
            assert.ok(name in this.shown, `a change of an unknown element ${name}`);
            assert.ok(Object.keys(values).length > 0, `an empty change of ${name}`);
            Object.assign(this.shown[name], values);
        }
        for (const { text, elements } of changed.whyNot ?? []) {
            elements.forEach((place) => (this.whyNot[this.names[place]] = text));
        }
    }

    // The reasons kept up from the changes are those of the table drawn anew.
    assertReasonsAsDrawnAnew() {
        const drawn = Object.fromEntries(controls().controls.map((element) => [element.name, element.whyNot]));
        assert.deepEqual(this.whyNot, drawn);
    }
}

function lines(script) {
    return script
        .split('\n')
        .map((line) => line.replace(/\r$/, ''))
        .filter((line) => line.trim() !== '' && !line.trim().startsWith('#'));
}

// Plays a script's lines through the module and gives what the driver would
// print for them, line for line, as parsed JSON.
function playThroughModule(script) {
    const out = [];
    let page = null;
    let acted = false;
    const begin = (seed) => {
        assert.equal(start(seed, 1), 1);
        page = new Page(controls());
    };
    begin('');
    for (const line of lines(script)) {
        const words = line.trim().split(/[ \t]+/);
        if (words[0] === 'seed') {
            assert.ok(!acted, 'this test starts a game from a seed only before any action');
            begin(words[1]);
            continue;
        }
        acted = true;
        if (words[0] === 'rand') {
            assert.equal(random(words[1]), 1, line);
        } else if (words[0] === 'click') {
            const result = click(words[1], words.length > 2 ? Number(words[2]) : 0);
            assert.ok(result === 0 || result === 1, `${line}: ${result}`);
            if (result === 0) {
                out.push({ refused: line.trim() });
            }
        } else if (words[0] === 'type') {
            const text = line.slice(line.indexOf('Stavk') + 'Stavk'.length + 1);
            assert.ok(type(text) >= 0, line);
        } else {
            assert.equal(line.trim(), 'dump');
            const { state } = snapshot();
            page.follow(changes());
            page.assertReasonsAsDrawnAnew();
            out.push({ state, controls: structuredClone(page.shown) });
            continue;
        }
        const changed = changes();
        page.follow(changed);
        out.push(...changed.events);
    }
    return out;
}

async function driverOutput(args, input = '') {
    const result = await run(nativeDriver, args, input);
    assert.equal(result.status, 0, result.stderr);
    return result.stdout
        .toString()
        .split('\n')
        .filter((line) => line !== '')
        .map((line) => JSON.parse(line));
}

// Plays the script through the module and the native driver alike; then its
// journal plays to the same table, and a game restored from it is the same
// game, its page drawn again from the control table.
async function assertModulePlaysAsDriver(text) {
    const expected = await driverOutput(['--events', '-'], text);
    const played = playThroughModule(text);
    assert.equal(played.length, expected.length);
    played.forEach((line, k) => assert.deepEqual(line, expected[k], `output line ${k + 1}`));

    const before = snapshot();
    const written = journal();
    assert.match(written, /^# vurp journal format 1\n/);
    const [replayed] = await driverOutput(['-'], written + 'dump\n');
    assert.deepEqual(replayed, before);
    assert.equal(restore(written).restored, true);
    assert.deepEqual(snapshot(), before);
    assert.deepEqual(new Page(controls()).shown, new Page(controlsOf(before)).shown);
    assert.deepEqual(changes(), { controls: [] });
}

test('every golden script played through the module shows what the driver prints', async (t) => {
    for (const script of goldenScripts()) {
        await t.test(path.basename(script), () =>
            assertModulePlaysAsDriver(fs.readFileSync(script, 'utf8')),
        );
    }
});

// Long games have the typed stakes and refused clicks the golden ones lack.
test('long random games played through the module show what the driver prints', async (t) => {
    for (const seed of [5, 6, 7]) {
        await t.test(`seed ${seed}`, async () => {
            const args = ['--seed', String(seed), '--events', '2000', '--script'];
            const made = await run(nativeChecker, args);
            assert.equal(made.status, 0, made.stderr);
            await assertModulePlaysAsDriver(made.stdout.toString());
        });
    }
});

// The driver's snapshot as a control table's elements.
function controlsOf(snap) {
    return { controls: Object.entries(snap.controls).map(([name, s]) => ({ name, ...s })) };
}

test('the control table places every element on the table', () => {
    assert.equal(start('', 0), 1);
    const table = controls();
    assert.equal(table.width, 11880);
    assert.equal(table.height, 8490);
    const names = table.controls.map((c) => c.name);
    assert.equal(new Set(names).size, names.length);
    assert.ok(names.includes('Pict1(5)') && names.includes('GoKats(9)') && names.includes('Razd'));
    for (const c of table.controls) {
        assert.ok(['button', 'textbox', 'label', 'picture'].includes(c.kind), c.name);
        assert.ok(c.width > 0 && c.height > 0, c.name);
        assert.ok(c.left >= 0 && c.left + c.width <= table.width, c.name);
        assert.ok(c.top >= 0 && c.top + c.height <= table.height, c.name);
    }
});

test('a seeded game is written down as the desktop writes it and goes on after a restore', async () => {
    const elements = (start('1', 0), controls().controls.map((c) => [c.control, c.index]));
    // Every element clicked in turn, three times over: refused clicks cost
    // nothing, the others play on.
    const playOn = () => {
        for (let round = 0; round < 3; ++round) {
            elements.forEach(([name, index]) => click(name, index));
        }
    };
    assert.equal(start('42', 0), 1);
    assert.equal(click('Razd', 0), 1);
    assert.match(journal(), /^# vurp journal format 1\nseed 42\n(rand [0-9.]+\n)+seed \d+\nclick Razd\n$/);
    playOn();
    const straight = { table: snapshot(), written: journal() };

    assert.equal(start('42', 0), 1);
    assert.equal(click('Razd', 0), 1);
    const kept = journal();
    assert.deepEqual(restore(kept), { restored: true, lastPress: 'Razd', length: kept.length });
    playOn();
    assert.deepEqual(snapshot(), straight.table);
    assert.equal(journal(), straight.written);
    const [played] = await driverOutput(['-'], journal() + 'dump\n');
    assert.deepEqual(played, straight.table);
});

test('bad input gets a clear answer and changes nothing', () => {
    assert.equal(start('', 1), 1);
    const table = snapshot();
    assert.equal(start('-1', 0), 0);
    assert.equal(start('18446744073709551616', 0), 0);
    assert.equal(random('1.5'), 0);
    assert.equal(click('Nope', 0), -1);
    assert.equal(click('Pict1', 0), -1);
    assert.equal(click('Pict1', 6), -1);
    assert.equal(click('Razd', 1), -1);
    assert.equal(type('1\n2'), -1);
    assert.equal(type('4'), 0); // the box holds 4 already
    assert.deepEqual(snapshot(), table);
    assert.equal(journal(), '# vurp journal format 1\n');

    assert.equal(start('', 0), 1);
    assert.equal(random('0.5'), 0, 'only a scripted game takes numbers');
});

test('a journal that cannot be read leaves the game in progress as it was', () => {
    assert.equal(start('7', 0), 1);
    assert.equal(click('Razd', 0), 1);
    const kept = journal();
    const table = snapshot();
    const faults = [
        ['', 'not_journal'],
        ['click Razd\n', 'not_journal'],
        ['# vurp journal format 2\nclick Razd\n', 'newer_format'],
        ['# vurp journal format 1\nclick Nope\n', 'replay_failed'],
    ];
    for (const [text, fault] of faults) {
        const answer = restore(text);
        assert.equal(answer.restored, false, text);
        assert.equal(answer.fault, fault, text);
        assert.deepEqual(snapshot(), table);
        assert.equal(journal(), kept);
    }
    assert.match(restore('# vurp journal format 1\nclick Nope\n').detail, /^line 2: unknown control/);

    // A torn last line, and numbers drawn for an action never written, are
    // dropped, as they are from the desktop's journal.
    const torn = restore(kept + 'rand 0.5\nclick Pict1');
    assert.equal(torn.restored, true);
    assert.equal(torn.length, kept.length);
    assert.equal(journal(), kept);
    // The page keeps the journal in parts, and asks only for what follows.
    const from = (at) => vurp.UTF8ToString(vurp._vurp_journal_from(at));
    for (const at of [-5, 0, 10, kept.length - 1, kept.length, kept.length + 1, 2 ** 31 - 1]) {
        assert.equal(from(at), kept.slice(Math.max(at, 0)), `from ${at}`);
    }
    assert.deepEqual(snapshot(), table);
});

test('finished games are recorded a line each and add up in the statistics', () => {
    const finish = (record) => withText(record, (p) => vurp.UTF8ToString(vurp._vurp_finish_game(p)));
    const statistics = (record, kept) => withText(record, (p) => json(vurp._vurp_statistics(p, kept, 6, 10)));
    const column = (shown, which) => shown.counts.slice(0, 9).map((row) => Number(row[which]));
    // Deals played on by a player pressing what can be pressed.
    const play = (deals) => {
        for (let dealt = 0, k = 0; dealt < deals && k < 20000; ++k) {
            const open = controls().controls.filter((c) => c.visible && c.enabled && c.kind !== 'textbox');
            const { control, index } = open[(k * 7919) % open.length];
            dealt += click(control, index) === 1 && control === 'Razd' ? 1 : 0;
        }
    };
    assert.equal(start('11', 0), 1);
    assert.equal(finish(''), '', 'no cards were dealt');
    play(3);
    const once = finish('');
    assert.match(once, /^[0-9a-f]{16} 1 [0-9 -]+\n$/);
    play(1);
    const twice = finish(once);
    assert.notEqual(twice, once);
    assert.equal(twice.slice(0, 17), once.slice(0, 17));
    assert.equal(twice.split('\n').length, 2, 'one line for the game played on');
    assert.equal(withText(twice, (p) => vurp.UTF8ToString(vurp._vurp_finish_game(p))), twice);
    const first = statistics(twice, 1);
    assert.deepEqual(column(first, 'all'), column(first, 'game'), 'the game under way counts once');
    assert.deepEqual(first.notes, []);

    assert.equal(start('12', 0), 1);
    play(2);
    const both = finish(twice);
    assert.ok(both.startsWith(twice) && both.split('\n').length === 3);
    const second = statistics(both + 'not a game\n', 1);
    const game = column(second, 'game');
    assert.deepEqual(column(second, 'all'), column(first, 'game').map((count, k) => count + game[k]));
    assert.equal(second.counts[0].all, '2');
    assert.deepEqual(second.notes, ['Записей игр, которые не удалось прочитать: 1. Они не учтены.']);

    const alone = json(vurp._vurp_statistics(0, 0, 6, 10));
    assert.deepEqual(column(alone, 'all'), game);
    assert.deepEqual(alone.notes, ['Эта игра не сохраняется, поэтому в «Все игры» вошла только она.']);
    assert.equal(vurp.UTF8ToString(vurp._vurp_finish_game(0)), both.slice(twice.length));
});
