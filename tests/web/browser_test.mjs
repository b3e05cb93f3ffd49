// The game's site in Debian's Chromium, headless, driven by puppeteer-core:
// the frames equal the simulator's, held arrows walk and push, a clear is
// saved and found again after a reload, the tune and the effects reach the
// audio graph, the site plays again with the server gone, and the console
// stays free of errors.
//
// Usage: node browser_test.mjs SITE DATAFILE SIM SOLUTION NODE_MODULES
//   SITE      the built site (make web)
//   DATAFILE  the data file the site ships (for the simulator)
//   SIM       rara3-sim
//   SOLUTION  stage 1's replay file (its moves are played as held arrows)
//   NODE_MODULES  where make web installed puppeteer-core
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import { createRequire } from 'node:module';
import path from 'node:path';

const [site, dataFile, sim, solution, nodeModules] = process.argv.slice(2).map((a) => path.resolve(a));
if (!nodeModules) {
  console.error('usage: browser_test.mjs SITE DATAFILE SIM SOLUTION NODE_MODULES');
  process.exit(2);
}

const puppeteer = createRequire(path.join(path.resolve(nodeModules), 'x.js'))('puppeteer-core');

const failures = [];
function check(ok, what) {
  console.log((ok ? 'ok   ' : 'FAIL ') + what);
  if (!ok) failures.push(what);
}

// --- The simulator's frames of the same data file. ---
const work = fs.mkdtempSync(path.join(os.tmpdir(), 'rara3-web-'));
fs.copyFileSync(dataFile, path.join(work, 'TOVAK.DAT'));
fs.writeFileSync(path.join(work, 'frames.txt'),
                 'run 1\nsnap title.png\nkey enter\nuntil idle 10\nrun 1\nsnap stage1.png\n');
execFileSync(sim, [path.join(work, 'TOVAK.DAT'), path.join(work, 'frames.txt')], { cwd: work });
const simFrames = {
  title: fs.readFileSync(path.join(work, 'title.png')).toString('base64'),
  stage1: fs.readFileSync(path.join(work, 'stage1.png')).toString('base64'),
};

// Stage 1's moves: a count, then one move code per line (31 down, 29 left,
// 28 right, 30 up).
const lines = fs.readFileSync(solution, 'latin1').split(/\r?\n/).filter((l) => l.trim() !== '');
const arrows = { 28: 'ArrowRight', 29: 'ArrowLeft', 30: 'ArrowUp', 31: 'ArrowDown' };
const moves = lines.slice(1, 1 + Number(lines[0])).map((l) => arrows[Number(l)]);
check(moves.length > 0 && moves.every(Boolean), `stage 1's solution has ${moves.length} moves`);

// --- The site on a local port. ---
const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
                '.css': 'text/css', '.txt': 'text/plain', '.webmanifest': 'application/manifest+json',
                '.png': 'image/png', '.svg': 'image/svg+xml', '.opus': 'audio/ogg' };
