// SPDX-License-Identifier: GPL-3.0-or-later
// Run with: node --test   (from bench/peer, after npm ci)
'use strict';

const test = require('node:test');
const assert = require('node:assert');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { execFileSync } = require('child_process');
const Astronomy = require('astronomy-engine');
const { rowAt } = require('./doppler_day.js');

// The equator (largest spin velocity), both polar caps, heights up to 3 km;
// 40 instants over 1950-2100 at an irregular stride so hour angles vary.
const stations = [[0, -78.5, 2800], [52.37, 4.89, 0], [-89.5, 139, 2835], [89.5, -40, 3000]]
  .map(([lat, lon, h]) => new Astronomy.Observer(lat, lon, h));
const instants = Array.from({ length: 40 }, (_, k) => Date.parse('1950-01-01T00:00:00Z') + k * 118.3e9);
const cases = stations.flatMap((obs) => instants.map((t) => [obs, t]));

// A velocity in the wrong frame, a unit slip or a missing station velocity
// breaks the match between the state-vector range rate and the slope of the
// range itself. Over +-0.5 s the slope's own error is far below 1 um/s.
test('range rate equals the central difference of range over +-0.5 s', () => {
  let worst = 0;
  for (const [obs, t] of cases) {
    const slope = (rowAt(new Date(t + 500), obs).rangeKm - rowAt(new Date(t - 500), obs).rangeKm) * 1000;
    worst = Math.max(worst, Math.abs(slope - rowAt(new Date(t), obs).rangeRateMs));
  }
  assert.ok(worst < 1e-3, `worst difference ${worst} m/s`);
});

// The slope test cannot see a station position in the wrong frame (range and
// slope would be wrong together). Equator() places the station its own way;
// an equator-of-date station against a J2000 Moon would be kilometres off.
test('range agrees with the distance from Equator()', () => {
  for (const [obs, t] of cases) {
    const equ = Astronomy.Equator(Astronomy.Body.Moon, new Date(t), obs, false, false);
    const diffKm = Math.abs(rowAt(new Date(t), obs).rangeKm - equ.dist * Astronomy.KM_PER_AU);
    assert.ok(diffKm < 1e-3, `range differs by ${diffKm} km`);
  }
});

test('the CLI writes both ends of the span and one row per step', () => {
  const out = path.join(fs.mkdtempSync(path.join(os.tmpdir(), 'peer-')), 'rows.csv');
  execFileSync(process.execPath, [path.join(__dirname, 'doppler_day.js'), '--lat', '-33.9', '--lon', '18.4',
    '--from', '2026-12-09T21:00:00Z', '--to', '2026-12-09T22:00:00Z', '--step', '600', out]);
  const lines = fs.readFileSync(out, 'utf8').trim().split('\n');
  assert.strictEqual(lines[0], 'utc,elevation_deg,azimuth_deg,range_km,range_rate_ms');
  assert.strictEqual(lines.length, 1 + 7);
  assert.match(lines[1], /^2026-12-09T21:00:00Z,/);
  assert.match(lines[7], /^2026-12-09T22:00:00Z,/);
});
