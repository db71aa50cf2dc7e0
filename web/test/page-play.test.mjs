// The page as a player meets it: a whole deal by keyboard alone, what a
// screen reader is told, the game kept across a reload (and a journal that
// cannot be read set aside, a full storage told once), a game saved to a file
// and opened, the statistics of the games played, and the page played
// offline once it has been opened.
import assert from 'node:assert/strict';
import { after, before, test } from 'node:test';

import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';

import { serve } from '../serve.mjs';
import { openBrowser, openPage, readElements, site } from './browser.mjs';
import { goldenFolder } from './support.mjs';

let session;
before(async () => {
    session = await openBrowser();
});
after(() => session?.close());

const focused = (page) => page.evaluate(() => document.activeElement?.dataset?.name ?? null);
const snapshot = (page) => page.evaluate(() => window.vurpPage.snapshot());

function flatten(node, into = []) {
    if (node) {
        into.push(node);
        (node.children ?? []).forEach((child) => flatten(child, into));
    }
    return into;
}

// Plays on by keyboard until the deal is settled: H asks for the hint, which
// takes the keyboard to the control to press, and Enter presses it; at the
// cards the arrow keys go along the hand and back first. Gives the keys.
async function playDealByKeyboard(page) {
    const keys = [];
    for (let k = 0; k < 300; ++k) {
        const events = await page.evaluate(() => window.vurpPage.events());
        if (events.some((event) => event.event === 'settlement')) {
            return keys;
        }
        await page.keyboard.press('KeyH');
        const name = await focused(page);
        assert.ok(name, `something has the keyboard after ${keys.join(' ')}`);
        if (name.startsWith('Pict1')) {
            for (const key of ['ArrowRight', 'ArrowLeft']) {
                keys.push(key);
                await page.keyboard.press(key);
                assert.match(await focused(page), /^Pict1\(\d\)$/);
            }
            // Back where the hint was, unless it was the last card to the right.
            await page.keyboard.press('KeyH');
        }
        keys.push(`Enter@${await focused(page)}`);
        await page.keyboard.press('Enter');
    }
    assert.fail('the deal was not settled by keyboard');
}

test('a whole deal is played by keyboard alone', async () => {
    const page = await openPage(session.browser, session.url, '?script');
    await page.evaluate(() => window.vurpPage.start('7'));
    await page.evaluate(() => document.activeElement.blur());
    // Tab walks the table's order from the panel buttons on.
    await page.keyboard.press('Tab');
    assert.equal(await focused(page), 'Pravila');
    await page.keyboard.press('Tab');
    assert.equal(await focused(page), 'Game');
    // F1 opens the rules, the keyboard stays with them, Escape closes them.
    await page.keyboard.press('F1');
    assert.equal(JSON.parse(await snapshot(page)).controls.TextPravila.visible, true);
    await page.keyboard.press('Tab');
    await page.keyboard.press('Tab');
    assert.ok(['TextPravila', 'Pravila'].includes(await focused(page)));
    await page.keyboard.press('Escape');
    assert.equal(JSON.parse(await snapshot(page)).controls.TextPravila.visible, false);
    await page.$eval('#table [data-name="Razd"]', (node) => node.focus());
    const keys = await playDealByKeyboard(page);
    assert.ok(keys.some((key) => key.startsWith('Enter@Pict1')), keys.join(' '));
    // L opens the log of the deal, which tells the settlement.
    await page.keyboard.press('KeyL');
    const log = await page.$eval('#log', (node) => (node.hidden ? null : node.textContent));
    assert.ok(log && log.length > 0);
    await page.keyboard.press('Escape');
    assert.equal(await page.$eval('#log', (node) => node.hidden), true);
    assert.deepEqual(page.vurpErrors, []);
    await page.close();
});

test('the computer players move one after another, and a click shows the rest at once', async () => {
    const page = await openPage(session.browser, session.url, '?script&pace=5000');
    await page.evaluate(() => window.vurpPage.start('7'));
    await page.click('#table [data-name="Razd"]');
    let paced = false;
    for (let k = 0; k < 40 && !paced; ++k) {
        await page.keyboard.press('KeyH');
        await page.keyboard.press('Enter');
        paced = await page.evaluate(() => window.vurpPage.busy());
    }
    assert.ok(paced, 'some action was answered by moves shown one after another');
    const table = () => page.evaluate(() => JSON.parse(window.vurpPage.snapshot()).controls);
    assert.notDeepEqual(await readElements(page), await table());
    // A click on the bare table during the pause.
    await page.mouse.click(5, 300);
    assert.equal(await page.evaluate(() => window.vurpPage.busy()), false);
    assert.deepEqual(await readElements(page), await table());
    assert.deepEqual(page.vurpErrors, []);
    await page.close();
});

