#!/usr/bin/env node
// SPDX-License-Identifier: GPL-3.0-or-later
// Benchmark peer for vornak-sky: the Moon as seen from one station over a
// span of time, computed row by row with Astronomy Engine 2.1.19.
//
// Usage:
//   node doppler_day.js --lat DEG --lon DEG --height M \
//        --from ISO --to ISO --step SECONDS OUTPUT.csv
//
// Each row is computed from scratch from its own instant; nothing is carried
// from one row to the next, so the work per row matches a program that is
// asked for one instant at a time.
'use strict';

const fs = require('fs');
const Astronomy = require('astronomy-engine');

const METRES_PER_AU = Astronomy.KM_PER_AU * 1000;
const SECONDS_PER_DAY = 86400;

// Station-to-Moon geometry at one instant.
//
// The range rate comes from state vectors rather than from differencing
// positions: the geocentric Moon (GeoMoonState) and the station on the
// rotating Earth (ObserverState) are both asked for in EQJ, the mean equator
// and equinox of J2000. EQJ is inertial (up to the negligible drift of the
// precession matrix within a second), so the station's velocity there is the
// Earth's spin velocity w x r rotated into it, and the difference of the two
// velocities is the true relative velocity. Projecting it on the unit line
// of sight gives d|r|/dt, positive when the Moon recedes. Mixing an
// equator-of-date position with an EQJ one would tilt the station by up to
// a degree of precession and spoil both range and range rate.
//
// Elevation and azimuth take the other road Astronomy Engine offers: the
// topocentric right ascension and declination on the true equator of date
// (Equator with ofdate = true, no aberration; the Moon is never light-time
// corrected there) turned into horizon coordinates for the geodetic zenith
// by Horizon, with refraction off so the elevation is geometric.
function rowAt(date, observer) {
  const time = Astronomy.MakeTime(date);

  const moon = Astronomy.GeoMoonState(time);                 // AU, AU/day, EQJ
  const station = Astronomy.ObserverState(time, observer, false);

  const dx = moon.x - station.x;
  const dy = moon.y - station.y;
  const dz = moon.z - station.z;
  const dvx = moon.vx - station.vx;
  const dvy = moon.vy - station.vy;
  const dvz = moon.vz - station.vz;
  const rangeAu = Math.sqrt(dx * dx + dy * dy + dz * dz);
  const rateAuPerDay = (dx * dvx + dy * dvy + dz * dvz) / rangeAu;

  const equ = Astronomy.Equator(Astronomy.Body.Moon, time, observer, true, false);
  const hor = Astronomy.Horizon(time, observer, equ.ra, equ.dec);

  return {
    elevationDeg: hor.altitude,
    azimuthDeg: hor.azimuth,
    rangeKm: rangeAu * Astronomy.KM_PER_AU,
    rangeRateMs: rateAuPerDay * METRES_PER_AU / SECONDS_PER_DAY,
  };
}

// ISO 8601 in UTC, without milliseconds when the instant is on a whole second.
function formatUtc(ms) {
  const iso = new Date(ms).toISOString();
  return iso.endsWith('.000Z') ? iso.slice(0, -5) + 'Z' : iso;
}

function parseArgs(argv) {
  const opts = {};
  const rest = [];
  for (let i = 0; i < argv.length; i++) {
    const a = argv[i];
    if (a.startsWith('--')) {
      if (i + 1 >= argv.length) throw new Error(`${a} needs a value`);
      opts[a.slice(2)] = argv[++i];
    } else {
      rest.push(a);
    }
  }
  const need = ['lat', 'lon', 'from', 'to', 'step'];
  for (const k of need) {
    if (!(k in opts)) throw new Error(`missing --${k}`);
  }
  const out = opts.out || rest[0];
  if (!out) throw new Error('missing output file path');

  const num = (k, v) => {
    const x = Number(v);
    if (!Number.isFinite(x)) throw new Error(`--${k}: not a number: ${v}`);
    return x;
  };
  const when = (k, v) => {
    const t = Date.parse(v);
    if (!Number.isFinite(t)) throw new Error(`--${k}: not an ISO date: ${v}`);
    return t;
  };
  const lat = num('lat', opts.lat);
  if (lat < -90 || lat > 90) throw new Error('--lat must be within [-90, 90]');
  const stepMs = Math.round(num('step', opts.step) * 1000);
  if (stepMs <= 0) throw new Error('--step must be positive (resolution 1 ms)');
  const fromMs = when('from', opts.from);
  const toMs = when('to', opts.to);
  if (toMs < fromMs) throw new Error('--to is before --from');
  return {
    observer: new Astronomy.Observer(lat, num('lon', opts.lon),
                                     num('height', opts.height ?? '0')),
    fromMs, toMs, stepMs, out,
  };
}

// Rows are written through a small buffer flushed with writeSync, so memory
// stays bounded however long the span is.
function run(args) {
  const fd = fs.openSync(args.out, 'w');
  let buf = 'utc,elevation_deg,azimuth_deg,range_km,range_rate_ms\n';
  let rows = 0;
  // The instant is rebuilt from an integer count of steps, so a long run
  // does not accumulate rounding drift and `to` is hit exactly.
  for (let i = 0; ; i++) {
    const ms = args.fromMs + i * args.stepMs;
    if (ms > args.toMs) break;
    const r = rowAt(new Date(ms), args.observer);
    buf += `${formatUtc(ms)},${r.elevationDeg.toFixed(6)},${r.azimuthDeg.toFixed(6)},` +
           `${r.rangeKm.toFixed(6)},${r.rangeRateMs.toFixed(4)}\n`;
    rows++;
    if (buf.length > 65536) {
      fs.writeSync(fd, buf);
      buf = '';
    }
  }
  fs.writeSync(fd, buf);
  fs.closeSync(fd);
  return rows;
}

if (require.main === module) {
  let args;
  try {
    args = parseArgs(process.argv.slice(2));
  } catch (e) {
    process.stderr.write(`doppler_day: ${e.message}\n` +
      'usage: doppler_day.js --lat DEG --lon DEG [--height M] --from ISO --to ISO ' +
      '--step SECONDS OUTPUT.csv\n');
    process.exit(2);
  }
  run(args);
}

module.exports = { rowAt };
