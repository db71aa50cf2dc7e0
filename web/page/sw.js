// The page plays offline: every file of the site is kept in the cache the
// first time it is fetched, the page's own files at once, and answered from
// there; the network refreshes the cache behind it for the next visit.
'use strict';

const cacheName = 'vurp-site';
const core = ['./', 'index.html', 'vurp.css', 'page.js', 'vurp.js', 'vurp.wasm',
              'manifest.webmanifest', 'icon-64.png', 'icon-128.png', 'icon-256.png'];

self.addEventListener('install', (event) => {
    event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(core)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
    event.waitUntil(self.clients.claim());
});

self.addEventListener('fetch', (event) => {
    const request = event.request;
    if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) {
        return;
    }
    event.respondWith(
        caches.open(cacheName).then(async (cache) => {
            const kept = await cache.match(request, { ignoreSearch: true });
            const fresh = fetch(request)
                .then((response) => {
                    if (response.ok) {
                        cache.put(request, response.clone());
                    }
                    return response;
                })
                .catch(() => undefined);
            if (kept) {
                event.waitUntil(fresh);
                return kept;
            }
            return (await fresh) || Response.error();
        }),
    );
});

// The page asks for the card pictures it will need once it is playing.
self.addEventListener('message', (event) => {
    if (event.data && Array.isArray(event.data.keep)) {
        event.waitUntil(
            caches.open(cacheName).then(async (cache) => {
                for (const file of event.data.keep) {
                    if (!(await cache.match(file))) {
                        await cache.add(file).catch(() => {});
                    }
                }
            }),
        );
    }
});
