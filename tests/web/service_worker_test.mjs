// The page's web app manifest and its service worker, without a browser:
// the worker is made by tools/web/service_worker.py from a small site and
// run against stand-ins for the cache storage, the network and the clients.
//   node service_worker_test.mjs SOURCE_DIR PYTHON
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import vm from 'node:vm';

const [src, python] = process.argv.slice(2);
let failed = 0;
function check(name, ok, detail = '') {
  console.log((ok ? 'ok: ' : 'FAIL: ') + name + (!ok && detail ? ` (${detail})` : ''));
  if (!ok) failed++;
}

// --- The manifest ---
const manifest = JSON.parse(fs.readFileSync(path.join(src, 'web/manifest.webmanifest'), 'utf8'));
check('manifest: name and short name', manifest.name === 'Rara3' && manifest.short_name === 'Rara3');
check('manifest: standalone from the site\'s own folder',
      manifest.display === 'standalone' && manifest.start_url === './' && manifest.scope === './');
check('manifest: colours', /^#[0-9a-f]{6}$/i.test(manifest.background_color) &&
      /^#[0-9a-f]{6}$/i.test(manifest.theme_color));
// The PNG icons it names, at the sizes it says: the build copies them from
// assets/icons/SIZE.png.
function pngSize(file) {
  const b = fs.readFileSync(file);
  return `${b.readUInt32BE(16)}x${b.readUInt32BE(20)}`;
}
for (const size of ['192x192', '512x512']) {
  const icon = manifest.icons.find((i) => i.sizes === size && i.type === 'image/png');
  check(`manifest: a ${size} icon`, !!icon);
  const file = path.join(src, 'assets/icons', size.split('x')[0] + '.png');
  check(`assets/icons: the ${size} icon is ${size}`, fs.existsSync(file) && pngSize(file) === size);
}
const index = fs.readFileSync(path.join(src, 'web/index.html'), 'utf8');
check('the page links the manifest', index.includes('<link rel="manifest" href="manifest.webmanifest">'));
check('the page registers the worker', fs.readFileSync(path.join(src, 'web/rara3-page.js'), 'utf8')
  .includes("serviceWorker.register('sw.js')"));

// --- The worker ---
const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'rara3-sw-'));
const site = path.join(dir, 'site');
fs.mkdirSync(site);
const files = { 'index.html': '<p>page</p>', 'rara3.js': 'js', 'rara3.wasm': 'wasm 1', 'rara3.data': 'data',
                'tune.opus': 'tune', 'effects.bin': 'effects' };
for (const [name, text] of Object.entries(files)) fs.writeFileSync(path.join(site, name), text);
function makeWorker() {
  execFileSync(python, [path.join(src, 'tools/web/service_worker.py'), path.join(src, 'web/sw.js.in'), site,
                        path.join(site, 'sw.js'), 'LICENSES.txt']);
  return fs.readFileSync(path.join(site, 'sw.js'), 'utf8');
}

