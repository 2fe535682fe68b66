#!/usr/bin/env node
// SPDX-License-Identifier: GPL-3.0-or-later
// Stand-in for vornak-sky, used only to test run.sh and compare.js before
// (or without) the real binary: it answers the same command line with the
// same CSV columns, computed by Astronomy Engine itself, so compare.js must
// report differences at the level of the printed rounding.
//
//   fake-vornak-sky.js --table --csv --lat DEG --lon DEG [--height M]
//                      (--at UTC | --from UTC --to UTC --step 1h|10m|30s|SECONDS)
'use strict';

const Astronomy = require('astronomy-engine');
const { geometry, setTimeScale } = require('./compare.js');

const C_MS = 299792458;
// The fake has no radio settings; a 23 cm EME frequency gives the Doppler
// columns plausible magnitudes. compare.js does not read them.
const FREQ_HZ = 1296e6;

function fail(msg) {
  process.stderr.write(`fake-vornak-sky: ${msg}\n`);
  process.exit(2);
}

function stepMs(text) {
  const m = /^(\d+(?:\.\d+)?)([hms]?)$/.exec(text);
  if (!m) fail(`bad --step ${text}`);
  return Number(m[1]) * { h: 3600e3, m: 60e3, s: 1e3, '': 1e3 }[m[2]];
}

const opts = {};
const argv = process.argv.slice(2);
for (let i = 0; i < argv.length; i++) {
  if (argv[i] === '--table' || argv[i] === '--csv') continue;
  if (!argv[i].startsWith('--') || i + 1 >= argv.length) fail(`unexpected ${argv[i]}`);
  opts[argv[i].slice(2)] = argv[++i];
}
if (opts.locator) fail('--locator is not supported by the fake');
if (opts.lat === undefined || opts.lon === undefined) fail('need --lat and --lon');

// Same time-scale rule as compare.js's default, so a zero difference is expected.
setTimeScale('leap');
const observer = new Astronomy.Observer(Number(opts.lat), Number(opts.lon), Number(opts.height ?? 0));

let instants;
if (opts.at) {
  instants = [Date.parse(opts.at)];
} else {
  const from = Date.parse(opts.from);
  const to = Date.parse(opts.to);
  const step = stepMs(opts.step ?? '1h');
  instants = [];
  for (let i = 0; from + i * step <= to; i++) instants.push(from + i * step);
}
if (!instants.every(Number.isFinite)) fail('bad instant');

const selfDopplerHz = (rangeRateMs) => -2 * rangeRateMs / C_MS * FREQ_HZ;

console.log('utc,elevation_deg,azimuth_deg,range_km,echo_delay_s,radial_ms,parallax_ms,' +
            'rotation_ms,range_rate_ms,self_doppler_hz,doppler_rate_hz_per_min');
for (const ms of instants) {
  const g = geometry(new Date(ms), observer);
  const dot = (a, b) => a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
  // The range rate split three ways: the Moon's own radial motion seen from
  // the geocentre, the change of that projection from standing off-centre,
  // and the station's spin velocity along the line of sight.
  const radial = dot(g.moonPos, g.vMoon) / Math.hypot(...g.moonPos);
  const parallax = dot(g.u, g.vMoon) - radial;
  const rotation = -dot(g.u, g.vStation);
  const before = geometry(new Date(ms - 30e3), observer).rangeRateMs;
  const after = geometry(new Date(ms + 30e3), observer).rangeRateMs;
  const rate = selfDopplerHz(after) - selfDopplerHz(before);   // Hz over one minute
  const utc = new Date(ms).toISOString().replace('.000Z', 'Z');
  console.log([utc, g.elevationDeg.toFixed(6), g.azimuthDeg.toFixed(6), g.rangeKm.toFixed(3),
               (2 * g.rangeKm * 1000 / C_MS).toFixed(6), radial.toFixed(3), parallax.toFixed(3),
               rotation.toFixed(3), g.rangeRateMs.toFixed(3), selfDopplerHz(g.rangeRateMs).toFixed(1),
               rate.toFixed(2)].join(','));
}
