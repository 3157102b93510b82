// Shared by check_effects.mjs and scripts/contact-sheet.mjs: reading the
// program folder's catalogue (system/efx.tvo, GB2312, private-profile format)
// and starting headless Chromium.
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { chromium } from 'playwright-core';

// The nine built-in sections in toolbar order, with their code folders.
export const SECTIONS = [
  ['Good', 'system'],
  ['Time', 'time'],
  ['Text', 'text'],
  ['Mouse', 'mouse'],
  ['Windows', 'windows'],
  ['Picture', 'picture'],
  ['Play', 'play'],
  ['Menu', 'Menu'],
  ['Other', 'other'],
];

export const CHROMIUM = '/usr/bin/chromium';

const gbk = new TextDecoder('gbk');

// Entry index as the program writes it in keys and code file names.
export function padIndex(i) {
  return i < 10 ? `00${i}` : i < 100 ? `0${i}` : String(i);
}

// Reads an INI file given as bytes. Section and key names are matched without
// regard to case, as the private-profile reader does; the first occurrence of
// a key wins. Each value keeps its raw bytes too, for the 399-byte limit.
export function parseProfile(bytes) {
  const sections = new Map();
  let current = null;
  let start = 0;
  let lineNo = 0;
  while (start <= bytes.length) {
    let end = bytes.indexOf(0x0a, start);
    if (end < 0) end = bytes.length;
    lineNo += 1;
    let lineBytes = bytes.subarray(start, end);
    if (lineBytes.length && lineBytes[lineBytes.length - 1] === 0x0d)
      lineBytes = lineBytes.subarray(0, lineBytes.length - 1);
    const line = gbk.decode(lineBytes);
    const trimmed = line.trim();
    if (trimmed.startsWith('[') && trimmed.endsWith(']')) {
      const name = trimmed.slice(1, -1).trim();
      const key = name.toLowerCase();
      if (!sections.has(key)) sections.set(key, { name, keys: new Map() });
      current = sections.get(key);
    } else if (current && trimmed && !trimmed.startsWith(';')) {
      const eq = line.indexOf('=');
      if (eq > 0) {
        const name = line.slice(0, eq).trim();
        const eqByte = lineBytes.indexOf(0x3d);
        const k = name.toLowerCase();
        if (!current.keys.has(k))
          current.keys.set(k, {
            name,
            value: line.slice(eq + 1).trim(),
            byteLength: lineBytes.length - eqByte - 1,
            line: lineNo,
          });
      }
    }
    start = end + 1;
  }
  return sections;
}

// Splits an entry value into its fields. Returns { plugin, caption, count,
// resources, target, problems } where problems lists grammar faults.
export function parseEntry(value) {
  const problems = [];
  const plugin = value[0] === '1';
  if (value.length < 3 || value[1] !== '|') problems.push('value does not start with a kind flag and a bar');
  if (!value.endsWith('|')) problems.push('value does not end with a bar');
  const fields = value.slice(2).split('|');
  if (fields.length && fields[fields.length - 1] === '') fields.pop();
  const caption = fields[0] ?? '';
  const countText = fields[1] ?? '';
  let count = 0;
  if (!/^\d+$/.test(countText)) problems.push(`resource count "${countText}" is not a decimal number`);
  else count = parseInt(countText, 10);
  const resources = fields.slice(2, 2 + count);
  if (resources.length < count) problems.push(`resource count ${count} but only ${resources.length} names`);
  const target = fields.length > 2 ? fields[fields.length - 1] : '';
  return { plugin, caption, count, resources, target, problems };
}

