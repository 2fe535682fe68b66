// SPDX-License-Identifier: GPL-3.0-or-later
// vornak-sky.html against vornak-sky itself: for seeded random stations, DX stations, bands
// and days, the CSV the page downloads is the table command's byte for byte, and the page's
// readouts at the link's instant are that row's numbers with their units.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const {spawnSync} = require('node:child_process');
const {OpenBrowser, OpenPage} = require('./harness.js');

const kSkyPage = process.env.VORNAK_SKY_PAGE;
const kSky = process.env.VORNAK_SKY;
const kCases = Number(process.env.VORNAK_WEB_CASES || 20);
const kSeed = Number(process.env.VORNAK_WEB_SEED || Date.now() % 1e9);

// A small seeded generator (mulberry32), so that a failure can be run again.
function Random(seed) {
  let a = seed >>> 0;
  return () => {
    a = (a + 0x6d2b79f5) >>> 0;
    let t = Math.imul(a ^ (a >>> 15), 1 | a);
    t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

// A station as a user types it: a locator of 4, 6 or 8 characters, or coordinates with 0 to
// 5 decimals; a height (never 0, which the window counts as none) or none.
function Station(rnd) {
  const pick = (s) => s[Math.floor(rnd() * s.length)];
  const s = {};
  if (rnd() < 0.4) {
    const A = 'ABCDEFGHIJKLMNOPQR', x = 'abcdefghijklmnopqrstuvwx';
    s.locator = pick(A) + pick(A) + Math.floor(rnd() * 10) + Math.floor(rnd() * 10);
    if (rnd() < 0.7) s.locator += pick(x) + pick(x);
    if (s.locator.length === 6 && rnd() < 0.4) s.locator += Math.floor(rnd() * 10) + '' + Math.floor(rnd() * 10);
  } else {
    s.lat = (rnd() * 179.8 - 89.9).toFixed(Math.floor(rnd() * 6));
    s.lon = (rnd() * 360 - 180).toFixed(Math.floor(rnd() * 6));
  }
  if (rnd() < 0.5) s.h = String(Math.round(1 + rnd() * 3000));
  return s;
}

function Case(rnd) {
  const dx = rnd() < 0.6 ? Station(rnd) : null;
  const bands = ['50', '144', '432', '1296', '2304', '3400', '5760', '10368', '24048', '47088'];
  const band = rnd() < 0.8 ? bands[Math.floor(rnd() * bands.length)] : (rnd() * 50000).toFixed(3);
  const dayMs = Date.UTC(1951, 0, 1) + Math.floor(rnd() * 54000) * 86400000;
  const at = new Date(dayMs + Math.floor(rnd() * 1440) * 60000).toISOString().slice(0, 16) + 'Z';
  return {station: Station(rnd), dx, band, day: at.slice(0, 10), at};
}

function Hash(c) {
  const p = [];
  const put = (s, loc, lat, lon, h) => {
    if (s.locator) p.push(`${loc}=${s.locator}`);
    else p.push(`${lat}=${s.lat}`, `${lon}=${s.lon}`);
    if (s.h) p.push(`${h}=${s.h}`);
  };
  put(c.station, 'loc', 'lat', 'lon', 'h');
  if (c.dx) put(c.dx, 'dx', 'dxlat', 'dxlon', 'dxh');
  return '#' + [...p, `band=${c.band}`, `t=${c.at}`].join('&');
}

function Table(c, ...times) {
  const args = ['--table', '--csv', '--band', c.band, ...times];
  const put = (s, loc, lat, lon, h) => {
    if (s.locator) args.push(loc, s.locator);
    else args.push(lat, s.lat, lon, s.lon);
    if (s.h) args.push(h, s.h);
  };
  put(c.station, '--locator', '--lat', '--lon', '--height');
  if (c.dx) put(c.dx, '--dx', '--dx-lat', '--dx-lon', '--dx-height');
  const run = spawnSync(kSky, args, {encoding: 'utf8', maxBuffer: 1 << 26});
  assert.equal(run.status, 0, `${args.join(' ')}: ${run.error || run.stderr}`);
  return run.stdout;
}

test(`the downloaded CSV and the readouts are the table's (seed ${kSeed})`, async (t) => {
  const browser = await OpenBrowser();
  t.after(browser.close);
  const rnd = Random(kSeed);
  for (let i = 0; i < kCases; ++i) {
    const c = Case(rnd);
    const what = `case ${i} of seed ${kSeed}: ${Hash(c)}`;
    const page = await OpenPage(browser.context, {heldClock: false,
                                                  url: 'file://' + kSkyPage + Hash(c)});
    assert.equal(await page.locator('#notice').textContent(), '', what);
    const download = page.waitForEvent('download');
    await page.click('#download-csv');
    const csv = fs.readFileSync(await (await download).path(), 'utf8');
    const next = new Date(Date.parse(c.day) + 86400000).toISOString().slice(0, 10);
    assert.ok(csv === Table(c, '--from', `${c.day}T00:00Z`, '--to', `${next}T00:00Z`,
                            '--step', '1m'), `the CSV differs, ${what}`);
    assert.equal(csv.split('\n').length, 1443, what);  // the header, 1,441 rows, the last newline

    const [header, row] = Table(c, '--at', c.at).trim().split('\n').map((l) => l.split(','));
    const shown = await page.evaluate(() => Object.fromEntries(
        [...document.querySelectorAll('[data-readout]')].map((e) => [e.dataset.readout, e.textContent])));
    let compared = 0;
    for (let k = 1; k < header.length; ++k) {
      if (!(header[k] in shown)) continue;  // the DX station's azimuth and rate: table only
      ++compared;
      // The readout is the cell and its unit: "12.345°", "-1234.5 Hz".
      assert.match(shown[header[k]], new RegExp(`^${row[k].replace(/[.+]/g, '\\$&')}( |°)`),
                   `${header[k]}, ${what}`);
    }
    assert.ok(compared >= (c.dx ? 17 : 14), what);
    assert.deepEqual(page.errors, [], what);
    await page.close();
  }
});
