// The page in headless Chromium: Debian's own browser driven through
// puppeteer-core, which never fetches a browser of its own; the site served
// from the web build as build.sh serves it.
import path from 'node:path';

import puppeteer from 'puppeteer-core';

import { serve } from '../serve.mjs';
import { wasmBuild } from './support.mjs';

export const site = path.join(wasmBuild, 'site');
export const chromium = process.env.VURP_CHROMIUM ?? '/usr/bin/chromium';

// The server and the browser, for the length of a test file.
export async function openBrowser() {
    const server = await serve(site);
    const browser = await puppeteer.launch({
        executablePath: chromium,
        headless: true,
        args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-extensions'],
    });
    return {
        browser,
        server,
        url: server.url,
        async close() {
            await browser.close();
            await new Promise((resolve) => server.server.close(resolve));
        },
    };
}

// A fresh page at `query`, ready to play.
export async function openPage(browser, url, query = '', viewport = { width: 1280, height: 800 }) {
    const page = await browser.newPage();
    await page.setViewport(viewport);
    const errors = [];
    page.on('pageerror', (error) => errors.push(String(error)));
    await page.goto(url + query);
    await page.waitForSelector('html[data-ready="true"]');
    page.vurpErrors = errors;
    return page;
}

// What every element of the page shows, read from the DOM itself as the
// driver's snapshot writes a control.
export function readElements(page) {
    return page.evaluate(() => {
        const number = (css) => {
            const match = /^rgb\((\d+), (\d+), (\d+)\)$/.exec(css);
            return match ? Number(match[1]) + (Number(match[2]) << 8) + (Number(match[3]) << 16) : null;
        };
        const shown = {};
        for (const node of document.querySelectorAll('#table [data-name]')) {
            let text = '';
            let picture = '';
            let enabled = !node.disabled;
            if (node.classList.contains('picture')) {
                const src = node.firstChild.getAttribute('src') ?? '';
                picture = /([^/@.]+)(@\dx)?\.png$/.exec(src)?.[1] ?? '';
                enabled = node.dataset.enabled === 'true';
            } else if (node instanceof HTMLInputElement) {
                text = node.value;
            } else if (node instanceof HTMLTextAreaElement) {
                text = node.value.replace(/\n/g, '\r\n');
            } else {
                text = node.textContent;
            }
            shown[node.dataset.name] = {
                visible: !node.hidden,
                enabled,
                text,
                picture,
                back: number(node.style.backgroundColor),
                fore: number(node.style.color),
            };
        }
        return shown;
    });
}

// A mouse click on the element where the player sees it: at its centre, or,
// where another control lies over the centre, at a point of it in sight.
export async function clickElement(page, css) {
    const point = await page.$eval(css, (node) => {
        const box = node.getBoundingClientRect();
        const steps = [0.5, 0.3, 0.7, 0.15, 0.85, 0.05, 0.95];
        for (const y of steps) {
            for (const x of steps) {
                const at = [box.left + box.width * x, box.top + box.height * y];
                if (document.elementFromPoint(...at)?.closest('[data-name]') === node) {
                    return at;
                }
            }
        }
        return null;
    });
    if (!point) {
        throw new Error(`${css} is nowhere in sight`);
    }
    await page.mouse.click(...point);
}
