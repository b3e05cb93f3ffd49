// The game's site in Debian's Chromium, headless, driven by puppeteer-core:
// the frames equal the simulator's, the first key only lets sound start,
// held arrows walk and push, a clear is saved and found again after a
// reload, the tune and the effects reach the audio graph, the picture fits
// phone, tablet and desktop windows with sharp pixels, a refused audio
// context leaves the game playable, the site plays again with the server
// gone, and the console stays free of errors.
//
// Usage: node browser_test.mjs SITE DATAFILE SIM SOLUTION NODE_MODULES
// With RARA3_WEB_SHOTS set to a folder, the page at each window size is
// kept there as a PNG.
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
// The page shows the side panels from the first start, as the desktop game
// does; the simulator draws them too, in the page's language (English).
execFileSync(sim, ['--panels', path.join(work, 'TOVAK.DAT'), path.join(work, 'frames.txt')],
             { cwd: work, env: { ...process.env, LANGUAGE: '', LC_ALL: 'C' } });
const simFrames = {
  title: fs.readFileSync(path.join(work, 'title.png')).toString('base64'),
  stage1: fs.readFileSync(path.join(work, 'stage1.png')).toString('base64'),
};

// Stage 1's moves: a count, then one move code per line (31 down, 29 left,
// 28 right, 30 up).
const arrows = { 28: 'ArrowRight', 29: 'ArrowLeft', 30: 'ArrowUp', 31: 'ArrowDown' };
const readMoves = (file) => {
  const l = fs.readFileSync(file, 'latin1').split(/\r?\n/).filter((x) => x.trim() !== '');
  return l.slice(1, 1 + Number(l[0])).map((x) => arrows[Number(x)]);
};
const moves = readMoves(solution);
check(moves.length > 0 && moves.every(Boolean), `stage 1's solution has ${moves.length} moves`);
const moves2 = readMoves(path.join(path.dirname(solution), '002.PBD'));

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

// A page in a fresh profile of its own (its own storage and lock), with the
// window given, the game started and its errors counted with the others.
async function freshPage(viewport, name, setup) {
  const context = await browser.createBrowserContext();
  const p = await context.newPage();
  p.on('console', (m) => { if (m.type() === 'error') consoleErrors.push(name + ': ' + m.text()); });
  p.on('pageerror', (e) => consoleErrors.push(name + ': ' + String(e)));
  p.on('requestfailed', (r) => consoleErrors.push(name + ': request failed: ' + r.url()));
  await p.setViewport(viewport);
  if (setup) await p.evaluateOnNewDocument(setup);
  await p.goto(url, { waitUntil: 'load' });
  await p.waitForFunction(() => window.rara3 && window.rara3.module && window.rara3.page.firstFrameMs !== null,
                          { polling: 'raf', timeout: 15000 });
  return { page: p, close: () => context.close() };
}