test('a screen reader hears the names, roles and reasons of the table', async () => {
    const page = await openPage(session.browser, session.url, '?script');
    await page.evaluate(() => window.vurpPage.start('3'));
    let nodes = flatten(await page.accessibility.snapshot());
    const deal = nodes.find((n) => n.name === 'Раздать');
    assert.equal(deal?.role, 'button');
    assert.ok(nodes.some((n) => n.role === 'textbox' && n.name === 'Ставка'));
    await page.click('#table [data-name="Razd"]');
    // H: the hint marks a control, focuses it and says why.
    await page.keyboard.press('KeyH');
    const hinted = await page.evaluate(() => ({
        name: document.activeElement.dataset.name,
        hinted: document.activeElement.classList.contains('hinted'),
        status: document.getElementById('status').textContent,
        description: document.activeElement.getAttribute('aria-description'),
    }));
    assert.ok(hinted.hinted && hinted.status.length > 0 && hinted.description === hinted.status, JSON.stringify(hinted));
    nodes = flatten(await page.accessibility.snapshot());
    assert.ok(nodes.some((n) => n.role === 'textbox' && n.name === 'Игрок 2: деньги'));
    // The status line tells what happened.
    const status = await page.accessibility.snapshot({ root: await page.$('#status'), interestingOnly: false });
    assert.equal(status.role, 'status');
    const shown = JSON.parse(await snapshot(page)).controls;
    const words = await page.evaluate(() => window.vurpPage.cardWords());
    for (let box = 1; box <= 5; ++box) {
        const card = shown[`Pict1(${box})`];
        if (!card.visible || !card.picture) {
            continue;
        }
        const node = nodes.find((n) => n.name === words[card.picture]);
        assert.ok(node, `box ${box} is heard as ${words[card.picture]}`);
        // A card is a button only while it can be chosen.
        assert.equal(node.role === 'button', card.enabled, `${words[card.picture]}: ${node.role}`);
    }
    // A control that cannot be pressed says why.
    const disabled = nodes.filter((n) => n.role === 'button' && n.disabled);
    assert.ok(disabled.length > 0);
    assert.ok(disabled.every((n) => (n.description ?? '').length > 0), JSON.stringify(disabled));
    await page.close();
});

// Ctrl+Z takes back the card last thrown away in the exchange: the table and
// the journal kept are as if it had never been thrown; at any other moment it
// does nothing.
test('Ctrl+Z takes back the card just thrown away, and nothing else', async () => {
    const context = await session.browser.createBrowserContext();
    const page = await context.newPage();
    await page.goto(`${session.url}?pace=0`);
    await page.waitForSelector('html[data-ready="true"]');
    const state = () =>
        page.evaluate(() => ({
            table: window.vurpPage.snapshot(),
            journal: window.vurpPage.journal(),
            kept: localStorage.getItem('vurp.journal'),
        }));
    const undo = async () => {
        await page.keyboard.down('Control');
        await page.keyboard.press('KeyZ');
        await page.keyboard.up('Control');
    };
    const click = (name) => page.$eval(`#table [data-name="${name}"]`, (node) => node.click());
    // Seat 1 declares and both computer seats pass: the exchange waits for it.
    await page.evaluate(() => window.vurpPage.start('0'));
    const script = fs.readFileSync(path.join(goldenFolder, 'deal_uncontested.script'), 'utf8');
    for (const line of script.split('\n').slice(0, script.split('\n').indexOf('click Pict1 4'))) {
        const [word, value, index] = line.split(' ');
        if (word === 'rand') {
            await page.evaluate((v) => window.vurpPage.random(v), value);
        } else if (word === 'click') {
            await click(index ? `${value}(${index})` : value);
        }
    }
    const exchanging = await state();
    assert.match(exchanging.journal, /click vurp\n$/);
    await undo();
    assert.deepEqual(await state(), exchanging, 'the declaration stays');
    await click('Pict1(4)');
    await click('Pict1(1)');
    const thrown = await state();
    assert.match(thrown.journal, /click Pict1 4\nclick Pict1 1\n$/);
    assert.equal(thrown.kept, thrown.journal);
    await undo();
    const back = await state();
    assert.equal(back.journal, thrown.journal.replace(/click Pict1 1\n$/, ''));
    assert.equal(back.kept, back.journal);
    await undo();
    assert.deepEqual(await state(), exchanging);
    assert.deepEqual(await readElements(page), JSON.parse(exchanging.table).controls);
    // Once the new cards are drawn, nothing is taken back.
    await click('Pict1(4)');
    await click('Change');
    const drawn = await state();
    await undo();
    assert.deepEqual(await state(), drawn);
    await context.close();
});

