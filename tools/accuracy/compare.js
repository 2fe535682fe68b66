#!/usr/bin/env node
// SPDX-License-Identifier: GPL-3.0-or-later
// Recomputes vornak-sky's Moon table with Astronomy Engine 2.1.19 and prints
// the worst disagreements.
//
// Usage:
//   node compare.js [--tt leap|model|SECONDS] [--limits EL,AZ,KM,MS] \
//                   [--lat DEG --lon DEG [--height M]] [FILE ...]
//
// Input is CSV as vornak-sky --table --csv prints it (header row, then rows),
// read from the files given or from standard input. Columns are found by
// name, so extra columns are ignored. The station comes either from
// --lat/--lon/--height (one station for the whole input) or from columns
// lat_deg, lon_deg, height_m placed in front of each row (run.sh does this to
// put many stations into one file).
//
// --limits makes the exit status 1 when a worst difference exceeds the
// matching bound (elevation deg, azimuth deg, range km, range rate m/s).
'use strict';

const fs = require('fs');
const Astronomy = require('astronomy-engine');

const METRES_PER_AU = Astronomy.KM_PER_AU * 1000;
const SECONDS_PER_DAY = 86400;
const MJD_OF_J2000 = 51544.5;   // J2000.0 (2000-01-01 12:00) as a Modified Julian Date

// ---------------------------------------------------------------------------
// Time scales.
//
// Astronomy Engine keeps two clocks in every AstroTime: `ut`, taken straight
// from the JavaScript Date (that is UTC, and it is used as UT1 for the
// Earth rotation angle), and `tt`, obtained as ut + DeltaT(ut). Only `tt`
// drives the lunar theory, precession and nutation. So "UT1 = UTC" already
// holds in the library; what differs from an ERFA-based program is DeltaT.
// The library's default DeltaT is the Espenak-Meeus polynomial fit to the
// real TT - UT1, whereas a program that sets UT1 = UTC and reaches TT through
// leap seconds has TT - UTC = (TAI - UTC) + 32.184 s. Those differ by seconds
// today and by more than two minutes in 2100 (the polynomial grows
// quadratically, the leap-second count is frozen at its last value). A two
// minute shift of the Moon's time argument moves it ~130 km along its orbit,
// which would swamp the comparison, so the default here is the leap-second
// road, the same one eraUtctai + eraTaitt takes.

// TAI - UTC. Before 1972 UTC was steered with rate offsets; each entry is
// [first UTC day as MJD, offset s, reference MJD, rate s/day]. After that it
// is a whole number of seconds stepping at each leap second.
const TAI_UTC_RATES = [
  [36934, 1.4178180, 37300, 0.001296],   // 1960 Jan 1
  [37300, 1.4228180, 37300, 0.001296],   // 1961 Jan 1
  [37512, 1.3728180, 37300, 0.001296],   // 1961 Aug 1
  [37665, 1.8458580, 37665, 0.0011232],  // 1962 Jan 1
  [38334, 1.9458580, 37665, 0.0011232],  // 1963 Nov 1
  [38395, 3.2401300, 38761, 0.001296],   // 1964 Jan 1
  [38486, 3.3401300, 38761, 0.001296],   // 1964 Apr 1
  [38639, 3.4401300, 38761, 0.001296],   // 1964 Sep 1
  [38761, 3.5401300, 38761, 0.001296],   // 1965 Jan 1
  [38820, 3.6401300, 38761, 0.001296],   // 1965 Mar 1
  [38942, 3.7401300, 38761, 0.001296],   // 1965 Jul 1
  [39004, 3.8401300, 38761, 0.001296],   // 1965 Sep 1
  [39126, 4.3131700, 39126, 0.002592],   // 1966 Jan 1
  [39887, 4.2131700, 39126, 0.002592],   // 1968 Feb 1
];
// [first UTC day as MJD, TAI - UTC in s] from 1972 on.
const TAI_UTC_STEPS = [
  [41317, 10], [41499, 11], [41683, 12], [42048, 13], [42413, 14],
  [42778, 15], [43144, 16], [43509, 17], [43874, 18], [44239, 19],
  [44786, 20], [45151, 21], [45516, 22], [46247, 23], [47161, 24],
  [47892, 25], [48257, 26], [48804, 27], [49169, 28], [49534, 29],
  [50083, 30], [50630, 31], [51179, 32], [53736, 33], [54832, 34],
  [56109, 35], [57204, 36], [57754, 37],
];

