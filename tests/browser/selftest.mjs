#!/usr/bin/env node
// Runs check_effects.mjs on a small program folder made here, with one good
// effect and one of each fault it must catch, and checks what it reports.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';

const here = path.dirname(fileURLToPath(import.meta.url));
const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'quillary-check-'));
const GB_CLOCK = Buffer.from([0xca, 0xb1, 0xd6, 0xd3]); // "时钟" in GB2312
const META = '<meta charset="gb2312">\r\n';
const write = (rel, data) => {
  fs.mkdirSync(path.dirname(path.join(dir, rel)), { recursive: true });
  fs.writeFileSync(path.join(dir, rel), data);
};

// Catalogue: Time has 6 entries (one key missing), Text one stray key, Mouse a
// plug-in whose library is absent, and duplicated captions in Menu.
const catalogue = Buffer.concat([
  Buffer.from('[Time]\r\nNumber=7\r\nTime001=0|'), GB_CLOCK, Buffer.from('|1|time-face.svg|\r\n'),
  Buffer.from([
    'Time002=0|throws|0|',
    'Time003=0|missing-image|0|',
    'Time004=0|no-meta|0|',
    'Time005=0|no-file|0|',
    'Time006=0|listed-missing|1|time-nothing.svg|',
    '[Text]', 'Number=1', 'Text001=0|network|0|', 'Text1=0|stray|0|',
    '[Mouse]', 'Number=1', 'Mouse001=1|plugin|0|absent.tvo|',
    '[Menu]', 'Number=2', 'Menu001=0|same|0|', 'Menu002=0|same|0|',
    '',
  ].join('\r\n')),
]);
write('system/efx.tvo', catalogue);
write('images/time-face.svg', '<svg xmlns="http://www.w3.org/2000/svg" width="10" height="10"/>');
write('images/time-orphan.svg', '<svg xmlns="http://www.w3.org/2000/svg"/>');
write('time/001.bos', Buffer.concat([Buffer.from(META + '<p>'), GB_CLOCK, Buffer.from('</p><img src="time-face.svg">')]));
write('time/002.bos', META + '<script>setTimeout(function(){ null.x(); }, 100);</script>');
write('time/003.bos', META + '<img src="time-gone.png">');
write('time/004.bos', '<p>no meta line</p>');
write('time/006.bos', META + '<p>ok</p>');
write('text/001.bos', META + '<img src="http://127.0.0.1:9/x.png">');
write('Menu/001.bos', META + '<p>a</p>');
write('Menu/002.bos', META + '<p>b</p>');

const run = spawnSync(process.execPath, [path.join(here, 'check_effects.mjs'), dir], { encoding: 'utf8' });
const out = run.stdout;
const leftovers = fs.readdirSync(path.join(dir, 'images')).filter((n) => n.startsWith('check-'));
fs.rmSync(dir, { recursive: true, force: true });
try {
  const lines = out.trim().split('\n');
  const expect = [
    /FAIL Time 002 \(throws\): uncaught exception/,
    /FAIL Time 003 \(missing-image\): request failed: .*time-gone\.png/,
    /FAIL Time 004 \(no-meta\): code file does not start with <meta charset="gb2312">/,
    /FAIL Time 005 \(no-file\): code file time\/005\.bos does not exist/,
    /FAIL Time 006 \(listed-missing\): resource images\/time-nothing\.svg does not exist/,
    /FAIL Time Time007: key missing \(Number=7\)/,
    /FAIL Text Text1: key is not one of/,
    /FAIL Text 001 \(network\): network request: http:\/\/127\.0\.0\.1:9\/x\.png/,
    /FAIL Mouse 001 \(plugin\): plug-in library system\/absent\.tvo does not exist/,
    /FAIL Menu 002 \(same\): caption also used by Menu001/,
    /FAIL images\/time-orphan\.svg: no catalogue entry lists this file/,
  ];
  for (const re of expect) assert.ok(lines.some((l) => re.test(l)), `expected a line matching ${re}`);
  // Good entries report nothing.
  assert.ok(!lines.some((l) => /Time 001|Menu 001/.test(l)), 'a good entry was reported');
  // Passed: Time001, Menu001. Failed: 8 entries + missing key + stray key + orphan image.
  assert.equal(lines[lines.length - 1], '2 passed, 11 failed');
  assert.equal(run.status, 1);
  assert.deepEqual(leftovers, [], 'check pages were left in images/');
  console.log('checker self-test: 1 passed, 0 failed');
} catch (e) {
  console.log(out);
  console.error(run.stderr);
  console.error(e.message);
  console.log('checker self-test: 0 passed, 1 failed');
  process.exitCode = 1;
}
