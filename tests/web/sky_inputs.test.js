// SPDX-License-Identifier: GPL-3.0-or-later
// vornak-sky.html refuses what the desktop window refuses, with the desktop's message and
// nothing changed; corrupt storage and bad link values leave the defaults; a page without
// storage runs on the defaults and says so.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');
const {spawnSync} = require('node:child_process');
const {OpenBrowser, OpenPage} = require('./harness.js');

const kUrl = 'file://' + process.env.VORNAK_SKY_PAGE;
const kAt = '#t=2026-12-09T21:30Z';

// One of each class the window refuses: locators too short, out of their letters, with a bad
// subsquare or of odd length; coordinates that are not numbers or out of range; a height
// that is not a number or beyond the ellipsoid's sensible range; a station left blank.
const kBad = [
  'station locator JN1', 'station locator ZZ18', 'station locator JN18ez', 'station locator JN18eu4',
  'station locator ', 'station latitude north', 'station latitude 90.5', 'station latitude 1e999',
  'station longitude 12,5,1', 'station longitude -180.01', 'station height tall',
  'station height 1e9', 'dx locator AA', 'dx latitude -91', 'dx longitude x', 'dx height 1..2',
];

function Desktop(lines) {
  const run = spawnSync(process.env.VORNAK_SKY_PEER, [], {input: lines.join('\n') + '\n',
      encoding: 'utf8', env: {...process.env, QT_QPA_PLATFORM: 'offscreen'}, timeout: 60000});
  assert.equal(run.status, 0, run.stderr);
  return run.stdout.trim().split('\n').map((l) => JSON.parse(l));
}

const Readouts = (page) => page.evaluate(() =>
    [...document.querySelectorAll('[data-readout]')].map((e) => e.textContent).join('|'));
const Defaults = async (page) => [await page.inputValue('#station-latitude'),
                                  await page.inputValue('#station-longitude'),
                                  await page.inputValue('#station-height'),
                                  await page.inputValue('#dx-locator'), await page.inputValue('#band')];
const kDefaults = ['49.2', '0', '', '', '10368'];

test('every bad input the window refuses is refused with its message, changing nothing',
     async (t) => {
  const desktop = Desktop(kBad);
  const browser = await OpenBrowser();
  t.after(browser.close);
  const page = await OpenPage(browser.context, {heldClock: false, url: kUrl + kAt});
  const before = await Readouts(page);
  for (let i = 0; i < kBad.length; ++i) {
    const [which, field, ...rest] = kBad[i].split(' ');
    const input = page.locator(`#${which}-${field}`);
    await input.fill(rest.join(' '));
    await input.press('Enter');
    const error = page.locator(`#${which}-error`);
    assert.ok(desktop[i].message !== '' && !desktop[i].changed, `the desktop takes ${kBad[i]}`);
    assert.equal(await error.textContent(), desktop[i].message, kBad[i]);
    assert.equal(await error.isVisible(), true, kBad[i]);
    // One field marked: the one at fault, which for a DX station half typed is the first empty.
    assert.equal(await page.locator(`#${which} [aria-invalid=true]`).count(), 1, kBad[i]);
    assert.equal(await Readouts(page), before, kBad[i]);
    await page.reload();
    await page.waitForFunction(() => document.documentElement.dataset.state === 'ready');
  }
  // A valid text clears the mark.
  await page.fill('#station-latitude', 'north');
  await page.press('#station-latitude', 'Enter');
  await page.fill('#station-locator', 'JN18eu');
  await page.press('#station-locator', 'Enter');
  assert.equal(await page.locator('#station-error').isVisible(), false);
  assert.equal(await page.getAttribute('#station-latitude', 'aria-invalid'), 'false');
  for (const mhz of ['0', '-5', '1e7', 'ten']) {
    await page.selectOption('#band', 'custom');
    await page.fill('#custom-band', mhz);
    await page.press('#custom-band', 'Enter');
    assert.equal(await page.locator('#band-error').isVisible(), true, mhz);
  }
  assert.deepEqual(page.errors, []);
});