// "Сохранить игру как…" gives the journal as a file, which "Открыть игру…"
// opens in another browser where it was, a last line without its line end
// included, as the window reads a saved game; a file that is no game leaves
// the game in progress as it is.
test('a game saved to a file opens where it was, and a file that is no game changes nothing', async () => {
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'vurp-files-'));
    const open = async () => {
        const context = await session.browser.createBrowserContext();
        const page = await context.newPage();
        await page.goto(`${session.url}?pace=0`);
        await page.waitForSelector('html[data-ready="true"]');
        return { context, page };
    };
    const first = await open();
    await first.page.click('#table [data-name="Razd"]');
    for (let k = 0; k < 3; ++k) {
        await first.page.keyboard.press('Enter');
    }
    const saved = await first.page.evaluate(async () => {
        let link = null;
        const click = HTMLAnchorElement.prototype.click;
        HTMLAnchorElement.prototype.click = function keep() {
            link = this;
        };
        document.getElementById('save-game').click();
        HTMLAnchorElement.prototype.click = click;
        return { name: link.download, text: await (await fetch(link.href)).text(), journal: window.vurpPage.journal() };
    });
    assert.equal(saved.name, 'Вурп.vurp');
    assert.equal(saved.text, saved.journal);
    const table = await snapshot(first.page);
    await first.context.close();

    const second = await open();
    const game = path.join(folder, 'game.vurp');
    fs.writeFileSync(game, saved.text.replace(/\n$/, ''));
    await (await second.page.$('#game-file')).uploadFile(game);
    await second.page.waitForFunction((expected) => window.vurpPage.snapshot() === expected, {}, table);
    assert.deepEqual(await readElements(second.page), JSON.parse(table).controls);
    assert.equal(await second.page.evaluate(() => localStorage.getItem('vurp.journal')), saved.text);

    const junk = path.join(folder, 'junk.vurp');
    fs.writeFileSync(junk, 'not a game\n');
    await (await second.page.$('#game-file')).uploadFile(junk);
    await second.page.waitForSelector('#notice:not([hidden])');
    assert.match(await second.page.$eval('#notice-text', (node) => node.textContent), /^Игру из файла junk\.vurp открыть нельзя: это не запись игры «Вурп»\. Текущая игра продолжается\.$/);
    assert.equal(await snapshot(second.page), table);
    await second.context.close();
    fs.rmSync(folder, { recursive: true });
});

// Plays one whole deal by the hints, from the deal button on.
async function playOneDeal(page) {
    await page.click('#table [data-name="Razd"]');
    for (let k = 0; k < 300; ++k) {
        if ((await readElements(page)).Razd.enabled) {
            return;
        }
        await page.keyboard.press('KeyH');
        await page.keyboard.press('Enter');
    }
    assert.fail('the deal was not settled');
}

// Opens "Статистика", reads it and closes it with Escape.
async function readStatistics(page) {
    await page.click('#statistics-button');
    const seen = await page.evaluate(() => {
        const rows = (id) =>
            [...document.querySelectorAll(`#${id} tbody tr`)].map((row) => [...row.cells].map((cell) => cell.textContent));
        return {
            focus: document.activeElement.id,
            description: document.getElementById('chart').getAttribute('aria-description'),
            money: rows('money-table'),
            counts: Object.fromEntries(rows('counts-table').map(([name, ...cells]) => [name.trim(), cells])),
            note: document.getElementById('statistics-note').textContent,
        };
    });
    await page.keyboard.press('Escape');
    assert.ok(await page.$eval('#statistics', (node) => node.hidden));
    return seen;
}

