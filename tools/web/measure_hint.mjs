// Times a hint in the built site, in Debian's Chromium, headless: every
// floor opened (in a copy of the site), the chosen floor started from the
// title, H pressed at once, then the time until the mark shows and the
// passes the game made meanwhile.
//
// Usage: node measure_hint.mjs SITE NODE_MODULES [STAGE]
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { createRequire } from 'node:module';

import { serveSite } from './serve_site.mjs';

const [siteArg, modulesArg, stageArg = '100'] = process.argv.slice(2);
const stage = Number(stageArg);
if (!modulesArg || !(stage >= 1 && stage <= 100)) {
  console.error('usage: measure_hint.mjs SITE NODE_MODULES [STAGE 1-100]');
  process.exit(2);
}
const puppeteer = createRequire(path.join(path.resolve(modulesArg), 'x.js'))('puppeteer-core');

// rara3.data is the data file the page loads; byte 40000 is the highest
// floor open.
const site = fs.mkdtempSync(path.join(os.tmpdir(), 'rara3-hint-site-'));
fs.cpSync(path.resolve(siteArg), site, { recursive: true });
const data = fs.readFileSync(path.join(site, 'rara3.data'));
data[40000] = 100;
fs.writeFileSync(path.join(site, 'rara3.data'), data);

const server = await serveSite(site, { compressed: false });
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'rara3-hint-'));
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  userDataDir: profile,
  args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking'],
});
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 1000 });
  await page.goto(server.url, { waitUntil: 'load' });
  const status = () => page.evaluate(() => JSON.parse(window.rara3.module.UTF8ToString(window.rara3.module._rara3_status())));
  const until = (test) => page.waitForFunction(
    `(${test})(JSON.parse(window.rara3.module.UTF8ToString(window.rara3.module._rara3_status())))`,
    { timeout: 120000, polling: 10 });
  await page.waitForFunction(() => window.rara3 && window.rara3.module && window.rara3.module._rara3_status,
                             { timeout: 60000 });
  await until('(s) => s.scene === 0');
  // A click beside the picture gives the page the keys (and allows sound).
  await page.mouse.click(5, 5);
  await new Promise((resolve) => setTimeout(resolve, 1000));
  // One floor a key, a few frames apart: the title reads the keys once a pass.
  for (let i = 1; i < stage; ++i) {
    await page.keyboard.press('ArrowUp');
    await new Promise((resolve) => setTimeout(resolve, 40));
  }
  await until(`(s) => s.stage === ${stage}`);
  await page.keyboard.press('Enter');
  await until('(s) => s.scene === 1');
  const before = await status();
  const t0 = Date.now();
  await page.keyboard.press('h');
  await until('(s) => s.hintsTaken > 0');
  const seconds = (Date.now() - t0) / 1000;
  const after = await status();
  const passes = after.frames - before.frames;
  console.log(`hint on stage ${stage} from its start: ${seconds.toFixed(2)} s after H, ` +
              `${passes} passes meanwhile (${(passes / seconds).toFixed(1)} a second)`);
} finally {
  await browser.close();
  server.close();
  fs.rmSync(site, { recursive: true, force: true });
  fs.rmSync(profile, { recursive: true, force: true });
}