// Pointer play on a page: the touch buttons beside or below the picture,
// every board cell under the canvas, stage 1 cleared by taps (or clicks)
// alone, stage 2 by swipes (or drags) alone, then each button.
const STEP = { ArrowRight: [1, 0], ArrowLeft: [-1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1] };
async function pointerPlay(p, size, name) {
  const pStatus = () => p.evaluate(() => JSON.parse(
    window.rara3.module.UTF8ToString(window.rara3.module._rara3_status())));
  const until = (fn, arg, timeout = 10000) => p.waitForFunction(fn, { polling: 'raf', timeout }, arg);
  const rect = () => p.evaluate(() => {
    const r = document.getElementById('screen').getBoundingClientRect();
    return { left: r.left, top: r.top, width: r.width, height: r.height, right: r.right, bottom: r.bottom };
  });
  // CSS pixel of a picture pixel.
  const at = (r, x, y) => [r.left + (x + 0.5) * r.width / 640, r.top + (y + 0.5) * r.height / 480];
  const cellAt = (r, cx, cy) => at(r, 80 + cx * 24 + 11.5, cy * 24 + 11.5);
  const tap = async (x, y) => {
    if (size.touch) await p.touchscreen.tap(x, y); else await p.mouse.click(x, y);
  };
  const swipe = async (x, y, dx, dy) => {
    if (size.touch) {
      await p.touchscreen.touchStart(x, y);
      await p.touchscreen.touchMove(x + dx / 2, y + dy / 2);
      await p.touchscreen.touchMove(x + dx, y + dy);
      await p.touchscreen.touchEnd();
    } else {
      await p.mouse.move(x, y);
      await p.mouse.down();
      await p.mouse.move(x + dx / 2, y + dy / 2);
      await p.mouse.move(x + dx, y + dy);
      await p.mouse.up();
    }
  };
  // A move asked for: its record, then the player standing again.
  const moved = async (before) => {
    await until((n) => JSON.parse(window.rara3.module.UTF8ToString(
      window.rara3.module._rara3_status())).recordCount > n, before);
    await until(() => [1, 4].includes(JSON.parse(window.rara3.module.UTF8ToString(
      window.rara3.module._rara3_status())).scene));
  };

  let r = await rect();
  // The first tap only lets sound start (unless full screen's click has
  // already); the next starts stage 1.
  let st;
  if (!(await p.evaluate(() => window.rara3.page.sound.allowed))) {
    await tap(...at(r, 320, 420));
    await new Promise((res) => setTimeout(res, 200));
    st = await pStatus();
    check(st.scene === 0 && !st.ended, `${name}: the first tap only lets sound start`);
  }
  await tap(...at(r, 320, 420));
  await until(() => JSON.parse(window.rara3.module.UTF8ToString(window.rara3.module._rara3_status())).scene === 1);
  await p.evaluate(() => new Promise((res) => requestAnimationFrame(() => requestAnimationFrame(res))));
  r = await rect();

  if (size.touch) {
    const pad = await p.evaluate(() => [...document.querySelectorAll('#pad button')].map((b) => {
      const q = b.getBoundingClientRect();
      return { text: b.textContent, left: q.left, top: q.top, right: q.right, bottom: q.bottom,
               width: q.width, height: q.height, shown: q.width > 0 && q.height > 0 };
    }));
    const e = 1 / 64;
    const outside = (b) => b.right <= r.left + e || b.left >= r.right - e || b.bottom <= r.top + e ||
                           b.top >= r.bottom - e;
    const where = (b) => (size.width > size.height ? b.left >= r.right - e : b.top >= r.bottom - e);
    check(pad.length === 5 && pad.every((b) => b.shown && b.width >= 44 && b.height >= 44 && outside(b) &&
                                        where(b) && b.left >= -e && b.right <= size.width + e &&
                                        b.top >= -e && b.bottom <= size.height + e),
          `${name}: the touch buttons are at least 44 px, ${size.width > size.height ? 'beside' : 'below'} ` +
          `the picture, in view (${pad.map((b) => `${b.text} ${b.width.toFixed(0)}x${b.height.toFixed(0)}`).join(', ')})`);
  }
  if (process.env.RARA3_WEB_SHOTS) {
    await p.screenshot({ path: path.join(process.env.RARA3_WEB_SHOTS, size.name + '-play.png') });
  }

  // Every board cell: the canvas is under its middle, in the window, and
  // the page maps that point to the cell.
  const cells = await p.evaluate((r) => {
    const canvas = document.getElementById('screen');
    let bad = [];
    for (let cy = 0; cy < 20; cy++) {
      for (let cx = 0; cx < 20; cx++) {
        const x = r.left + (80 + cx * 24 + 12) * r.width / 640;
        const y = r.top + (cy * 24 + 12) * r.height / 480;
        const gx = Math.floor((x - r.left) * 640 / r.width);
        const gy = Math.floor((y - r.top) * 480 / r.height);
        const ok = document.elementFromPoint(x, y) === canvas && x >= 0 && y >= 0 &&
                   x < window.innerWidth && y < window.innerHeight &&
                   Math.floor((gx - 80) / 24) === cx && Math.floor(gy / 24) === cy;
        if (!ok) bad.push(`${cx},${cy}`);
      }
    }
    return bad;
  }, r);
  check(cells.length === 0, `${name}: every board cell can be tapped` + (cells.length ? ' (not ' + cells.slice(0, 5).join(' ') + ')' : ''));

  // Stage 1 by taps alone: each move a tap on the cell next to the player.
  for (const m of moves) {
    st = await pStatus();
    const [dx, dy] = STEP[m];
    await tap(...cellAt(r, st.playerX + dx, st.playerY + dy));
    await moved(st.recordCount);
  }
  st = await pStatus();
  check(st.scene === 4 && st.stage === 1, `${name}: stage 1 cleared by ${size.touch ? 'taps' : 'clicks'} alone (${moves.length} moves)`);
  for (let n = 0; n < 100 && (await pStatus()).scene === 4; n++) {
    await tap(...at(r, 320, 240));
    await new Promise((res) => setTimeout(res, 100));
  }

  // Stage 2 by swipes alone, from the middle of the board, two cells long.
  const [mx, my] = at(r, 320, 240);
  const len = 48 * r.width / 640;
  for (const m of moves2) {
    st = await pStatus();
    const [dx, dy] = STEP[m];
    await swipe(mx, my, dx * len, dy * len);
    await moved(st.recordCount);
  }
  st = await pStatus();
  check(st.scene === 4 && st.stage === 2, `${name}: stage 2 cleared by ${size.touch ? 'swipes' : 'drags'} alone (${moves2.length} moves)`);
  if (!size.touch) return;

  // The buttons: the key-downs of Enter, Space, Backspace, R and Esc.
  const press = async (label) => {
    const b = await p.evaluateHandle((l) => [...document.querySelectorAll('#pad button')]
      .find((x) => x.textContent === l), label);
    await b.tap();
    await new Promise((res) => setTimeout(res, 150));
  };
  for (let n = 0; n < 100 && (await pStatus()).scene === 4; n++) await press('Enter');
  st = await pStatus();
  const enterOk = st.scene === 1 && st.stage === 3;
  await press('Colours');
  const colours = (await pStatus()).altColors !== st.altColors;
  const before = (await pStatus()).recordCount;
  await swipe(mx, my, 0, len);
  await moved(before);
  // Back up the way it came, which is always open.
  await swipe(mx, my, 0, -len);
  await moved(before + 1);
  await press('Undo');
  const undone = (await pStatus()).recordCount < before + 2;
  await press('Restart');
  const restarted = (await pStatus()).recordCount === 0;
  await press('Give up');
  const gaveUp = (await pStatus()).scene === 5;
  check(enterOk && colours && undone && restarted && gaveUp,
        `${name}: the buttons act as their keys (Enter ${enterOk}, Colours ${colours}, Undo ${undone}, ` +
        `Restart ${restarted}, Give up ${gaveUp})`);
}

