// The page plays offline: the page's own files are kept in the cache when
// the worker is installed, every other file of the site the first time it is
// fetched, and the card pictures at the screen's ratio when the page asks.
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

// The network first, so that a new build is never mixed with an old one;
// the cache when there is no network.
self.addEventListener('fetch', (event) => {
    const request = event.request;
    if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) {
        return;
    }
    event.respondWith(
        caches.open(cacheName).then((cache) =>
            fetch(request)
                .then((response) => {
                    if (response.ok) {
                        event.waitUntil(cache.put(request, response.clone()));
                    }
                    return response;
                })
                .catch(async () => (await cache.match(request, { ignoreSearch: true })) || Response.error()),
        ),
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