// Reads system/efx.tvo of a program folder. Returns a map of section name ->
// { number, numberText, entries: [{ section, folder, index, key, value, ... }],
//   stray: [key names that the program never reads] } and the list of
// sections missing from the file.
export function readCatalogue(programDir) {
  const file = path.join(programDir, 'system', 'efx.tvo');
  if (!fs.existsSync(file)) throw new Error(`${file}: catalogue not found`);
  const profile = parseProfile(fs.readFileSync(file));
  const result = new Map();
  const missing = [];
  for (const [name, folder] of SECTIONS) {
    const sec = profile.get(name.toLowerCase());
    const info = { name, folder, number: 0, numberText: '', entries: [], stray: [], missingKeys: [] };
    result.set(name, info);
    if (!sec) {
      missing.push(name);
      continue;
    }
    const num = sec.keys.get('number');
    info.numberText = num ? num.value : '';
    info.number = num && /^\d+$/.test(num.value) ? parseInt(num.value, 10) : 0;
    const expected = new Set(['number']);
    for (let i = 1; i <= info.number; ++i) {
      const key = `${name}${padIndex(i)}`;
      expected.add(key.toLowerCase());
      const k = sec.keys.get(key.toLowerCase());
      if (!k) {
        info.missingKeys.push(key);
        continue;
      }
      info.entries.push({
        section: name,
        folder,
        index: i,
        key,
        value: k.value,
        byteLength: k.byteLength,
        ...parseEntry(k.value),
      });
    }
    for (const [k, v] of sec.keys) if (!expected.has(k)) info.stray.push(v.name);
  }
  return { sections: result, missing };
}

// The code file of a plain entry of a built-in section.
export function codePath(programDir, entry) {
  return path.join(programDir, entry.folder, `${padIndex(entry.index)}.bos`);
}

// Parses "--only A,B --only C" into a set of section names (case as in
// SECTIONS), or null for all sections. Unknown names throw.
export function parseOnly(args) {
  let only = null;
  for (let i = 0; i < args.length; ++i) {
    if (args[i] !== '--only') continue;
    const list = (args[i + 1] ?? '').split(',').filter(Boolean);
    if (!list.length) throw new Error('--only needs a section name');
    only ??= new Set();
    for (const want of list) {
      const hit = SECTIONS.find(([n]) => n.toLowerCase() === want.toLowerCase());
      if (!hit) throw new Error(`unknown section "${want}"`);
      only.add(hit[0]);
    }
  }
  return only;
}

// Starts headless Chromium on a fresh profile. Returns { context, close }.
export async function launchBrowser(viewport = { width: 800, height: 600 }) {
  if (!fs.existsSync(CHROMIUM))
    throw new Error(`${CHROMIUM} is missing: install Chromium first (apt-get install -y chromium)`);
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'quillary-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: CHROMIUM,
    headless: true,
    viewport,
    args: [
      '--headless',
      '--no-sandbox',
      '--disable-gpu',
      '--no-first-run',
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync',
    ],
  });
  // No effect may reach the network; refuse anything that tries.
  await context.route(/^(https?|wss?|ftp):/i, (route) => route.abort('blockedbyclient'));
  return {
    context,
    async close() {
      await context.close();
      fs.rmSync(profile, { recursive: true, force: true });
    },
  };
}

// Runs worker(item) over items with at most `limit` running at once.
export async function pool(items, limit, worker) {
  let next = 0;
  const runners = Array.from({ length: Math.min(limit, items.length) }, async () => {
    while (next < items.length) {
      const item = items[next++];
      await worker(item);
    }
  });
  await Promise.all(runners);
}

// Moves the mouse along a wave over the page for about `ms` milliseconds, so
// that trails and hover effects run their handlers. Bounded by the clock, not
// by a number of steps, so that a busy machine does not stretch the run.
export async function sweepMouse(page, width, height, ms) {
  const start = Date.now();
  for (;;) {
    const t = Math.min(1, (Date.now() - start) / ms);
    const x = width * (0.1 + 0.8 * t);
    const y = height * (0.5 + 0.3 * Math.sin(t * Math.PI * 3));
    await page.mouse.move(x, y);
    if (t >= 1) break;
    await page.waitForTimeout(Math.min(60, Math.max(0, ms - (Date.now() - start))));
  }
}