const server = http.createServer((req, res) => {
  const name = decodeURIComponent(new URL(req.url, 'http://x').pathname);
  const file = path.join(site, name === '/' ? 'index.html' : name);
  if (!file.startsWith(path.resolve(site)) || !fs.existsSync(file)) {
    res.writeHead(404).end();
    return;
  }
  res.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
  fs.createReadStream(file).pipe(res);
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const url = `http://127.0.0.1:${server.address().port}/`;

const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  userDataDir: path.join(work, 'profile'),
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
const consoleErrors = [];
const page = await browser.newPage();
await page.setViewport({ width: 1280, height: 1000 });
page.on('console', (m) => { if (m.type() === 'error') consoleErrors.push(m.text()); });
page.on('pageerror', (e) => consoleErrors.push(String(e)));
page.on('requestfailed', (r) => consoleErrors.push('request failed: ' + r.url()));

const status = () => page.evaluate(() => JSON.parse(
  window.rara3.module.UTF8ToString(window.rara3.module._rara3_status())));
const waitFor = (fn, arg, timeout = 15000) =>
  page.waitForFunction(fn, { polling: 'raf', timeout }, arg);
async function open() {
  await page.goto(url, { waitUntil: 'load' });
  await waitFor(() => window.rara3 && window.rara3.module && window.rara3.page.firstFrameMs !== null);
}
// The canvas against a PNG of the simulator: the number of pixels that
// differ, and the first of them.
const compare = (png) => page.evaluate(async (b64) => {
  const img = new Image();
  img.src = 'data:image/png;base64,' + b64;
  await img.decode();
  const c = document.createElement('canvas');
  c.width = 640;
  c.height = 480;
  const cx = c.getContext('2d');
  cx.drawImage(img, 0, 0);
  const want = cx.getImageData(0, 0, 640, 480).data;
  const got = document.getElementById('screen').getContext('2d').getImageData(0, 0, 640, 480).data;
  let diff = 0;
  let first = '';
  for (let i = 0; i < want.length; i += 4) {
    if (want[i] !== got[i] || want[i + 1] !== got[i + 1] || want[i + 2] !== got[i + 2]) {
      if (diff++ === 0) first = `at ${(i / 4) % 640},${Math.floor(i / 4 / 640)}`;
    }
  }
  return { diff, first };
}, png);

try {
  await open();
  const firstFrame = await page.evaluate(() => window.rara3.page.firstFrameMs);
  console.log(`first frame ${firstFrame.toFixed(0)} ms after the page started loading`);
  let st = await status();
  check(st.scene === 0 && st.maxStage === 1, 'a fresh browser starts on the title with stage 1');
  let cmp = await compare(simFrames.title);
  check(cmp.diff === 0, `the title equals the simulator's pixel for pixel (${cmp.diff} differ ${cmp.first})`);

  // Every frame's scene, and the loudest sample of the effects and of the
  // tune, watched from inside the page.
  await page.evaluate(() => {
    window.seenScenes = new Set();
    const m = window.rara3.module;
    const watch = () => {
      window.seenScenes.add(JSON.parse(m.UTF8ToString(m._rara3_status())).scene);
      requestAnimationFrame(watch);
    };
    watch();
  });

  await page.keyboard.press('Enter');
  await waitFor(() => JSON.parse(window.rara3.module.UTF8ToString(window.rara3.module._rara3_status())).scene === 1);
  await page.waitForFunction(() => window.rara3.page.sound.allowed && window.rara3.page.music.ready,
                             { timeout: 20000 });
  await new Promise((r) => setTimeout(r, 100));
  cmp = await compare(simFrames.stage1);
  check(cmp.diff === 0, `stage 1's first frame equals the simulator's (${cmp.diff} differ ${cmp.first})`);

  await page.evaluate(() => {
    const peak = (node, key) => {
      const a = node.context.createAnalyser();
      a.fftSize = 2048;
      node.connect(a);
      const data = new Float32Array(a.fftSize);
      window[key] = 0;
      setInterval(() => {
        a.getFloatTimeDomainData(data);
        for (const v of data) window[key] = Math.max(window[key], Math.abs(v));
      }, 20);
    };
    peak(window.rara3.module.SDL2.audio.scriptProcessorNode, 'effectPeak');
    peak(window.rara3.page.music.output, 'musicPeak');
  });

  // Stage 1 played with held arrows: each held until its move has started,
  // a run of the same arrow held through all of its moves.
  const start = await status();
  let i = 0;
  while (i < moves.length) {
    let j = i;
    while (j < moves.length && moves[j] === moves[i]) j++;
    const target = start.recordCount + j;
    await page.keyboard.down(moves[i]);
    await waitFor((t) => JSON.parse(window.rara3.module.UTF8ToString(
      window.rara3.module._rara3_status())).recordCount >= t, target);
    await page.keyboard.up(moves[i]);
    await waitFor(() => [1, 4].includes(JSON.parse(window.rara3.module.UTF8ToString(
      window.rara3.module._rara3_status())).scene));
    i = j;
  }
  st = await status();
  const scenes = await page.evaluate(() => [...window.seenScenes]);
  check(st.recordCount - start.recordCount === moves.length, `held arrows made ${moves.length} moves`);
  check(scenes.includes(2) && scenes.includes(3), 'the player walked and pushed');
  check(st.scene === 4, 'the stage is cleared');

  const audio = await page.evaluate(() => ({
    effect: window.effectPeak, music: window.musicPeak,
    playing: window.rara3.page.music.source !== null,
    state: window.rara3.module.SDL2.audioContext.state,
  }));
  check(audio.state === 'running', `sound runs after the first key (${audio.state})`);
  check(audio.playing && audio.music > 0, `the tune's recording plays (peak ${audio.music.toFixed(3)})`);
  check(audio.effect > 0, `an effect reached the audio graph (peak ${audio.effect.toFixed(3)})`);

  // A hidden tab runs nothing and sounds nothing; shown again, it goes on.
  const sample = async () => ({ frames: (await status()).frames, sound: await page.evaluate(
    () => window.rara3.module.SDL2.audioContext.state) });
  const other = await browser.newPage();
  await other.bringToFront();
  await new Promise((r) => setTimeout(r, 300));
  const hidden0 = await sample();
  await new Promise((r) => setTimeout(r, 700));
  const hidden1 = await sample();
  check(hidden1.frames === hidden0.frames && hidden1.sound === 'suspended',
        `a hidden tab runs no pass and no sound (${hidden1.frames - hidden0.frames} passes, ${hidden1.sound})`);
  await page.bringToFront();
  await other.close();
  await new Promise((r) => setTimeout(r, 300));
  const shown0 = await sample();
  await new Promise((r) => setTimeout(r, 700));
  const shown1 = await sample();
  check(shown1.frames > shown0.frames + 20 && shown1.sound === 'running',
        `shown again, it plays on (${shown1.frames - shown0.frames} passes in 0.7 s, ${shown1.sound})`);

  // Enter once the cheering has run: the replay and the progress are saved.
  const saved = await page.evaluate(() => window.rara3.page.storage.saved);
  for (let n = 0; n < 100 && (await status()).scene === 4; n++) {
    await page.keyboard.press('Enter');
    await new Promise((r) => setTimeout(r, 100));
  }
  st = await status();
  check(st.scene === 1 && st.stage === 2 && st.maxStage === 2, 'Enter goes on to stage 2, unlocked');
  await waitFor((n) => window.rara3.page.storage.saved > n && !window.rara3.page.storage.syncing, saved);

  await open();
  st = await status();
  check(st.maxStage === 2, `after a reload the progress is found (stage ${st.maxStage} unlocked)`);
  const files = await page.evaluate(() => window.rara3.module.FS.readdir('/save'));
  check(files.includes('001.PBD'), "stage 1's replay is kept: " + files.filter((f) => f[0] !== '.').join(' '));

  // The browser refuses to store: the editor's save (reached through the
  // page's button for Ctrl+Shift+F9) still works, and the player is told.
  await page.evaluate(() => {
    window.rara3.module.FS.syncfs = (populate, done) => done(new Error('QuotaExceededError'));
  });
  await page.click('details:first-of-type summary');
  await page.click('button[data-key="120"]');
  await waitFor(() => JSON.parse(window.rara3.module.UTF8ToString(window.rara3.module._rara3_status())).scene === 7);
  await page.keyboard.press('Enter');
  await waitFor(() => document.getElementById('message').open);
  const message = await page.evaluate(() => document.getElementById('message-text').textContent);
  check(/could not be stored/.test(message), 'a failed write to the browser\'s storage is shown: ' + message);
  await page.click('#message button');
  st = await status();
  check(st.scene === 0, 'the editor saved and went back to the title');

  // Esc on the title ends the game; the page offers a new start.
  await page.keyboard.press('Escape');
  await waitFor(() => !document.getElementById('ended').hidden);
  st = await status();
  check(st.ended, 'Esc on the title ends the game and the page says so');

  // Offline: the service worker has kept the site (and the tune, fetched
  // at the first key); with the server gone, a reload still shows the title
  // and plays.
  await page.evaluate(() => navigator.serviceWorker.ready);
  await waitFor(() => navigator.serviceWorker.controller !== null);
  server.closeAllConnections();
  await new Promise((r) => server.close(r));
  const before = consoleErrors.length;
  await open();
  // The browser's check for a new worker fails without a server; that is
  // expected here and nothing of the page's.
  consoleErrors.splice(before, consoleErrors.length - before,
                       ...consoleErrors.slice(before).filter((e) => !/sw\.js|ServiceWorker/i.test(e)));
  st = await status();
  check(st.scene === 0 && st.maxStage === 2, 'offline, a reload shows the title with the progress kept');
  await page.keyboard.press('Enter');
  await waitFor(() => JSON.parse(window.rara3.module.UTF8ToString(window.rara3.module._rara3_status())).scene === 1);
  await page.waitForFunction(() => window.rara3.page.music.ready, { timeout: 20000 });
  check(true, 'offline, Enter plays the chosen stage, with its music');
} catch (e) {
  check(false, 'the browser run: ' + e.message);
} finally {
  check(consoleErrors.length === 0, 'no error in the console' +
        (consoleErrors.length ? ': ' + consoleErrors.join(' | ') : ''));
  await browser.close();
  if (server.listening) server.close();
  fs.rmSync(work, { recursive: true, force: true });
}
if (failures.length) {
  console.error(`${failures.length} browser check(s) failed`);
  process.exit(1);
}
