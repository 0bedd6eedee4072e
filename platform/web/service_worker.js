// Keeps one build of the game in the browser, so that after one visit the page starts and
// plays with no network, music included.
//
// Every file but the page and this worker lies in a folder named after a hash of the whole
// build (ui/web/site.cmake): a name there stands for one content only, and the page names no
// folder but its own. The worker keeps its build in a cache of the same name, and serves the
// page itself, whose name never changes, from that cache. So a page and everything it loads
// always come from one build, with the network or without.
//
// A new build changes this file (its folder's name is in it). On the next visit with network
// the browser finds the change and installs the new worker, which fetches the new build
// while the old page plays on; it then takes over, and the next start shows the new build.
// The previous build's cache is kept for pages of it that are still open (their music may
// still have to be loaded); older ones are deleted.
'use strict';

const BUILD = '@VORLASK_BUILD@';
const CACHE = 'vorlask-' + BUILD;
const FILES = @VORLASK_FILES@;

self.addEventListener('install', (event) => {
  event.waitUntil((async () => {
    const cache = await caches.open(CACHE);
    // A page published after this worker was fetched names another build: this worker is
    // then out of date before it starts, and the browser tries again on a later visit.
    const page = await fetch('./', { cache: 'no-cache' });
    if (!page.ok || !(await page.clone().text()).includes(BUILD)) {
      throw new Error('the page on the server is not build ' + BUILD);
    }
    await cache.put('./', page);
    await cache.addAll(FILES);
    await self.skipWaiting();
  })());
});

self.addEventListener('activate', (event) => {
  event.waitUntil((async () => {
    const others = (await caches.keys()).filter((name) => name.startsWith('vorlask-') && name !== CACHE);
    // The cache list is in the order the caches were made: the last is the previous build.
    for (const name of others.slice(0, -1)) await caches.delete(name);
    await self.clients.claim();
  })());
});

const scope = new URL(self.registration.scope);

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET') return;
  const url = new URL(request.url);
  if (url.origin !== scope.origin) return;
  if (request.mode === 'navigate') {
    if (url.pathname !== scope.pathname && url.pathname !== scope.pathname + 'index.html') return;
    event.respondWith((async () => {
      const page = await (await caches.open(CACHE)).match('./');
      return page || fetch(request);
    })());
    return;
  }
  event.respondWith((async () => {
    const own = await (await caches.open(CACHE)).match(request);
    return own || (await caches.match(request)) || fetch(request);
  })());
});