// Before UTC existed (1960) there is no leap-second count; like eraDat we
// then take TAI = UTC, so TT - UTC = 32.184 s.
function taiMinusUtc(mjd) {
  for (let i = TAI_UTC_STEPS.length - 1; i >= 0; i--) {
    if (mjd >= TAI_UTC_STEPS[i][0]) return TAI_UTC_STEPS[i][1];
  }
  for (let i = TAI_UTC_RATES.length - 1; i >= 0; i--) {
    const [start, offset, ref, rate] = TAI_UTC_RATES[i];
    if (mjd >= start) return offset + (mjd - ref) * rate;
  }
  return 0;
}

// Installs the chosen TT - UT rule in Astronomy Engine and returns a label.
function setTimeScale(choice) {
  if (choice === 'model') {
    Astronomy.SetDeltaTFunction(Astronomy.DeltaT_EspenakMeeus);
    return "TT - UTC from Astronomy Engine's own DeltaT model (Espenak-Meeus)";
  }
  if (choice === 'leap') {
    Astronomy.SetDeltaTFunction((ut) => 32.184 + taiMinusUtc(ut + MJD_OF_J2000));
    return 'TT - UTC = (TAI - UTC) + 32.184 s from leap seconds (frozen at 37 s after 2017)';
  }
  const seconds = Number(choice);
  if (!Number.isFinite(seconds)) throw new Error(`--tt: expected leap, model or seconds, got ${choice}`);
  Astronomy.SetDeltaTFunction(() => seconds);
  return `TT - UTC fixed at ${seconds} s`;
}

// ---------------------------------------------------------------------------
// Geometry, the same quantities vornak-sky prints.
//
// Range and range rate come from state vectors in one inertial frame: the
// geocentric Moon and the station, both in EQJ (J2000 mean equator). The
// station's velocity is the Earth's spin velocity. The rate is the relative
// velocity projected on the unit line of sight u, i.e. u . (vMoon - vStation).
// Elevation and azimuth come from the topocentric equator-of-date direction
// turned into the horizon of the geodetic zenith, with no refraction.
//
// The Moon's velocity is a central difference of GeoMoon over +-0.864 s of
// TT, the uniform time its theory runs on. GeoMoonState would step UT
// instead and let DeltaT carry the step over to TT; with the leap-second
// rule that breaks within a second of a leap second, where TT - UTC jumps by
// 1 s between the two samples and the velocity comes out ~1.6 times too
// large (tens of m/s in range rate on 2017-01-01T00:00:00Z).
const MOON_HALF_STEP_DAYS = 1e-5;

function atTerrestrialTime(time, tt) {
  // Only `tt` is read by the lunar theory and the precession; the object is
  // otherwise the original instant.
  const t = new Astronomy.AstroTime(time);
  t.tt = tt;
  return t;
}

function moonState(time) {
  const before = Astronomy.GeoMoon(atTerrestrialTime(time, time.tt - MOON_HALF_STEP_DAYS));
  const after = Astronomy.GeoMoon(atTerrestrialTime(time, time.tt + MOON_HALF_STEP_DAYS));
  const h2 = 2 * MOON_HALF_STEP_DAYS;
  return {
    x: (before.x + after.x) / 2, y: (before.y + after.y) / 2, z: (before.z + after.z) / 2,
    vx: (after.x - before.x) / h2, vy: (after.y - before.y) / h2, vz: (after.z - before.z) / h2,
  };
}

function geometry(date, observer) {
  const time = Astronomy.MakeTime(date);
  const moon = moonState(time);
  const station = Astronomy.ObserverState(time, observer, false);
  const rel = [moon.x - station.x, moon.y - station.y, moon.z - station.z];
  const rangeAu = Math.hypot(rel[0], rel[1], rel[2]);
  const u = rel.map((c) => c / rangeAu);
  const toMs = METRES_PER_AU / SECONDS_PER_DAY;
  const vMoon = [moon.vx * toMs, moon.vy * toMs, moon.vz * toMs];
  const vStation = [station.vx * toMs, station.vy * toMs, station.vz * toMs];
  const rangeRateMs = u[0] * (vMoon[0] - vStation[0]) + u[1] * (vMoon[1] - vStation[1]) +
                      u[2] * (vMoon[2] - vStation[2]);
  const equ = Astronomy.Equator(Astronomy.Body.Moon, time, observer, true, false);
  const hor = Astronomy.Horizon(time, observer, equ.ra, equ.dec);
  return {
    elevationDeg: hor.altitude,
    azimuthDeg: hor.azimuth,
    rangeKm: rangeAu * Astronomy.KM_PER_AU,
    rangeRateMs,
    u, vMoon, vStation,
    moonPos: [moon.x, moon.y, moon.z],
  };
}