// Stand-ins: one cache storage shared by the workers, a network that can be
// cut, and an IndexedDB that must never be touched.
const storage = new Map();
const network = { up: true, fetched: [] };
function cacheFor(name) {
  if (!storage.has(name)) {
    const entries = new Map();
    storage.set(name, {
      entries,
      async addAll(requests) {
        for (const r of requests) {
          const response = await fakeFetch(r);
          entries.set(new URL(r.url).pathname.replace(/^\/game\//, ''), response);
        }
      },
      async match(name) { return entries.get(name); },
      async put(name, response) { entries.set(name, response); },
    });
  }
  return storage.get(name);
}
const caches = {
  async open(name) { return cacheFor(name); },
  async keys() { return [...storage.keys()]; },
  async delete(name) { return storage.delete(name); },
};
async function fakeFetch(request) {
  const url = typeof request === 'string' ? request : request.url;
  network.fetched.push({ url, cache: request.cache });
  if (!network.up) throw new TypeError('Failed to fetch');
  return { from: 'network', url, ok: true, status: 200, clone() { return { ...this, from: 'cache' }; } };
}
class FakeRequest {
  constructor(url, init = {}) {
    this.url = new URL(url, 'https://example.org/game/sw.js').href;
    this.cache = init.cache;
    this.method = init.method || 'GET';
  }
}
const touchedDb = [];
function loadWorker(text) {
  const listeners = {};
  const self = {
    addEventListener: (type, fn) => { listeners[type] = fn; },
    registration: { scope: 'https://example.org/game/' },
    clients: { claimed: 0, async claim() { this.claimed++; } },
    skipped: 0,
    async skipWaiting() { this.skipped++; },
  };
  const indexedDB = new Proxy({}, { get: (_, key) => { touchedDb.push(key); return undefined; } });
  vm.runInNewContext(text, { self, caches, fetch: fakeFetch, Request: FakeRequest, URL, indexedDB, console });
  return { self, listeners };
}
async function dispatch(worker, type, event = {}) {
  let waited = null;
  let response = null;
  worker.listeners[type]({ ...event, waitUntil: (p) => { waited = p; }, respondWith: (p) => { response = p; } });
  if (waited) await waited;
  return response ? await response : null;
}

const first = makeWorker();
check('the same site gives the same worker', makeWorker() === first);
const v1 = first.match(/const SITE_VERSION = '([0-9a-f]+)'/)?.[1];
check('the worker has a version from the files', !!v1 && v1.length === 16);
const listed = JSON.parse(first.match(/const SITE_FILES = (\[[^\]]*\])/)[1]);
check('the worker lists every file of the site but itself, and the licences written later',
      JSON.stringify(listed) ===
        JSON.stringify(['LICENSES.txt', 'effects.bin', 'index.html', 'rara3.data', 'rara3.js', 'rara3.wasm',
                        'tune.opus']),
      JSON.stringify(listed));

fs.writeFileSync(path.join(site, 'LICENSES.txt'), 'licences');
const old = loadWorker(makeWorker());
await caches.open('other-app');   // someone else's cache on the same origin
await dispatch(old, 'install');
await dispatch(old, 'activate');
const oldName = [...storage.keys()].find((k) => k.startsWith('rara3-site-'));
check('install fills a cache with every file but the tune and the effects, checked with the server',
      storage.get(oldName)?.entries.size === 5 && !storage.get(oldName).entries.has('tune.opus') &&
      !storage.get(oldName).entries.has('effects.bin') &&
      network.fetched.every((f) => f.cache === 'no-cache'));
check('the new worker takes over at once', old.self.skipped === 1 && old.self.clients.claimed === 1);

// The tune and the effects are kept the first time the page fetches them.
const get = (url, init) => dispatch(old, 'fetch', { request: new FakeRequest(url, init) });
for (const name of ['tune.opus', 'effects.bin']) {
  const sound = await get('https://example.org/game/' + name);
  check(`${name} comes from the network the first time, and is kept`,
        sound?.from === 'network' && storage.get(oldName).entries.has(name));
}

// Offline: the page and its files come from the cache.
network.up = false;
network.fetched = [];
const page = await get('https://example.org/game/');
check('offline: the page\'s address gives index.html from the cache', page?.url?.endsWith('/game/index.html'));
const wasm = await get('https://example.org/game/rara3.wasm');
check('offline: the game from the cache', wasm?.url?.endsWith('/game/rara3.wasm') && network.fetched.length === 0);
check('offline: the tune from the cache', (await get('https://example.org/game/tune.opus'))?.from === 'cache');
check('offline: the effects from the cache', (await get('https://example.org/game/effects.bin'))?.from === 'cache');
check('requests not for the site are left to the browser',
      (await get('https://elsewhere.example/rara3.wasm')) === null &&
      (await get('https://example.org/other/rara3.wasm')) === null &&
      (await get('https://example.org/game/rara3.wasm', { method: 'POST' })) === null &&
      (await get('https://example.org/game/not-listed.txt')) === null);
network.up = true;

// A new version of the site: a new worker, a new cache, the old one gone.
fs.writeFileSync(path.join(site, 'rara3.wasm'), 'wasm 2');
const second = makeWorker();
const v2 = second.match(/const SITE_VERSION = '([0-9a-f]+)'/)?.[1];
check('a changed file gives a new version', v2 && v2 !== v1);
const next = loadWorker(second);
await dispatch(next, 'install');
check('until the new worker takes over, the old cache stays', storage.has(oldName));
await dispatch(next, 'activate');
const names = [...storage.keys()];
check('the new version replaces the old cache and leaves other caches alone',
      names.length === 2 && names.includes('other-app') && names.includes('rara3-site-' + v2) && !storage.has(oldName),
      names.join(', '));
check('the saves in IndexedDB are never touched', touchedDb.length === 0, touchedDb.join(', '));

fs.rmSync(dir, { recursive: true, force: true });
process.exit(failed ? 1 : 0);
