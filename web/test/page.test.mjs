// The page in a real browser plays every golden script, and random games of
// the checker, through its own elements: a mouse click on the element a
// script line names, the stake typed into the page's box. What the driver
// would print for the lines (snapshots, refusals and events) is what the
// native driver prints, byte for byte, and at every `dump` the elements
// themselves show what the snapshot says.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { after, before, test } from 'node:test';

import { clickElement, openBrowser, openPage, readElements } from './browser.mjs';
import { goldenScripts, nativeChecker, nativeDriver, run } from './support.mjs';

let session;
before(async () => {
    session = await openBrowser();
});
after(() => session?.close());

function lines(script) {
    return script
        .split('\n')
        .map((line) => line.replace(/\r$/, ''))
        .filter((line) => line.trim() !== '' && !line.trim().startsWith('#'));
}

const selector = (name, index) => `#table [data-name="${index ? `${name}(${index})` : name}"]`;

// Whether the element can take a click now, as the page shows it.
function pressable(page, css) {
    return page.$eval(css, (node) => {
        if (node.hidden) {
            return false;
        }
        return node.classList.contains('picture') ? node.dataset.enabled === 'true' : !node.disabled;
    });
}

// Replaces the stake box's text as a player does: everything selected, then
// the new text typed over it in one go (or deleted).
async function typeStake(page, text) {
    const css = selector('Stavk', 0);
    const usable = await page.$eval(css, (node) => !node.hidden && !node.disabled);
    assert.ok(usable, 'the stake box takes typing');
    await page.$eval(css, (node) => {
        node.focus();
        node.select();
    });
    if (text === '') {
        const current = await page.$eval(css, (node) => node.value);
        if (current !== '') {
            await page.keyboard.press('Backspace');
        }
    } else {
        await page.keyboard.sendCharacter(text);
    }
}

// Plays the script through the page; gives what the driver would print, one
// string a line.
async function playThroughPage(page, script) {
    const out = [];
    let acted = false;
    const events = async () => {
        for (const event of await page.evaluate(() => window.vurpPage.events())) {
            out.push(JSON.stringify(event));
        }
    };
    for (const line of lines(script)) {
        const words = line.trim().split(/[ \t]+/);
        if (words[0] === 'seed') {
            assert.ok(!acted, 'a game starts from a seed only before any action');
            assert.equal(await page.evaluate((seed) => window.vurpPage.start(seed), words[1]), 1);
            continue;
        }
        acted = true;
        if (words[0] === 'rand') {
            assert.equal(await page.evaluate((value) => window.vurpPage.random(value), words[1]), 1);
            continue;
        }
        if (words[0] === 'click') {
            const css = selector(words[1], words.length > 2 ? Number(words[2]) : 0);
            if (!(await pressable(page, css))) {
                out.push(JSON.stringify({ refused: line.trim() }));
                continue;
            }
            await clickElement(page, css);
        } else if (words[0] === 'type') {
            await typeStake(page, line.slice(line.indexOf('Stavk') + 'Stavk'.length + 1));
        } else {
            assert.equal(line.trim(), 'dump');
            const snapshot = await page.evaluate(() => window.vurpPage.snapshot());
            out.push(snapshot);
            assert.deepEqual(await readElements(page), JSON.parse(snapshot).controls, `the page at ${out.length}`);
        }
        await events();
    }
    assert.deepEqual(page.vurpErrors, []);
    return out;
}

async function assertPagePlaysAsDriver(page, script) {
    const expected = await run(nativeDriver, ['--events', '-'], script);
    assert.equal(expected.status, 0, expected.stderr);
    const wanted = expected.stdout.toString().split('\n').filter((line) => line !== '');
    const played = await playThroughPage(page, script);
    played.forEach((line, k) => assert.equal(line, wanted[k], `output line ${k + 1}`));
    assert.equal(played.length, wanted.length);
}

test('every golden script clicked through the page shows what the driver prints', async (t) => {
    const page = await openPage(session.browser, session.url, '?script');
    for (const script of goldenScripts()) {
        await t.test(path.basename(script), async () => {
            await page.reload();
            await page.waitForSelector('html[data-ready="true"]');
            page.vurpErrors.length = 0;
            await assertPagePlaysAsDriver(page, fs.readFileSync(script, 'utf8'));
        });
    }
    await page.close();
});

// Random games have typed stakes and refused clicks the golden ones lack.
// VURP_PAGE_GAMES=20 VURP_PAGE_EVENTS=2000 clicks twenty games of 2,000
// events (about 3,000 lines each) through the page instead of two of 400.
const randomGames = Number(process.env.VURP_PAGE_GAMES ?? 2);
const randomEvents = Number(process.env.VURP_PAGE_EVENTS ?? 400);
test('random games clicked through the page show what the driver prints', async (t) => {
    const page = await openPage(session.browser, session.url, '?script');
    for (let seed = 11; seed < 11 + randomGames; ++seed) {
        await t.test(`seed ${seed}`, async () => {
            const made = await run(nativeChecker, ['--seed', String(seed), '--events', String(randomEvents), '--script']);
            assert.equal(made.status, 0, made.stderr);
            await page.reload();
            await page.waitForSelector('html[data-ready="true"]');
            page.vurpErrors.length = 0;
            // An open panel lies over the table and takes its clicks, in the
            // page as in the window; the driver has nothing that lies over
            // anything. The panels' buttons are left out of these games.
            const script = made.stdout
                .toString()
                .split('\n')
                .filter((line) => !/^click (Pravila|Game)\s*$/.test(line))
                .join('\n');
            await assertPagePlaysAsDriver(page, script);
        });
    }
    await page.close();
});
