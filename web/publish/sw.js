// The installable site's service worker. Every file of the site is kept on the device at the
// first visit; the page, which holds the whole game, comes from the school's server whenever it
// answers within a moment, so that a new version shows at the next visit, and from the device
// otherwise. A new version of this file, with its new list, replaces the kept files as it
// starts, and the old ones go.
'use strict';

const KEPT = '@@CACHE@@';
const FILES = ['@@FILES@@']; // the site's files, put in as the site is made
const PAGE = 'index.html';
const PATIENCE_MS = 3000; // a server that is out of reach may take far longer to say so

self.addEventListener('install', (event) => {
    event.waitUntil(caches.open(KEPT)
        .then((kept) => kept.addAll(FILES.map((file) => new Request(file, {cache: 'reload'}))))
        .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
    event.waitUntil(caches.keys()
        .then((names) => Promise.all(names.filter((name) => name !== KEPT)
            .map((name) => caches.delete(name))))
        .then(() => self.clients.claim()));
});

function fromServer(request, kept) {
    return fetch(request).then((response) => {
        if (!response.ok)
            throw new Error(String(response.status));
        kept.put(PAGE, response.clone());
        return response;
    });
}

function page(request) {
    return caches.open(KEPT).then((kept) => kept.match(PAGE).then((copy) => {
        if (!copy)
            return fetch(request);
        const server = fromServer(request, kept);
        const late = new Promise((resolve) => setTimeout(() => resolve(copy), PATIENCE_MS));
        return Promise.race([server.catch(() => copy), late]);
    }));
}

self.addEventListener('fetch', (event) => {
    const request = event.request;
    if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin)
        return;
    if (request.mode === 'navigate') {
        event.respondWith(page(request));
        return;
    }
    event.respondWith(caches.match(request, {cacheName: KEPT, ignoreSearch: true})
        .then((copy) => copy || fetch(request)));
});