// ---------------------------------------------------------------------------
// Input.

// A UTC stamp without a zone designator would be read as local time by
// Date.parse; vornak-sky's instants are UTC, so say so explicitly.
function parseUtc(text) {
  const t = /(Z|[+-]\d\d:?\d\d)$/.test(text) ? text : text + 'Z';
  const ms = Date.parse(t);
  if (!Number.isFinite(ms)) throw new Error(`not a UTC instant: ${text}`);
  return ms;
}

function* csvRows(text, source, fixedStation) {
  let columns = null;
  const lines = text.split(/\r?\n/);
  for (let n = 0; n < lines.length; n++) {
    const line = lines[n].trim();
    if (line === '' || line.startsWith('#')) continue;
    const cells = line.split(',').map((c) => c.trim());
    if (cells.includes('utc')) {         // a header, possibly repeated between blocks
      columns = new Map(cells.map((name, i) => [name, i]));
      for (const need of ['utc', 'elevation_deg', 'azimuth_deg', 'range_km', 'range_rate_ms']) {
        if (!columns.has(need)) throw new Error(`${source}:${n + 1}: no column ${need}`);
      }
      if (!fixedStation && !columns.has('lat_deg')) {
        throw new Error(`${source}: no lat_deg column; give --lat/--lon for a single station`);
      }
      continue;
    }
    if (!columns) throw new Error(`${source}:${n + 1}: data before a header row`);
    const get = (name) => cells[columns.get(name)];
    const num = (name) => Number(get(name));
    const station = fixedStation || {
      lat: num('lat_deg'), lon: num('lon_deg'),
      height: columns.has('height_m') ? num('height_m') : 0,
    };
    yield {
      where: `${source}:${n + 1}`,
      station,
      utc: get('utc'),
      ms: parseUtc(get('utc')),
      elevationDeg: num('elevation_deg'),
      azimuthDeg: num('azimuth_deg'),
      rangeKm: num('range_km'),
      rangeRateMs: num('range_rate_ms'),
    };
  }
}

// ---------------------------------------------------------------------------
// Comparison.

// Azimuth differences are folded into [-180, 180) so 359.9 vs 0.1 counts as
// 0.2 degrees. Near the zenith azimuth is ill-conditioned, which is why the
// angular separation on the sky is reported as well.
function wrap180(deg) {
  return ((deg + 180) % 360 + 360) % 360 - 180;
}

function skySeparationDeg(el1, az1, el2, az2) {
  const r = Math.PI / 180;
  const unit = (el, az) => [Math.cos(el * r) * Math.cos(az * r),
                            Math.cos(el * r) * Math.sin(az * r), Math.sin(el * r)];
  const a = unit(el1, az1);
  const b = unit(el2, az2);
  const dot = a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
  const cross = Math.hypot(a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2],
                           a[0] * b[1] - a[1] * b[0]);
  // atan2 of sine and cosine keeps precision for tiny angles where acos would not.
  return Math.atan2(cross, dot) / r;
}

const QUANTITIES = [
  { key: 'el', label: 'elevation (deg)', ours: (o) => o.elevationDeg, ae: (a) => a.elevationDeg },
  { key: 'az', label: 'azimuth (deg)', ours: (o) => o.azimuthDeg, ae: (a) => a.azimuthDeg, wrap: true },
  { key: 'km', label: 'range (km)', ours: (o) => o.rangeKm, ae: (a) => a.rangeKm },
  { key: 'ms', label: 'range rate (m/s)', ours: (o) => o.rangeRateMs, ae: (a) => a.rangeRateMs },
];

