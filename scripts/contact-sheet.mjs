#!/usr/bin/env node
// node scripts/contact-sheet.mjs <program-folder> <out.png>
//        [--only Section[,Section...]] [--columns N] [--wait MS]
//
// Takes one 480x320 screenshot of every plain built-in effect a few seconds
// after it opens (the mouse sweeps across the page meanwhile, so trails and
// hover effects show), labels each with section, index and caption, and tiles
// them into one PNG. Tiles of effects that logged an error or threw get a red
// frame. Uses the playwright-core of tests/browser (npm ci there first).
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import {
  readCatalogue,
  codePath,
  padIndex,
  parseOnly,
  launchBrowser,
  pool,
  sweepMouse,
} from '../tests/browser/catalogue.mjs';

const TILE = { width: 480, height: 320 };

function usage(message) {
  if (message) console.error(message);
  console.error(
    'usage: node scripts/contact-sheet.mjs <program-folder> <out.png> [--only Section[,...]] [--columns N] [--wait MS]'
  );
  process.exit(2);
}

const args = process.argv.slice(2);
if (args.length < 2 || args[0].startsWith('--') || args[1].startsWith('--')) usage();
const programDir = path.resolve(args[0]);
const outFile = path.resolve(args[1]);
const option = (name, fallback) => {
  const i = args.indexOf(name);
  if (i < 0) return fallback;
  const v = parseInt(args[i + 1], 10);
  if (!(v > 0)) usage(`${name} needs a positive number`);
  return v;
};
let only;
try {
  only = parseOnly(args.slice(2));
} catch (e) {
  usage(e.message);
}
const columns = option('--columns', 4);
const waitMs = option('--wait', 2500);
const imagesDir = path.join(programDir, 'images');

const { sections } = readCatalogue(programDir);
const entries = [];
for (const sec of sections.values()) {
  if (only && !only.has(sec.name)) continue;
  for (const e of sec.entries) if (!e.plugin && fs.existsSync(codePath(programDir, e))) entries.push(e);
}
if (!entries.length) {
  console.error('no plain effects with code files to show');
  process.exit(1);
}

const shotsDir = fs.mkdtempSync(path.join(os.tmpdir(), 'quillary-sheet-'));
const browser = await launchBrowser(TILE);
const tiles = new Map();
await pool(entries, 3, async (e) => {
  const name = `check-sheet${e.section.toLowerCase()}-${padIndex(e.index)}.htm`;
  const pageFile = path.join(imagesDir, name);
  fs.writeFileSync(pageFile, fs.readFileSync(codePath(programDir, e)));
  const page = await browser.context.newPage();
  const errors = [];
  page.on('console', (m) => m.type() === 'error' && errors.push(m.text()));
  page.on('pageerror', (err) => errors.push(err.message));
  page.on('dialog', (d) => d.dismiss().catch(() => {}));
  const shot = path.join(shotsDir, `${e.section}-${padIndex(e.index)}.png`);
  try {
    await page.goto(pathToFileURL(pageFile).href, { waitUntil: 'load', timeout: 20000 });
    await sweepMouse(page, TILE.width, TILE.height, waitMs);
    await page.screenshot({ path: shot });
  } catch (err) {
    errors.push(err.message.split('\n')[0]);
  } finally {
    await page.close().catch(() => {});
    fs.rmSync(pageFile, { force: true });
  }
  tiles.set(e, { shot: fs.existsSync(shot) ? shot : null, errors });
});

const esc = (s) => s.replace(/[&<>"]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;', '"': '&quot;' })[c]);
const cells = entries
  .map((e) => {
    const t = tiles.get(e);
    const img = t.shot ? `<img src="${pathToFileURL(t.shot).href}">` : '<div class="none">no screenshot</div>';
    const err = t.errors.length ? `<div class="err">${esc(t.errors[0])}</div>` : '';
    return `<figure class="${t.errors.length ? 'bad' : ''}">${img}<figcaption>${esc(
      `${e.section} ${padIndex(e.index)}  ${e.caption}`
    )}</figcaption>${err}</figure>`;
  })
  .join('\n');
const sheet = `<!doctype html><meta charset="utf-8"><style>
body { margin: 0; padding: 8px; background: #333; font: 15px sans-serif; color: #eee;
  display: grid; grid-template-columns: repeat(${columns}, ${TILE.width}px); gap: 8px; width: max-content; }
figure { margin: 0; background: #222; border: 3px solid #222; }
figure.bad { border-color: #e33; }
img, .none { display: block; width: ${TILE.width}px; height: ${TILE.height}px; background: #fff; }
.none { color: #c00; text-align: center; line-height: ${TILE.height}px; }
figcaption { padding: 4px 6px; white-space: nowrap; overflow: hidden; }
.err { padding: 0 6px 4px; color: #f88; font-size: 12px; white-space: nowrap; overflow: hidden; }
</style>${cells}`;
const sheetFile = path.join(shotsDir, 'sheet.html');
fs.writeFileSync(sheetFile, sheet);
const page = await browser.context.newPage();
await page.setViewportSize({ width: columns * (TILE.width + 14) + 16, height: 400 });
await page.goto(pathToFileURL(sheetFile).href, { waitUntil: 'load' });
fs.mkdirSync(path.dirname(outFile), { recursive: true });
await page.screenshot({ path: outFile, fullPage: true });
await page.close();
await browser.close();
fs.rmSync(shotsDir, { recursive: true, force: true });
const bad = entries.filter((e) => tiles.get(e).errors.length).length;
console.log(`${outFile}: ${entries.length} effects, ${bad} with errors`);
