// SPDX-License-Identifier: MIT
// Keeps a visited page working offline: the site's few files are cached on installation and
// served from the cache first; a new version of the site replaces the cache when it is installed.
'use strict';
const CACHE = 'zorbal-@ZORBAL_SITE_VERSION@';
// Every file of the site, written in by the build (cmake/web-site-files.cmake lists them).
const FILES = '@ZORBAL_SITE_FILES@'.split(' ');

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name !== CACHE).map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.match(event.request, { ignoreSearch: true })
    .then((hit) => hit || fetch(event.request)));
});