test('the statistics count every game finished in this browser, once', async () => {
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'vurp-statistics-'));
    const context = await session.browser.createBrowserContext();
    const page = await context.newPage();
    page.on('dialog', (dialog) => dialog.accept());
    await page.goto(`${session.url}?pace=0`);
    await page.waitForSelector('html[data-ready="true"]');
    const record = () => page.evaluate(() => localStorage.getItem('vurp.statistics') ?? '');

    await playOneDeal(page);
    let seen = await readStatistics(page);
    assert.equal(seen.focus, 'chart');
    assert.match(seen.description, /^После раздачи 1: Игрок 1 \(вы\) -?[\d.]+, Игрок 2 -?[\d.]+, Игрок 3 -?[\d.]+$/);
    assert.deepEqual(seen.money.map((row) => row[0]), ['Начало', 'Раздача 1']);
    assert.deepEqual([seen.counts['Игры'], seen.counts['Раздачи']], [['1', '1'], ['1', '1']]);
    assert.equal(seen.note, '');
    assert.ok(await focused(page), 'the keyboard is back at the table');
    const first = path.join(folder, 'first.vurp');
    fs.writeFileSync(first, await page.evaluate(() => window.vurpPage.journal()));

    await page.click('#new-game');
    assert.equal((await record()).split('\n').filter(Boolean).length, 1);
    seen = await readStatistics(page);
    assert.deepEqual([seen.counts['Игры'], seen.counts['Раздачи']], [['0', '1'], ['0', '1']]);

    // The first game opened again and played on counts as the game under
    // way, and once it is finished, in its old place.
    await (await page.$('#game-file')).uploadFile(first);
    await page.waitForFunction(() => /click Razd\n/.test(window.vurpPage.journal()));
    await playOneDeal(page);
    seen = await readStatistics(page);
    assert.deepEqual([seen.counts['Игры'], seen.counts['Раздачи']], [['1', '1'], ['2', '2']]);
    await page.click('#new-game');
    assert.equal((await record()).split('\n').filter(Boolean).length, 1);
    seen = await readStatistics(page);
    assert.deepEqual(seen.counts['Раздачи'], ['0', '2']);

    // A line that cannot be read is told and kept.
    await page.evaluate(() => localStorage.setItem('vurp.statistics', `${localStorage.getItem('vurp.statistics')}no tally\n`));
    seen = await readStatistics(page);
    assert.equal(seen.note, 'Записей игр, которые не удалось прочитать: 1. Они не учтены.');
    assert.deepEqual(seen.counts['Раздачи'], ['0', '2']);
    await page.click('#new-game');
    assert.match(await record(), /\nno tally\n$/);
    await context.close();
    fs.rmSync(folder, { recursive: true });
});