test('corrupt storage and bad link values give the defaults; a link wins over storage',
     async (t) => {
  const browser = await OpenBrowser();
  t.after(browser.close);
  let page = await OpenPage(browser.context, {heldClock: false, url: kUrl});
  const corrupt = [['station', '{"latitude":"95","longitude":"0"}'], ['dx', 'not json'],
                   ['band', '-3'], ['eop', 'finals\n51544 -31.6 1e-6 x 0 0'], ['moon', '7']];
  for (const values of [corrupt, [['station', '[1,2]'], ['dx', '{"locator":5}'], ['band', 'NaN']]]) {
    await page.evaluate((v) => {
      for (const [k, s] of v) localStorage.setItem('vornak-sky.' + k, s);
    }, values);
    await page.reload();
    await page.waitForFunction(() => document.documentElement.dataset.state === 'ready');
    assert.deepEqual(await Defaults(page), kDefaults, JSON.stringify(values));
    assert.equal(await page.textContent('#eop-text'), 'No EOP data: UT1 = UTC, no polar motion');
  }
  // Stored, then overridden by a link; bad link values are named, and keep the default.
  await page.fill('#station-locator', 'FN20');
  await page.press('#station-locator', 'Enter');
  await page.goto('about:blank');
  await page.goto(kUrl + '#loc=JN18eu&dxlat=91&dxlon=0&band=abc&t=2026-13-40T00:00Z');
  await page.waitForFunction(() => document.documentElement.dataset.state === 'ready');
  assert.equal(await page.inputValue('#station-locator'), 'JN18eu');
  const notice = await page.textContent('#notice');
  for (const named of ['Link: dxlat=91&dxlon=0: Latitude', 'band=abc', 't=2026-13-40T00:00Z']) {
    assert.ok(notice.includes(named), `${named} in: ${notice}`);
  }
  assert.equal(await page.inputValue('#dx-latitude'), '');
  assert.equal(await page.inputValue('#band'), '10368');
  assert.equal(await page.isChecked('#live'), true);
  // The link made of what is shown: the locator as typed, the band, no time when live.
  await page.click('#copy-link');
  assert.match(await page.textContent('#link'), /vornak-sky\.html#loc=JN18eu&band=10368$/);
  await page.goto('about:blank');
  page = await OpenPage(browser.context, {heldClock: false, url: kUrl});
  assert.equal(await page.inputValue('#station-locator'), 'FN20');  // the link stored nothing
});

test('without storage the page runs on the defaults and says so', async (t) => {
  const browser = await OpenBrowser();
  t.after(browser.close);
  await browser.context.addInitScript(() => {
    Object.defineProperty(window, 'localStorage', {get() { throw new Error('denied'); }});
  });
  const page = await OpenPage(browser.context, {heldClock: false, url: kUrl});
  assert.deepEqual(await Defaults(page), kDefaults);
  assert.match(await page.textContent('#notice'), /keeps no settings/);
  assert.deepEqual(page.errors, []);
});

// Three days of IERS's finals2000A around the leap second at the end of 2016, as IERS printed
// them: the page's CSV with them is the table's with --eop, also after a reload, when the
// values come back from storage.
const kFinals = [
  '161230 57752.00 I  0.067935 0.000024  0.268941 0.000028  I-0.4068093 0.0000094  1.1086',
  '161231 57753.00 I  0.066404 0.000024  0.269896 0.000030  I-0.4079337 0.0000093  1.1486',
  '17 1 1 57754.00 I  0.064950 0.000024  0.270923 0.000030  I 0.5908784 0.0000085  1.1781'];

test('the EOP file chosen is used as the table uses it, and kept', async (t) => {
  const file = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'vornak-eop-')), 'finals2000A.test');
  fs.writeFileSync(file, kFinals.join('\n') + '\n');
  const browser = await OpenBrowser();
  t.after(browser.close);
  const page = await OpenPage(browser.context, {heldClock: false,
                                                url: kUrl + '#loc=JN18eu&t=2016-12-31T12:00Z'});
  await page.setInputFiles('#eop-file', file);
  await page.waitForFunction(() => document.getElementById('eop-text').textContent.includes('3 days'));
  const table = spawnSync(process.env.VORNAK_SKY, ['--table', '--csv', '--locator', 'JN18eu',
      '--eop', file, '--from', '2016-12-31T00:00Z', '--to', '2017-01-01T00:00Z'], {encoding: 'utf8'});
  for (const reload of [false, true]) {
    if (reload) {
      await page.reload();
      await page.waitForFunction(() => document.documentElement.dataset.state === 'ready');
      assert.match(await page.textContent('#eop-text'), /finals2000A.test \(3 days\)/);
    }
    const download = page.waitForEvent('download');
    await page.click('#download-csv');
    assert.ok(fs.readFileSync(await (await download).path(), 'utf8') === table.stdout,
              `the CSV with EOP data differs (reloaded: ${reload})`);
  }
});
