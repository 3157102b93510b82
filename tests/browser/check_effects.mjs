#!/usr/bin/env node
// node check_effects.mjs <program-folder> [--only Section[,Section...]]
//
// Checks the built-in effects of a Quillary program folder the way a user
// meets them: every plain entry's code file is written unchanged into the
// images folder (as Preview writes example.htm there) and opened in headless
// Chromium by file:// URL. An entry fails on a console error, an uncaught
// exception, a failed or network request, a dialog, a character set other
// than GBK, or a replacement character in the page text.
//
// It also checks the catalogue itself: Number against the keys present, the
// value grammar and its 399-byte limit, unique captions, code files and their
// first line, listed images, plug-in libraries, and images no entry lists.
//
// Prints one line per failure and, last, "N passed, M failed". Each entry is
// one item; a catalogue fault that belongs to no entry (a missing or stray
// key, an unlisted image) counts as one failed item of its own.
import fs from 'node:fs';
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
} from './catalogue.mjs';

const META = Buffer.from('<meta charset="gb2312">');
const SETTLE_MS = 1500; // how long a page runs before it is judged
const PARALLEL = 6;
const VIEW = { width: 800, height: 600 };

function usage(message) {
  if (message) console.error(message);
  console.error('usage: node check_effects.mjs <program-folder> [--only Section[,Section...]]');
  process.exit(2);
}

const args = process.argv.slice(2);
const programDir = args[0] && !args[0].startsWith('--') ? path.resolve(args[0]) : usage();
let only;
try {
  only = parseOnly(args.slice(1));
} catch (e) {
  usage(e.message);
}
const imagesDir = path.join(programDir, 'images');
const isCheckPage = (name) => /^check-[a-z]+-\d+\.htm$/i.test(name);

let passed = 0;
let failed = 0;
const report = (label, problems) => {
  if (problems.length) {
    failed += 1;
    for (const p of problems) console.log(`FAIL ${label}: ${p}`);
  } else {
    passed += 1;
  }
};

let catalogue;
try {
  catalogue = readCatalogue(programDir);
} catch (e) {
  console.log(`FAIL catalogue: ${e.message}`);
  console.log('0 passed, 1 failed');
  process.exit(1);
}
const wanted = [...catalogue.sections.values()].filter((s) => !only || only.has(s.name));

// Catalogue-level faults.
for (const name of catalogue.missing)
  if (!only || only.has(name)) console.log(`note: section [${name}] is missing from efx.tvo (no entries)`);
for (const sec of wanted) {
  if (sec.numberText !== '' && !/^\d+$/.test(sec.numberText))
    report(`${sec.name} Number`, [`"${sec.numberText}" is not a decimal number`]);
  for (const key of sec.missingKeys) report(`${sec.name} ${key}`, [`key missing (Number=${sec.number})`]);
  for (const key of sec.stray) report(`${sec.name} ${key}`, [`key is not one of ${sec.name}001..${sec.name}${padIndex(sec.number)}; the program never reads it`]);
}

// Every image in images/ must be listed by some entry (of any section).
const listed = new Set();
for (const sec of catalogue.sections.values())
  for (const e of sec.entries) for (const r of e.resources) listed.add(r);
const prefixes = only ? [...only].map((n) => `${n.toLowerCase()}-`) : null;
const imageFiles = fs.existsSync(imagesDir) ? fs.readdirSync(imagesDir, { withFileTypes: true }) : [];
for (const f of imageFiles) {
  if (!f.isFile() || f.name === 'example.htm') continue;
  if (isCheckPage(f.name)) {
    fs.rmSync(path.join(imagesDir, f.name), { force: true }); // left by an interrupted run
    continue;
  }
  if (prefixes && !prefixes.some((p) => f.name.toLowerCase().startsWith(p))) continue;
  if (!listed.has(f.name)) report(`images/${f.name}`, ['no catalogue entry lists this file']);
}