test('a reload in the middle of a deal goes on with it', async () => {
    const context = await session.browser.createBrowserContext();
    const page = await context.newPage();
    // A phone held sideways, played by touch.
    await page.setViewport({ width: 844, height: 390, hasTouch: true, isMobile: true, deviceScaleFactor: 2 });
    await page.goto(`${session.url}?pace=0`);
    await page.waitForSelector('html[data-ready="true"]');
    await page.tap('#table [data-name="Razd"]');
    for (let k = 0; k < 4; ++k) {
        await page.keyboard.press('Enter');
    }
    const before = { table: await snapshot(page), journal: await page.evaluate(() => window.vurpPage.journal()) };
    assert.match(before.journal, /click Razd\n/);
    await page.reload();
    await page.waitForSelector('html[data-ready="true"]');
    assert.equal(await snapshot(page), before.table);
    assert.equal(await page.evaluate(() => window.vurpPage.journal()), before.journal);
    assert.ok(await focused(page), 'the keyboard is where the player goes on');

    // A long game is kept in parts, and read back whole from them.
    const parts = () => page.evaluate(() => Object.keys(localStorage).filter((key) => key.startsWith('vurp.journal.part.')));
    await page.evaluate(() => {
        for (let k = 0; k < 400; ++k) {
            document.activeElement.click();
        }
    });
    const long = { table: await snapshot(page), journal: await page.evaluate(() => window.vurpPage.journal()) };
    assert.ok((await parts()).length >= 2, `parts: ${await parts()}`);
    await page.reload();
    await page.waitForSelector('html[data-ready="true"]');
    assert.equal(await snapshot(page), long.table);
    assert.equal(await page.evaluate(() => window.vurpPage.journal()), long.journal);

    // A journal that cannot be read is set aside, whole, the player told,
    // and a new game started; here a part of it has gone.
    const cases = [
        [(gone) => localStorage.removeItem(gone), /запись повреждена \(нет части 1 из \d+\)/],
        [() => localStorage.setItem('vurp.journal', 'no game here\n'), /это не запись игры «Вурп»/],
    ];
    for (const [spoil, problem] of cases) {
        const kept = await page.evaluate(() => ({
            rest: localStorage.getItem('vurp.journal'),
            parts: Object.keys(localStorage).filter((key) => key.startsWith('vurp.journal.part.')).sort(),
        }));
        const first = kept.parts.find((key) => key.endsWith('.1'));
        await page.evaluate(spoil, first);
        await page.reload();
        await page.waitForSelector('html[data-ready="true"]');
        const notice = await page.$eval('#notice', (node) => (node.hidden ? '' : node.textContent));
        assert.match(notice, /Сохранённую игру не удалось продолжить: /);
        assert.match(notice, problem);
        const aside = await page.evaluate(() => {
            const keys = Object.keys(localStorage).filter((key) => key.startsWith('vurp.journal.unreadable.'));
            const texts = keys.map((key) => localStorage.getItem(key));
            keys.forEach((key) => localStorage.removeItem(key));
            return texts;
        });
        assert.equal(aside.length, 1);
        assert.equal(JSON.parse(await snapshot(page)).state.Deck, '');
        if (kept.parts.length > 0) {
            // Every part that was left is in the record set aside, and gone.
            assert.ok(aside[0].endsWith(kept.rest) && aside[0].length > kept.rest.length + 16 * 1024);
            assert.deepEqual(await parts(), []);
        } else {
            assert.deepEqual(aside, ['no game here\n']);
        }
        await page.click('#notice-ok');
        await page.click('#table [data-name="Razd"]');
    }
    await context.close();
});

test('a second tab plays a game of its own, which is not kept', async () => {
    const context = await session.browser.createBrowserContext();
    const first = await openPage(context, session.url, '?pace=0');
    await first.click('#table [data-name="Razd"]');
    const kept = await first.evaluate(() => localStorage.getItem('vurp.journal'));
    assert.match(kept, /click Razd\n$/);

    const second = await openPage(context, session.url, '?pace=0');
    const notice = await second.$eval('#notice', (node) => (node.hidden ? '' : node.textContent));
    assert.match(notice, /Вурп уже открыт в другой вкладке, и игра сохраняется там\. Здесь идёт новая игра, и она не сохраняется\./);
    await second.click('#notice-ok');
    await second.click('#table [data-name="Razd"]');
    assert.notEqual(JSON.parse(await snapshot(second)).state.Deck, '');
    assert.equal(await second.evaluate(() => localStorage.getItem('vurp.journal')), kept);

    // Once the keeping tab is gone, the next one goes on with its game.
    await first.close();
    await second.reload();
    await second.waitForSelector('html[data-ready="true"]');
    assert.equal(await second.evaluate(() => window.vurpPage.journal()), kept);
    await context.close();
});

// A journal beyond 64 MiB (here in its UTF-8 bytes, not its characters) is
// not read; it is left where it is, never written over.
test('a kept journal beyond 64 MiB is not read, and is left alone', async () => {
    const context = await session.browser.createBrowserContext();
    const page = await context.newPage();
    await page.evaluateOnNewDocument(() => {
        const huge = `# vurp journal format 1\n${'ж'.repeat(32 * 1024 * 1024)}`;
        const getItem = Storage.prototype.getItem;
        Storage.prototype.getItem = function (key) {
            return key === 'vurp.journal' ? huge : getItem.call(this, key);
        };
    });
    await page.goto(`${session.url}?pace=0`);
    await page.waitForSelector('html[data-ready="true"]');
    const notice = await page.$eval('#notice', (node) => (node.hidden ? '' : node.textContent));
    assert.match(notice, /не удалось продолжить: запись слишком велика \(64 МБ\)\. Запись оставлена как есть/);
    await page.click('#notice-ok');
    await page.click('#table [data-name="Razd"]');
    assert.notEqual(JSON.parse(await snapshot(page)).state.Deck, '');
    assert.deepEqual(await page.evaluate(() => Object.keys(localStorage)), []);
    await context.close();
});