// A checkerboard of single game pixels on the canvas, photographed in device
// pixels: the lengths of the runs of one colour across and down its middle.
// Sharp means every run is k long and every pixel pure black or white.
async function pixelRuns(p, rect, ratio) {
  await p.evaluate(() => {
    window.rara3.page.present = () => {};
    const cx = document.getElementById('screen').getContext('2d');
    const img = cx.createImageData(640, 480);
    for (let i = 0; i < 640 * 480; i++) {
      const v = ((i % 640) + Math.floor(i / 640)) % 2 ? 255 : 0;
      img.data.set([v, v, v, 255], i * 4);
    }
    cx.putImageData(img, 0, 0);
  });
  await p.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
  const shot = await p.screenshot({ encoding: 'base64' });
  return p.evaluate(async (b64, r, ratio) => {
    const img = new Image();
    img.src = 'data:image/png;base64,' + b64;
    await img.decode();
    const c = document.createElement('canvas');
    c.width = img.naturalWidth;
    c.height = img.naturalHeight;
    const cx = c.getContext('2d');
    cx.drawImage(img, 0, 0);
    const x0 = Math.round(r.left * ratio), x1 = Math.round(r.right * ratio);
    const y0 = Math.round(r.top * ratio), y1 = Math.round(r.bottom * ratio);
    const runsOf = (data) => {
      const runs = new Map();
      let pure = true, len = 1;
      for (let i = 0; i < data.length; i += 4) {
        if (data[i] !== 0 && data[i] !== 255) pure = false;
        if (i + 4 < data.length && data[i + 4] === data[i]) { len++; continue; }
        runs.set(len, (runs.get(len) || 0) + 1);
        len = 1;
      }
      return { pure, runs };
    };
    const row = runsOf(cx.getImageData(x0, Math.floor((y0 + y1) / 2), x1 - x0, 1).data);
    const column = runsOf(cx.getImageData(Math.floor((x0 + x1) / 2), y0, 1, y1 - y0).data);
    const k = (x1 - x0) / 640;
    const even = (m, count) => m.runs.size === 1 && m.runs.get(k) === count;
    const show = (m) => [...m.runs].map(([l, n]) => `${n}x${l}`);
    return { ok: Number.isInteger(k) && row.pure && column.pure && even(row, 640) && even(column, 480),
             rowRuns: show(row), columnRuns: show(column) };
  }, shot, rect, ratio);
}

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

  // The first key, Esc, only lets sound start: the title stays.
  await page.keyboard.press('Escape');
  await new Promise((r) => setTimeout(r, 300));
  st = await status();
  const answered = await page.evaluate(() => ({
    allowed: window.rara3.page.sound.allowed,
    invite: document.getElementById('sound-invite').hidden,
  }));
  check(st.scene === 0 && !st.ended && answered.allowed && answered.invite,
        `the first key (Esc) lets sound start and no more (scene ${st.scene}, ended ${st.ended})`);
  await page.keyboard.press('Enter');
  await waitFor(() => JSON.parse(window.rara3.module.UTF8ToString(window.rara3.module._rara3_status())).scene === 1);
  await page.waitForFunction(() => window.rara3.page.sound.allowed && window.rara3.page.music.ready &&
                             window.rara3.page.effectsFetched, { timeout: 20000 });
  await new Promise((r) => setTimeout(r, 100));
  cmp = await compare(simFrames.stage1);
  check(cmp.diff === 0, `stage 1's first frame equals the simulator's (${cmp.diff} differ ${cmp.first})`);

  // Standing still, the game keeps its passes on a timer: no frame
  // callbacks, nothing sent to the canvas, the effects' mixer off the
  // speakers.
  await new Promise((r) => setTimeout(r, 500));
  const still = await page.evaluate(async () => {
    const status = () => JSON.parse(window.rara3.module.UTF8ToString(window.rara3.module._rara3_status()));
    const ask = window.requestAnimationFrame;
    let asked = 0;
    // The test's own scene watcher aside.
    window.requestAnimationFrame = (f) => { if (f.name !== 'watch') asked++; return ask(f); };
    const before = status();
    await new Promise((r) => setTimeout(r, 1000));
    const after = status();
    window.requestAnimationFrame = ask;
    return { passes: after.frames - before.frames, presented: after.presented - before.presented,
             asked, mixing: window.rara3.page.effects.joined };
  });
  check(still.passes >= 40 && still.passes <= 62 && still.presented === 0 && still.asked === 0 && !still.mixing,
        `a still board: ${still.passes} passes in 1 s, ${still.presented} frames sent, ` +
        `${still.asked} frame callbacks, effects mixer ${still.mixing ? 'on' : 'off'}`);

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
  // The game opened again in another tab of the same browser: told so, and
  // never started (the two would overwrite each other's saves).
  const other = await browser.newPage();
  await other.bringToFront();
  await other.goto(url);
  await other.waitForFunction(() => document.getElementById('message').open, { timeout: 20000 });
  const second = await other.evaluate(() => ({
    text: document.getElementById('message-text').textContent,
    started: window.rara3.module !== null,
  }));
  check(/already open in another tab/.test(second.text) && !second.started,
        `a second tab of the game says so and does not start (${second.text}; started ${second.started})`);
  await new Promise((r) => setTimeout(r, 300));
  const hidden0 = await sample();
  await new Promise((r) => setTimeout(r, 700));
  const hidden1 = await sample();
  check(hidden1.frames === hidden0.frames && hidden1.sound === 'suspended',
        `a hidden tab runs no pass and no sound (${hidden1.frames - hidden0.frames} passes, ${hidden1.sound})`);
  // Hidden on the clear screen (a tab that may be closed or discarded
  // unseen): the clear is written before the page stores its files.
  const keptHidden = await page.evaluate(() => ({
    status: JSON.parse(window.rara3.module.UTF8ToString(window.rara3.module._rara3_status())),
    files: window.rara3.module.FS.readdir('/save'),
  }));
  check(keptHidden.status.scene === 4 && keptHidden.status.maxStage === 2 && keptHidden.files.includes('001.PBD'),
        `hidden on the clear screen, the clear is kept before Enter (stage ${keptHidden.status.maxStage} open, ` +
        `${keptHidden.files.filter((f) => f[0] !== '.').join(' ')})`);
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

  // A save made while an earlier one is still being stored (here: a sync
  // that never ends), then the tab hidden and soon after gone, as a browser
  // may discard a hidden tab without a word: the page stores the save as it
  // is hidden, and the next page finds it. The reloaded page's first key
  // only lets sound start.
  await page.keyboard.press('Shift');
  await page.evaluate(() => {
    const fs = window.rara3.module.FS;
    const real = fs.syncfs.bind(fs);
    let calls = 0;
    fs.syncfs = (populate, done) => { if (calls++ > 0) real(populate, done); };
    window.rara3.page.persist();
    const b = document.querySelector('button[data-key="120"]');
    window.rara3.module._rara3_key(Number(b.dataset.key), Number(b.dataset.mask));
  });
  await waitFor(() => JSON.parse(window.rara3.module.UTF8ToString(window.rara3.module._rara3_status())).scene === 7);
  await page.keyboard.press('Enter');
  await waitFor(() => JSON.parse(window.rara3.module.UTF8ToString(window.rara3.module._rara3_status())).scene === 0);
  const cover = await browser.newPage();
  await cover.bringToFront();
  await new Promise((r) => setTimeout(r, 1000));
  const flushes = await page.evaluate(() => window.rara3.page.storage.flushes);
  await page.goto('about:blank');
  await cover.close();
  await page.bringToFront();
  await open();
  const kept = await page.evaluate(() => window.rara3.module.FS.readdir('/save'));
  check(flushes > 0 && kept.includes('001.LVL'), `an editor save is stored as the tab is hidden (${flushes} flush) ` +
        'and found after the tab is gone: ' + kept.filter((f) => f[0] !== '.').join(' '));

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

  // --- Window sizes: phones both ways, a tablet, desktops at 1, 1.25 and
  // 1.5 device pixels per CSS pixel, a large touch screen. Each in a fresh
  // profile of its own.
  const sizes = [
    { name: 'phone-portrait', play: true, width: 390, height: 844, ratio: 3, touch: true },
    { name: 'phone-landscape', play: true, width: 844, height: 390, ratio: 3, touch: true },
    { name: 'tablet', play: true, width: 768, height: 1024, ratio: 2, touch: true },
    { name: 'desktop', play: true, width: 1920, height: 1080, ratio: 1, touch: false },
    { name: 'desktop-touch', play: true, width: 1920, height: 1080, ratio: 1, touch: true },
    { name: 'laptop-125', width: 1536, height: 864, ratio: 1.25, touch: false },
    { name: 'laptop-150', width: 1280, height: 720, ratio: 1.5, touch: false },
    { name: 'small-125', width: 700, height: 560, ratio: 1.25, touch: false },
  ];
  for (const size of sizes) {
    const { page: p, close } = await freshPage({
      width: size.width, height: size.height, deviceScaleFactor: size.ratio,
      isMobile: size.touch, hasTouch: size.touch,
    }, size.name);
    try {
      const box = await p.evaluate(() => {
        const rect = (el) => { const r = el.getBoundingClientRect(); return { left: r.left, top: r.top, right: r.right, bottom: r.bottom, width: r.width, height: r.height }; };
        const full = document.getElementById('fullscreen');
        return { canvas: rect(document.getElementById('screen')), full: rect(full),
                 fullShown: !full.hidden, vw: window.innerWidth, vh: window.innerHeight,
                 layout: { ...window.rara3.page.layout } };
      });
      // Before the test pattern replaces the game.
      if (process.env.RARA3_WEB_SHOTS) {
        await p.screenshot({ path: path.join(process.env.RARA3_WEB_SHOTS, size.name + '.png') });
      }
      const c = box.canvas;
      const name = `${size.name} ${size.width}x${size.height} at ${size.ratio}`;
      // A browser keeps lengths in 1/64 CSS px.
      const e = 1 / 64;
      check(c.left >= -e && c.top >= -e && c.right <= box.vw + e && c.bottom <= box.vh + e &&
            Math.abs(c.width * 3 - c.height * 4) < 0.1,
            `${name}: the whole picture is in the window (${c.width.toFixed(1)} x ${c.height.toFixed(1)} ` +
            `CSS px at ${c.left.toFixed(1)},${c.top.toFixed(1)}, ${box.layout.sharp ?
              box.layout.k + ' device px per game pixel' : 'smooth ' + box.layout.cssScale.toFixed(3)})`);
      check(box.fullShown && box.full.height >= 44 && box.full.top >= c.bottom - e &&
            box.full.bottom <= box.vh + e && box.full.left >= -e && box.full.right <= box.vw + e,
            `${name}: the full screen button is in view below the picture`);
      if (!size.touch) {
        // Full screen: the game and its bar, the picture centred.
        await p.click('#fullscreen');
        await p.waitForFunction(() => document.fullscreenElement === document.getElementById('game'),
                                { timeout: 5000 });
        await p.evaluate(() => new Promise((r) => requestAnimationFrame(() => requestAnimationFrame(r))));
        const f = await p.evaluate(() => {
          const r = document.getElementById('screen').getBoundingClientRect();
          return { left: r.left, right: window.innerWidth - r.right,
                   label: document.getElementById('fullscreen').textContent };
        });
        check(Math.abs(f.left - f.right) <= 4 && f.label === 'Leave full screen',
              `${name}: full screen centres the picture (${f.left.toFixed(1)} px left, ${f.right.toFixed(1)} px right)`);
        await p.click('#fullscreen');
        await p.waitForFunction(() => document.fullscreenElement === null, { timeout: 5000 });
      }
      if (size.play) await pointerPlay(p, size, name);
      // Sharp wherever the window holds the picture at 1 CSS px per game pixel.
      const fits = Math.min(box.vw / 640, box.vh / 480) >= 1.2;
      if (fits) check(box.layout.sharp, `${name}: a roomy window gets sharp pixels`);
      if (box.layout.sharp) {
        const k = box.layout.k;
        const runs = await pixelRuns(p, c, size.ratio);
        check(runs.ok, `${name}: every game pixel is ${k} x ${k} device pixels ` +
              `(runs ${runs.rowRuns.join(',')} across, ${runs.columnRuns.join(',')} down)`);
      }
    } finally {
      await close();
    }
  }

  // --- A browser that refuses sound: no context at all, a constructor that
  // throws, a context that never resumes. The game plays silently, a one-line
  // notice says so beside the board, and nothing is thrown.
  const refusals = [
    { name: 'no Web Audio', setup: () => { delete window.AudioContext; delete window.webkitAudioContext; } },
    { name: 'a refused context', setup: () => {
      window.AudioContext = function AudioContext() {
        throw new DOMException('audio is not allowed here', 'NotAllowedError');
      };
    } },
    { name: 'a context that never starts', setup: () => {
      Object.defineProperty(BaseAudioContext.prototype, 'state', { get: () => 'suspended' });
      AudioContext.prototype.resume = () => Promise.reject(new DOMException('not allowed', 'NotAllowedError'));
    } },
  ];
  for (const refusal of refusals) {
    const { page: p, close } = await freshPage({ width: 1000, height: 800 }, refusal.name, refusal.setup);
    try {
      const pStatus = () => p.evaluate(() => JSON.parse(
        window.rara3.module.UTF8ToString(window.rara3.module._rara3_status())));
      await p.keyboard.press('Escape');
      await p.keyboard.press('Enter');
      await p.waitForFunction(() => JSON.parse(window.rara3.module.UTF8ToString(
        window.rara3.module._rara3_status())).scene === 1, { polling: 'raf', timeout: 15000 });
      const before = (await pStatus()).recordCount;
      await p.keyboard.down(moves[0]);
      await p.waitForFunction((n) => JSON.parse(window.rara3.module.UTF8ToString(
        window.rara3.module._rara3_status())).recordCount > n, { polling: 'raf', timeout: 15000 }, before);
      await p.keyboard.up(moves[0]);
      await p.waitForFunction(() => !document.getElementById('notice').hidden, { timeout: 5000 });
      const shown = await p.evaluate(() => {
        const n = document.getElementById('notice');
        const r = n.getBoundingClientRect();
        const c = document.getElementById('screen').getBoundingClientRect();
        const line = parseFloat(getComputedStyle(n).lineHeight);
        return { text: n.textContent, oneLine: n.clientHeight < 2 * line, below: r.top >= c.bottom,
                 inView: r.bottom <= window.innerHeight };
      });
      if (process.env.RARA3_WEB_SHOTS) {
        await p.screenshot({ path: path.join(process.env.RARA3_WEB_SHOTS,
                                             'no-sound-' + refusal.name.replace(/ /g, '-') + '.png') });
      }
      check(shown.oneLine && shown.below && shown.inView,
            `${refusal.name}: the game plays silently, a line below the board says so: ${shown.text}`);
    } finally {
      await close();
    }
  }

  // JavaScript off: the page says why nothing plays, and shows no loading.
  {
    const context = await browser.createBrowserContext();
    const p = await context.newPage();
    await p.setJavaScriptEnabled(false);
    await p.goto(url, { waitUntil: 'load' });
    const seen = await p.evaluate(() => ({
      nojs: document.querySelector('noscript') !== null,
    }));
    // evaluate still runs with scripts off; what is shown is read from the layout.
    const shown = await p.$eval('#loading', (el) => getComputedStyle(el).display);
    const text = await p.evaluate(() => document.body.innerText);
    check(seen.nojs && shown === 'none' && /JavaScript, which is off/.test(text),
          'with JavaScript off the page says so and shows no loading indicator');
    await context.close();
  }

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
  // The first key after the reload only lets sound start.
  await page.keyboard.press('Escape');
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
