// Measures the built site in Debian's Chromium, headless: the first frame's
// time after the page starts loading (several fresh loads), the same on a
// throttled 1.6 Mbit/s link with the time from the first key to the music,
// and the CPU the page takes while stage 1 stands idle, with sound on. The
// site is sent compressed as make web-serve sends it. Optionally saves a
// screenshot of the page.
//
// Usage: node measure.mjs SITE NODE_MODULES [LOADS] [IDLE_SECONDS] [SCREENSHOT]
import fs from 'node:fs';
import { createRequire } from 'node:module';
import os from 'node:os';
import path from 'node:path';

import { serveSite } from './serve_site.mjs';

const [siteArg, modulesArg, loadsArg = '5', idleArg = '10', screenshot] = process.argv.slice(2);
if (!modulesArg) {
  console.error('usage: measure.mjs SITE NODE_MODULES [LOADS] [IDLE_SECONDS] [SCREENSHOT]');
  process.exit(2);
}
const site = path.resolve(siteArg);
const puppeteer = createRequire(path.join(path.resolve(modulesArg), 'x.js'))('puppeteer-core');

const server = await serveSite(site);
const url = server.url;
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

// A fresh visitor on a 1.6 Mbit/s link (150 ms each way), several loads:
// the first frame, and from the first key until the tune sounds.
{
  const slowFirsts = [];
  const slowMusic = [];
  for (let i = 0; i < Number(loadsArg); i++) {
    const context = await browser.createBrowserContext();
    const slow = await context.newPage();
    const cdp = await slow.createCDPSession();
    await cdp.send('Network.enable');
    await cdp.send('Network.emulateNetworkConditions', {
      offline: false, latency: 150, downloadThroughput: 1.6e6 / 8, uploadThroughput: 1.6e6 / 8 });
    await slow.goto(url, { waitUntil: 'domcontentloaded' });
    await slow.waitForFunction(() => window.rara3 && window.rara3.page.firstFrameMs !== null,
                               { timeout: 120000 });
    slowFirsts.push(await slow.evaluate(() => window.rara3.page.firstFrameMs));
    await slow.waitForFunction(() => window.rara3.module, { timeout: 120000 });
    const keyAt = await slow.evaluate(() => performance.now());
    await slow.keyboard.press('Enter');
    await slow.waitForFunction(() => window.rara3.page.music.source !== null, { timeout: 120000 });
    slowMusic.push(await slow.evaluate(() => performance.now()) - keyAt);
    await context.close();
  }
  const median = (a) => a.sort((x, y) => x - y)[Math.floor(a.length / 2)];
  console.log(`1.6 Mbit/s link: first frame median ${(median(slowFirsts) / 1000).toFixed(1)} s, ` +
              `music ${(median(slowMusic) / 1000).toFixed(1)} s after the first key (median), ` +
              `over ${slowFirsts.length} fresh visits`);
}

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
