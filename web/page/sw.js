// The page plays offline, and starts from the cache: the page's own files are
// kept in the cache when the worker is installed, every other file of the
// site the first time it is fetched, and the card pictures at the screen's
// ratio when the page asks.
'use strict';

const cacheName = 'vurp-site';
const core = ['./', 'index.html', 'vurp.css', 'page.js', 'vurp.js', 'vurp.wasm',
              'manifest.webmanifest', 'icon-32.png', 'icon-128.png', 'icon-256.png'];

self.addEventListener('install', (event) => {
    event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(core)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
    event.waitUntil(self.clients.claim());
});

// The cache first: a load costs no round trip, and the module compiled once
// is taken from beside its file. What the cache lacks comes from the network
// and is kept. A new build reaches the cache only once a page has loaded
// (see refresh), so a load never mixes a new build with an old one; it is
// played from the next load on.
//
// A file is looked up by its address, which the cache finds at once; only
// an address with a query (the page's settings, such as ?pace=0) is looked
// up again without it, and then among every address kept, which costs the
// cache a walk through all of them.
let opened = null;
const openCache = () => (opened ??= caches.open(cacheName));

async function kept(cache, request) {
    const exact = await cache.match(request);
    const url = new URL(request.url);
    if (exact || !url.search) {
        return exact;
    }
    url.search = '';
    return (await cache.match(url.href)) ?? cache.match(request, { ignoreSearch: true });
}

self.addEventListener('fetch', (event) => {
    const request = event.request;
    if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) {
        return;
    }
    lastAsked = Date.now();
    ++underWay;
    event.respondWith(
        openCache()
            .then(async (cache) => {
                const found = await kept(cache, request);
                if (found) {
                    return found;
                }
                const response = await fetch(request);
                if (response.ok) {
                    event.waitUntil(cache.put(request, response.clone()));
                }
                return response;
            })
            .finally(() => {
                --underWay;
                lastAsked = Date.now();
            }),
    );
});

// Whether two answers for a file are the same file, as far as their
// validators tell.
function same(kept, fresh) {
    const tag = fresh.headers.get('etag');
    if (tag) {
        return tag === kept.headers.get('etag');
    }
    const modified = fresh.headers.get('last-modified');
    return Boolean(modified) && modified === kept.headers.get('last-modified') &&
           fresh.headers.get('content-length') === kept.headers.get('content-length');
}

// Asks the server whether each file kept is still its file, and only when
// every answer has come, keeps the changed ones together.
async function refresh() {
    const cache = await openCache();
    const requests = await cache.keys();
    const answers = await Promise.all(
        requests.map(async (request) => {
            const kept = await cache.match(request);
            const fresh = await fetch(request.url, { cache: 'no-cache' });
            return { request, fresh, changed: fresh.ok && !(kept && same(kept, fresh)) };
        }),
    );
    const changed = answers.filter((answer) => answer.changed);
    // Bodies first, so that the puts follow one another at once.
    const bodies = await Promise.all(changed.map((answer) => answer.fresh.blob()));
    await Promise.all(
        changed.map((answer, k) =>
            cache.put(answer.request, new Response(bodies[k], {
                status: answer.fresh.status,
                statusText: answer.fresh.statusText,
                headers: answer.fresh.headers,
            })),
        ),
    );
}

// Whether a page is loading: the time of the last file asked for, and how
// many are on their way. Keeping the pictures waits while one is, so that a
// page loading never waits on the cache or the network behind them.
let lastAsked = 0;
let underWay = 0;
const quiet = 300; // ms without a file asked for
const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
async function whenQuiet() {
    for (let left = underWay > 0 ? 1 : quiet - (Date.now() - lastAsked); left > 0;
         left = underWay > 0 ? 1 : quiet - (Date.now() - lastAsked)) {
        await pause(Math.max(left, 20));
    }
}

// The page, once playing, asks for the card pictures it will need, and, when
// it was loaded from the cache, that the files kept be checked against the
// server's. The pictures missing are found with one look at what is kept,
// and fetched one by one while no page is loading.
self.addEventListener('message', (event) => {
    if (event.data && Array.isArray(event.data.keep)) {
        event.waitUntil(
            openCache().then(async (cache) => {
                if (event.data.refresh) {
                    await whenQuiet();
                    await refresh().catch(() => {});
                }
                const held = new Set((await cache.keys()).map((request) => request.url));
                for (const file of event.data.keep) {
                    const url = new URL(file, self.location.href).href;
                    if (!held.has(url)) {
                        await whenQuiet();
                        if (!(await cache.match(url))) {
                            await cache.add(url).catch(() => {});
                        }
                        held.add(url);
                    }
                }
            }),
        );
    }
});