test('a full storage is told once and play goes on', async () => {
    const context = await session.browser.createBrowserContext();
    const page = await context.newPage();
    await page.evaluateOnNewDocument(() => {
        Storage.prototype.setItem = () => {
            throw new DOMException('full', 'QuotaExceededError');
        };
    });
    await page.goto(`${session.url}?pace=0`);
    await page.waitForSelector('html[data-ready="true"]');
    const notices = [];
    await page.exposeFunction('noticed', (text) => notices.push(text));
    await page.evaluate(() =>
        new MutationObserver(() => {
            const box = document.getElementById('notice');
            if (!box.hidden) {
                window.noticed(box.textContent);
            }
        }).observe(document.getElementById('notice'), { attributes: true, childList: true, subtree: true }),
    );
    await page.click('#table [data-name="Razd"]');
    await page.click('#notice-ok');
    for (let k = 0; k < 3; ++k) {
        await page.keyboard.press('Enter');
    }
    assert.ok(notices.length >= 1);
    assert.ok(new Set(notices).size === 1 && /нет места/.test(notices[0]), JSON.stringify(notices));
    assert.notEqual(JSON.parse(await snapshot(page)).state.Deck, '');
    await context.close();
});

test('once opened, the page plays offline', async () => {
    const own = await serve(site);
    const context = await session.browser.createBrowserContext();
    const page = await context.newPage();
    await page.goto(own.url);
    await page.waitForSelector('html[data-ready="true"]');
    await page.evaluate(async () => {
        await navigator.serviceWorker.ready;
        // Every card picture kept before the site goes away.
        const cache = await caches.open('vurp-site');
        for (let k = 0; k < 100 && (await cache.keys()).length < 47; ++k) {
            await new Promise((resolve) => setTimeout(resolve, 50));
        }
    });
    // The browser's kept-alive connections would hold the server open.
    const closed = new Promise((resolve) => own.server.close(resolve));
    own.server.closeAllConnections();
    await closed;
    await page.reload();
    await page.waitForSelector('html[data-ready="true"]');
    await page.click('#table [data-name="Razd"]');
    await page.waitForFunction(() => {
        const img = document.querySelector('#table [data-name="Pict1(1)"] img');
        return img.complete && img.naturalWidth > 0;
    });
    assert.notEqual(JSON.parse(await snapshot(page)).state.Deck, '');
    // The page's settings in its address: the same page, from the cache.
    await page.goto(`${own.url}?pace=0`);
    await page.waitForSelector('html[data-ready="true"]');
    assert.equal(await page.$eval('#pace', (node) => node.value), '0');
    await context.close();
});

// The page starts from what the worker keeps; a new build served since is
// kept once a page has loaded, whole, and played from the next load on.
test('a new build is played from the load after the one that finds it', async () => {
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'vurp-site-'));
    fs.cpSync(site, folder, { recursive: true });
    const own = await serve(folder);
    const context = await session.browser.createBrowserContext();
    const page = await context.newPage();
    await page.goto(own.url);
    await page.waitForSelector('html[data-ready="true"]');
    await page.evaluate(() => navigator.serviceWorker.ready);
    // The stylesheet the page was drawn with.
    const style = () => page.$eval('#status', (node) => getComputedStyle(node).outlineColor);
    const old = await style();
    fs.appendFileSync(path.join(folder, 'vurp.css'), '\n#status { outline-color: rgb(1, 2, 3); }\n');
    await page.reload();
    await page.waitForSelector('html[data-ready="true"]');
    assert.equal(await style(), old, 'a load is played as kept');
    await page.waitForFunction(async () => {
        const kept = await (await caches.open('vurp-site')).match('vurp.css');
        return (await kept.text()).includes('rgb(1, 2, 3)');
    });
    await page.reload();
    await page.waitForSelector('html[data-ready="true"]');
    assert.equal(await style(), 'rgb(1, 2, 3)');
    await context.close();
    const closed = new Promise((resolve) => own.server.close(resolve));
    own.server.closeAllConnections();
    await closed;
    fs.rmSync(folder, { recursive: true, force: true });
});
