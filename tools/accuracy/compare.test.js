// SPDX-License-Identifier: GPL-3.0-or-later
// Run with: node --test   (from tools/accuracy, after npm ci)
'use strict';

const test = require('node:test');
const assert = require('node:assert');
const path = require('path');
const { execFileSync } = require('child_process');
const Astronomy = require('astronomy-engine');
const { geometry, setTimeScale, taiMinusUtc, wrap180 } = require('./compare.js');

const mjd = (iso) => Date.parse(iso) / 86400e3 + 40587;   // 1970-01-01 is MJD 40587

test('TAI - UTC across its eras', () => {
  assert.strictEqual(taiMinusUtc(mjd('1955-06-01T00:00:00Z')), 0);
  // Late 1965, when UTC ran at a rate offset: 3.8401300 s + (MJD - 38761) * 0.001296 s/day.
  assert.ok(Math.abs(taiMinusUtc(mjd('1965-12-31T00:00:00Z')) - 4.311874) < 1e-6);
  assert.strictEqual(taiMinusUtc(mjd('1972-06-30T23:59:59Z')), 10);
  assert.strictEqual(taiMinusUtc(mjd('1972-07-01T00:00:00Z')), 11);
  assert.strictEqual(taiMinusUtc(mjd('2016-12-31T23:59:59Z')), 36);
  assert.strictEqual(taiMinusUtc(mjd('2100-01-01T00:00:00Z')), 37);
});

test('azimuth differences wrap across north', () => {
  assert.ok(Math.abs(wrap180(359.9 - 0.1) + 0.2) < 1e-9);
  assert.ok(Math.abs(wrap180(0.1 - 359.9) - 0.2) < 1e-9);
});

// TT - UTC steps by 1 s at a leap second. Just before one, a Moon velocity
// taken by stepping UTC either side would straddle the step and come out
// ~1.6 times too large; it must match the slope of range over an interval
// that stays on one side.
test('range rate holds next to a leap second', () => {
  setTimeScale('leap');
  const obs = new Astronomy.Observer(64.1, -21.9, 50);
  const at = (iso) => geometry(new Date(iso), obs);
  const slope = (at('2016-12-31T23:59:59.9Z').rangeKm - at('2016-12-31T23:59:59.3Z').rangeKm) * 1000 / 0.6;
  const rate = at('2016-12-31T23:59:59.6Z').rangeRateMs;
  assert.ok(Math.abs(slope - rate) < 1e-3, `${slope} vs ${rate}`);
});

test('run.sh against the fake binary agrees to the printed rounding', () => {
  const out = execFileSync(path.join(__dirname, 'run.sh'),
    [path.join(__dirname, 'fake-vornak-sky.js'), '--limits', '1e-5,1e-5,1e-3,1e-3'], { encoding: 'utf8' });
  assert.match(out, /compared 53 rows at 25 stations/);
  assert.match(out, /within the limits/);
});