// Static checks of each entry; plain entries that pass them go to the browser.
const toLoad = [];
const entryProblems = new Map();
for (const sec of wanted) {
  const seen = new Map();
  for (const e of sec.entries) {
    const label = `${sec.name} ${padIndex(e.index)} (${e.caption})`;
    const problems = [...e.problems];
    entryProblems.set(e, { label, problems });
    if (e.byteLength > 399) problems.push(`value is ${e.byteLength} bytes; the program reads only 399`);
    if (!e.caption) problems.push('empty caption');
    else if (seen.has(e.caption)) problems.push(`caption also used by ${sec.name}${padIndex(seen.get(e.caption))}`);
    else seen.set(e.caption, e.index);
    for (const r of e.resources)
      if (!r || r.includes('/') || r.includes('\\')) problems.push(`resource name "${r}" is not a bare file name`);
      else if (!fs.existsSync(path.join(imagesDir, r))) problems.push(`resource images/${r} does not exist`);
    if (e.plugin) {
      if (!e.target) problems.push('plug-in entry names no library');
      else if (!fs.existsSync(path.join(programDir, 'system', e.target)))
        problems.push(`plug-in library system/${e.target} does not exist`);
      continue;
    }
    const file = codePath(programDir, e);
    if (!fs.existsSync(file)) {
      problems.push(`code file ${path.relative(programDir, file)} does not exist`);
      continue;
    }
    const bytes = fs.readFileSync(file);
    if (!bytes.subarray(0, META.length).equals(META))
      problems.push(`code file does not start with ${META.toString()}`);
    try {
      new TextDecoder('gbk', { fatal: true }).decode(bytes);
    } catch {
      problems.push('code file holds bytes that are not GB2312/GBK text');
    }
    toLoad.push({ entry: e, bytes });
  }
}

async function loadInBrowser(context, { entry, bytes }) {
  const { problems } = entryProblems.get(entry);
  const pageName = `check-${entry.section.toLowerCase()}-${padIndex(entry.index)}.htm`;
  const pageFile = path.join(imagesDir, pageName);
  fs.writeFileSync(pageFile, bytes);
  const page = await context.newPage();
  const seen = new Set();
  const add = (p) => {
    if (!seen.has(p)) {
      seen.add(p);
      problems.push(p);
    }
  };
  page.on('console', (m) => {
    if (m.type() === 'error') add(`console error: ${m.text()}`);
  });
  page.on('pageerror', (err) => add(`uncaught exception: ${err.message}`));
  page.on('requestfailed', (r) => add(`request failed: ${r.url()} (${r.failure()?.errorText ?? 'unknown'})`));
  page.on('request', (r) => {
    if (/^(https?|wss?|ftp):/i.test(r.url())) add(`network request: ${r.url()}`);
  });
  page.on('dialog', (d) => {
    add(`opens a ${d.type()} dialog: ${d.message()}`);
    d.dismiss().catch(() => {});
  });
  page.on('popup', (p) => {
    add(`opens a window: ${p.url()}`);
    p.close().catch(() => {});
  });
  try {
    await page.goto(pathToFileURL(pageFile).href, { waitUntil: 'load', timeout: 20000 });
    await sweepMouse(page, VIEW.width, VIEW.height, SETTLE_MS);
    const facts = await page.evaluate(() => ({
      charset: document.characterSet,
      text: document.body ? document.body.innerText : '',
    }));
    if (facts.charset !== 'GBK') add(`document.characterSet is "${facts.charset}", not "GBK"`);
    if (facts.text.includes('\uFFFD')) add('page text holds U+FFFD replacement characters');
  } catch (e) {
    add(`page could not be checked: ${e.message.split('\n')[0]}`);
  } finally {
    await page.close().catch(() => {});
    fs.rmSync(pageFile, { force: true });
  }
}

let browser = null;
if (toLoad.length) {
  try {
    browser = await launchBrowser(VIEW);
  } catch (e) {
    console.log(`FAIL browser: ${e.message}`);
    console.log(`${passed} passed, ${failed + entryProblems.size} failed`);
    process.exit(1);
  }
  await pool(toLoad, PARALLEL, (item) => loadInBrowser(browser.context, item));
  await browser.close();
}

for (const { label, problems } of entryProblems.values()) report(label, problems);
console.log(`${passed} passed, ${failed} failed`);
process.exitCode = failed ? 1 : 0;