function compare(rows) {
  const worst = {};
  for (const q of QUANTITIES) worst[q.key] = { diff: -1 };
  worst.sep = { diff: -1 };
  let count = 0;
  let skipped = 0;
  const observers = new Map();
  for (const row of rows) {
    const s = row.station;
    const values = [row.elevationDeg, row.azimuthDeg, row.rangeKm, row.rangeRateMs];
    if (![s.lat, s.lon, s.height, ...values].every(Number.isFinite)) {
      skipped++;
      continue;
    }
    const key = `${s.lat},${s.lon},${s.height}`;
    if (!observers.has(key)) observers.set(key, new Astronomy.Observer(s.lat, s.lon, s.height));
    const ae = geometry(new Date(row.ms), observers.get(key));
    count++;
    for (const q of QUANTITIES) {
      let d = q.ours(row) - q.ae(ae);
      if (q.wrap) d = wrap180(d);
      if (Math.abs(d) > worst[q.key].diff) {
        worst[q.key] = { diff: Math.abs(d), ours: q.ours(row), ae: q.ae(ae), row };
      }
    }
    const sep = skySeparationDeg(row.elevationDeg, row.azimuthDeg, ae.elevationDeg, ae.azimuthDeg);
    if (sep > worst.sep.diff) {
      worst.sep = { diff: sep, ours: row.elevationDeg, ae: ae.elevationDeg, row };
    }
  }
  return { worst, count, skipped, stations: observers.size };
}

function report(result, timeLabel) {
  const out = [];
  out.push(`compared ${result.count} rows at ${result.stations} stations` +
           (result.skipped ? ` (${result.skipped} rows with non-numbers skipped)` : ''));
  out.push(timeLabel);
  const pad = (s, n) => String(s).padEnd(n);
  out.push(pad('quantity', 22) + pad('worst |ours-AE|', 17) + pad('ours', 16) + pad('AE', 16) +
           'station lat,lon,height / utc');
  const lines = [...QUANTITIES.map((q) => [q.key, q.label]), ['sep', 'sky separation (deg)']];
  for (const [key, label] of lines) {
    const w = result.worst[key];
    if (w.diff < 0) continue;
    const s = w.row.station;
    // For the separation, the elevations show how close to the zenith it was.
    const oursAe = key === 'sep' ? [`el ${w.ours.toFixed(3)}`, `el ${w.ae.toFixed(3)}`]
                                 : [w.ours.toFixed(6), w.ae.toFixed(6)];
    out.push(pad(label, 22) + pad(w.diff.toExponential(3), 17) + pad(oursAe[0], 16) +
             pad(oursAe[1], 16) + `${s.lat},${s.lon},${s.height} m / ${w.row.utc}`);
  }
  return out.join('\n');
}

function parseArgs(argv) {
  const opts = { tt: 'leap', files: [] };
  for (let i = 0; i < argv.length; i++) {
    const a = argv[i];
    if (a.startsWith('--')) {
      if (!['--tt', '--limits', '--lat', '--lon', '--height'].includes(a)) throw new Error(`unknown option ${a}`);
      if (i + 1 >= argv.length) throw new Error(`${a} needs a value`);
      opts[a.slice(2)] = argv[++i];
    } else {
      opts.files.push(a);
    }
  }
  return opts;
}

function main() {
  const opts = parseArgs(process.argv.slice(2));
  const timeLabel = setTimeScale(opts.tt);
  let fixedStation = null;
  if (opts.lat !== undefined || opts.lon !== undefined) {
    fixedStation = { lat: Number(opts.lat), lon: Number(opts.lon), height: Number(opts.height ?? 0) };
  }
  const inputs = opts.files.length ? opts.files : ['-'];
  const rows = [];
  for (const f of inputs) {
    const text = fs.readFileSync(f === '-' ? 0 : f, 'utf8');
    for (const row of csvRows(text, f === '-' ? 'stdin' : f, fixedStation)) rows.push(row);
  }
  const result = compare(rows);
  if (result.count === 0) throw new Error('no rows to compare');
  console.log(report(result, timeLabel));
  if (opts.limits) {
    const bounds = opts.limits.split(',').map(Number);
    const over = QUANTITIES.filter((q, i) => Number.isFinite(bounds[i]) && result.worst[q.key].diff > bounds[i]);
    if (over.length) {
      console.log(`over the limits: ${over.map((q) => q.label).join(', ')}`);
      process.exitCode = 1;
    } else {
      console.log(`within the limits ${opts.limits}`);
    }
  }
}

if (require.main === module) {
  try {
    main();
  } catch (e) {
    process.stderr.write(`compare: ${e.message}\n`);
    process.exit(2);
  }
}

module.exports = { geometry, setTimeScale, taiMinusUtc, wrap180 };
