// Measures the built site in Debian's Chromium, headless: the first frame's
// time after the page starts loading (several fresh loads), and the CPU the
// page takes while stage 1 stands idle, with sound on. Optionally saves a
// screenshot of the page.
//
// Usage: node measure.mjs SITE NODE_MODULES [LOADS] [IDLE_SECONDS] [SCREENSHOT]
import fs from 'node:fs';
import http from 'node:http';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';

const [siteArg, modulesArg, loadsArg = '5', idleArg = '10', screenshot] = process.argv.slice(2);
if (!modulesArg) {
  console.error('usage: measure.mjs SITE NODE_MODULES [LOADS] [IDLE_SECONDS] [SCREENSHOT]');
  process.exit(2);
}
const site = path.resolve(siteArg);
const puppeteer = createRequire(path.join(path.resolve(modulesArg), 'x.js'))('puppeteer-core');

const server = http.createServer((req, res) => {
  const name = decodeURIComponent(new URL(req.url, 'http://x').pathname);
  const file = path.join(site, name === '/' ? 'index.html' : name);
  if (!fs.existsSync(file)) {
    res.writeHead(404).end();
    return;
  }
  const type = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
                 '.css': 'text/css' };
  res.writeHead(200, { 'Content-Type': type[path.extname(file)] || 'application/octet-stream' });
  fs.createReadStream(file).pipe(res);
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const url = `http://127.0.0.1:${server.address().port}/`;
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'rara3-measure-'));
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  userDataDir: profile,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});

// CPU seconds of every process of the browser, from /proc.
function browserCpuSeconds() {
  const root = browser.process().pid;
  const tick = 100;
  let total = 0;
  for (const pid of fs.readdirSync('/proc').filter((d) => /^\d+$/.test(d))) {
    let stat;
    try {
      stat = fs.readFileSync(`/proc/${pid}/stat`, 'utf8');
    } catch {
      continue;
    }
    const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
    const ppid = Number(fields[1]);
    let p = Number(pid);
    let ours = p === root || ppid === root;
    if (!ours) {
      try {
        const parent = fs.readFileSync(`/proc/${ppid}/stat`, 'utf8');
        ours = Number(parent.slice(parent.lastIndexOf(')') + 2).split(' ')[1]) === root;
      } catch {
        ours = false;
      }
    }
    if (ours) total += (Number(fields[11]) + Number(fields[12])) / tick;
  }
  return total;
}

const page = await browser.newPage();
await page.setViewport({ width: 1400, height: 1100 });
const firsts = [];
for (let i = 0; i < Number(loadsArg); i++) {
  await page.goto(url, { waitUntil: 'load' });
  await page.waitForFunction(() => window.rara3 && window.rara3.page.firstFrameMs !== null,
                             { timeout: 20000 });
  firsts.push(await page.evaluate(() => window.rara3.page.firstFrameMs));
}
firsts.sort((a, b) => a - b);
console.log(`first frame: median ${firsts[Math.floor(firsts.length / 2)].toFixed(0)} ms, ` +
            `worst ${firsts[firsts.length - 1].toFixed(0)} ms over ${firsts.length} loads`);

// The first key only lets sound start; the second starts stage 1.
await page.keyboard.press('Enter');
await page.keyboard.press('Enter');
await page.waitForFunction(() => window.rara3.page.music.ready && JSON.parse(
  window.rara3.module.UTF8ToString(window.rara3.module._rara3_status())).scene === 1, { timeout: 20000 });
await new Promise((r) => setTimeout(r, 1000));
const seconds = Number(idleArg);
const before = { cpu: browserCpuSeconds(), metrics: await page.metrics(), frames: await page.evaluate(
  () => JSON.parse(window.rara3.module.UTF8ToString(window.rara3.module._rara3_status()))) };
const t0 = Date.now();
await new Promise((r) => setTimeout(r, seconds * 1000));
const wall = (Date.now() - t0) / 1000;
const after = { cpu: browserCpuSeconds(), metrics: await page.metrics(), frames: await page.evaluate(
  () => JSON.parse(window.rara3.module.UTF8ToString(window.rara3.module._rara3_status()))) };
console.log(`idle stage 1 for ${wall.toFixed(1)} s: ` +
            `${((after.frames.frames - before.frames.frames) / wall).toFixed(1)} passes/s, ` +
            `${after.frames.presented - before.frames.presented} frames drawn to the canvas, ` +
            `page main thread ${(100 * (after.metrics.TaskDuration - before.metrics.TaskDuration) / wall).toFixed(1)}% ` +
            `of a core, the whole browser ${(100 * (after.cpu - before.cpu) / wall).toFixed(1)}% of a core`);
if (screenshot) await page.screenshot({ path: screenshot });
await browser.close();
server.close();
fs.rmSync(profile, { recursive: true, force: true });
