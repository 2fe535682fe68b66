// SPDX-License-Identifier: GPL-3.0-or-later
// The built pages' speed in Debian's headless Chromium, printed as SUMMARY lines with their
// targets beside the desktop's figures of the same run:
//   - the file opened to its first complete frame (the start-up run, the fonts loaded, a
//     frame painted after it), the median of five fresh opens;
//   - the animation over 10 s: ticks a second and the p99 interval between two, from the
//     moments the sidereal readout changes;
//   - the main thread's time a tick (script, style, layout, paint and the commit to the
//     compositor), from Chromium's performance metrics over the same 10 s divided by the
//     ticks: its CPU time (ThreadTime), which the other programs on a shared machine do not
//     lengthen, against the desktop's tiled tick (CPU too), and its tasks' wall time
//     (TaskDuration) beside it;
//   - the browser's floor beside it: the same CPU a tick of two pages of a few lines, one that
//     rewrites one caption a tick, one that draws into three canvases of the views' sizes,
//     and of both at once;
//   - the size of the file;
//   - on the real Moon's page: one instant's readouts (the Moon, the Earth, both stations and
//     the budget, every text, as the page asks for them, its JSON read) against the same
//     readouts computed natively in the same run (time_sky core), with its ratio to the
//     native instant without a DX station or texts beside it; a day's curves with both
//     stations, and the file opened to its first plot (the plot is drawn before start-up
//     ends, so its first complete frame).
// Usage: node page_timing.js [--desktop-tick-ms MS] [--native-instant-us US]
//                            [--native-readouts-us US]
//   (VORNAK_PAGE names the classroom page, VORNAK_SKY_PAGE the real Moon's)
'use strict';
const fs = require('node:fs');
const path = require('node:path');
const web = path.join(__dirname, '..', '..', 'tests', 'web');
const {OpenBrowser} = require(path.join(web, 'harness.js'));
const {BuiltPages, Open, Control} = require(path.join(web, 'pages.js'));

const kOpens = 5;
const kAnimationMs = 10000;
// Each page's size limit: the classroom page alone, the sky page with the Moon's and the
// planets' ephemeris files inside.
const kMaxBytes = {classroom: 1.5e6, sky: 4e6};
const Arg = (name) => {
  const i = process.argv.indexOf(name);
  return i > 0 ? Number(process.argv[i + 1]) : NaN;
};
const desktopTickMs = Arg('--desktop-tick-ms');
const nativeInstantUs = Arg('--native-instant-us');
const nativeReadoutsUs = Arg('--native-readouts-us');

const Verdict = (ok) => (ok ? 'MET' : 'MISSED');
const Median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];

// From the navigation's start to a frame painted after start-up.
async function OpenToFrame(entry) {
  const browser = await OpenBrowser();
  try {
    const page = await Open(browser.context, entry);
    return await page.evaluate(() => new Promise((done) => {
      requestAnimationFrame(() => setTimeout(() => done(performance.now()), 0));
    }));
  } finally {
    await browser.close();
  }
}

async function Animation(entry) {
  const browser = await OpenBrowser();
  try {
    const page = await Open(browser.context, entry);
    const cdp = await browser.context.newCDPSession(page);
    await cdp.send('Performance.enable');
    await page.locator(Control('Option4(1)')).click();
    await page.waitForTimeout(500);
    const metric = async () => Object.fromEntries(
        (await cdp.send('Performance.getMetrics')).metrics.map((m) => [m.name, m.value]));
    const before = await metric();
    const times = await page.evaluate(async (ms) => {
      const label = document.querySelector('[data-control="Label3"]');
      const at = [];
      const watch = new MutationObserver(() => at.push(performance.now()));
      watch.observe(label, {childList: true, characterData: true, subtree: true});
      await new Promise((r) => setTimeout(r, ms));
      watch.disconnect();
      return at;
    }, kAnimationMs);
    const after = await metric();
    const intervals = times.slice(1).map((t, i) => t - times[i]).sort((a, b) => a - b);
    const ticks = times.length;
    const perTick = (name) => (after[name] - before[name]) * 1000 / ticks;
    return {
      perSecond: ticks * 1000 / kAnimationMs,
      p99: intervals[Math.min(intervals.length - 1, Math.floor(intervals.length * 0.99))],
      taskMs: perTick('TaskDuration'),
      cpuMs: perTick('ThreadTime'),
      scriptMs: perTick('ScriptDuration'),
      styleLayoutMs: perTick('RecalcStyleDuration') + perTick('LayoutDuration'),
      errors: page.problems,
    };
  } finally {
    await browser.close();
  }
}

async function Classroom(entry) {
  const opens = [];
  for (let i = 0; i < kOpens; ++i) opens.push(await OpenToFrame(entry));
  const open = Median(opens);
  console.log(`SUMMARY page (${entry.name}) opened to its first complete frame: ${open.toFixed(0)} ms, ` +
              `median of ${kOpens} (target at most 500 ms) ${Verdict(open <= 500)}`);
  const a = await Animation(entry);
  console.log(`SUMMARY page (${entry.name}) animation ticks: ${a.perSecond.toFixed(2)} per second ` +
              `(target at least 49.5) ${Verdict(a.perSecond >= 49.5)}`);
  console.log(`SUMMARY page (${entry.name}) animation tick interval: p99 ${a.p99.toFixed(2)} ms ` +
              `(target at most 25 ms) ${Verdict(a.p99 <= 25)}`);
  const against = Number.isFinite(desktopTickMs)
      ? `(target at most the desktop's tiled tick, ${desktopTickMs.toFixed(3)} ms) ` +
        Verdict(a.cpuMs <= desktopTickMs)
      : '(no desktop figure given)';
  console.log(`SUMMARY page (${entry.name}) main thread CPU a tick: ${a.cpuMs.toFixed(3)} ms ` +
              against);
  console.log(`SUMMARY page (${entry.name}) main thread tasks a tick: ${a.taskMs.toFixed(3)} ms of ` +
              `wall time, of which script ${a.scriptMs.toFixed(3)} ms, style and layout ` +
              `${a.styleLayoutMs.toFixed(3)} ms, paint, commit and the rest ` +
              `${(a.taskMs - a.scriptMs - a.styleLayoutMs).toFixed(3)} ms`);
  if (a.errors.length) console.log(`page (${entry.name}) errors: ${a.errors.join('; ')}`);
  for (const [what, html] of Object.entries(kFloors)) {
    console.log(`SUMMARY page floor: ${what}: main thread CPU ${(await FloorMs(html)).toFixed(3)} ` +
                'ms a tick');
  }
}

// What the browser spends on a frame before any of the program's work: two pages of a few
// lines, ticking every 20 ms like the animation, timed as the classroom page is. One writes a
// new number into one caption of the classroom's face; the other draws an 8-pixel square into
// each of three canvases of the classroom's three views' sizes (at one device pixel).
// Each page's body defines its Tick(i); a tick runs the ticks of the bodies it is made of.
const kFloorTick = (...bodies) => `<body style="margin:0"><script>
const ticks = [${bodies.map((b) => `(() => {${b}\nreturn Tick;})()`).join(', ')}];
let i = 0;
setInterval(() => { ++i; ticks.forEach((t) => t(i)); }, 20);</script></body>`;
const kCaption = `
const box = document.createElement('div');
box.style.cssText = 'position:absolute;left:10px;top:10px;width:200px;height:20px;' +
                    'font:bold 13px sans-serif;white-space:pre;contain:size layout style';
box.textContent = 'vFin= -7.173 m/s';
document.body.append(box);
const Tick = (i) => { box.firstChild.data = 'vFin= ' + (300 * Math.sin(i / 50)).toFixed(3) + ' m/s'; };`;
const kCanvases = `
const views = [[437, 307], [535, 307], [535, 519]].map(([w, h]) => {
  const c = document.createElement('canvas');
  [c.width, c.height] = [w, h];
  c.style.display = 'block';
  document.body.append(c);
  const ctx = c.getContext('2d');
  ctx.fillRect(0, 0, w, h);
  return ctx;
});
const Tick = (i) => views.forEach((ctx) => {
  ctx.fillStyle = i % 2 ? '#f00' : '#0f0';
  ctx.fillRect((7 * i) % 300, 100, 8, 8);
});`;
const kFloors = {
  'one caption rewritten a tick': kFloorTick(kCaption),
  "an 8-pixel square drawn a tick into each of three canvases of the views' sizes":
      kFloorTick(kCanvases),
  'both in one page': kFloorTick(kCaption, kCanvases),
};

async function FloorMs(html) {
  const browser = await OpenBrowser();
  try {
    const page = await browser.context.newPage();
    await page.setContent(html);
    await page.waitForTimeout(500);
    const cdp = await browser.context.newCDPSession(page);
    await cdp.send('Performance.enable');
    const thread = async () => (await cdp.send('Performance.getMetrics')).metrics
        .find((m) => m.name === 'ThreadTime').value;
    const before = await thread();
    const ticks = await page.evaluate(async (ms) => {
      const from = i;
      await new Promise((r) => setTimeout(r, ms));
      return i - from;
    }, kAnimationMs / 2);
    return (await thread() - before) * 1000 / ticks;
  } finally {
    await browser.close();
  }
}

// The sky page's entry points timed in a second instance of its module, so that the page's
// own state is left as it is: a station at JN18eu and a DX station at FN20 (across the
// Atlantic, so that both legs count), on 10 GHz, a day in December 2026.
async function SkyCalls(page) {
  return page.evaluate(async () => {
    const m = await VornakSkyModule();
    const call = (name, ...args) => JSON.parse(m.ccall(
        name, 'string', args.map((a) => (typeof a === 'number' ? 'number' : 'string')), args));
    call('vs_set_station', 0, 1, 'JN18eu', '', '', '');
    call('vs_set_station', 1, 1, 'FN20', '', '', '');
    call('vs_set_band', '10368');
    const dayMs = Date.UTC(2026, 11, 9);
    const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];
    const instants = [];
    for (let run = 0; run < 5; ++run) {
      const calls = 2000;
      const start = performance.now();
      for (let i = 0; i < calls; ++i) call('vs_readouts', dayMs + i * 10000);
      instants.push((performance.now() - start) * 1000 / calls);
    }
    const days = [];
    for (let run = 0; run < 7; ++run) {
      const start = performance.now();
      call('vs_day', dayMs);
      days.push(performance.now() - start);
    }
    return {instantUs: median(instants), dayMs: median(days)};
  });
}

async function Sky(entry) {
  const opens = [];
  for (let i = 0; i < kOpens; ++i) opens.push(await OpenToFrame(entry));
  const open = Median(opens);
  const browser = await OpenBrowser();
  let calls;
  try {
    calls = await SkyCalls(await Open(browser.context, entry));
  } finally {
    await browser.close();
  }
  const against = Number.isFinite(nativeReadoutsUs)
      ? `(target at most 3 times the same readouts native, ${nativeReadoutsUs.toFixed(2)} us, ` +
        `${(3 * nativeReadoutsUs).toFixed(2)} us) ${Verdict(calls.instantUs <= 3 * nativeReadoutsUs)}`
      : '(no native figure given)';
  console.log(`SUMMARY page (${entry.name}) one instant's readouts: ${calls.instantUs.toFixed(2)} us ` +
              against);
  if (Number.isFinite(nativeInstantUs)) {
    console.log(`SUMMARY page (${entry.name}) one instant's readouts against the native instant ` +
                `without a DX station or texts (${nativeInstantUs.toFixed(2)} us): ` +
                `${(calls.instantUs / nativeInstantUs).toFixed(2)} times`);
  }
  console.log(`SUMMARY page (${entry.name}) a day's curves with both stations: ` +
              `${calls.dayMs.toFixed(1)} ms (target at most 60 ms) ${Verdict(calls.dayMs <= 60)}`);
  console.log(`SUMMARY page (${entry.name}) opened to its first plot: ${open.toFixed(0)} ms, ` +
              `median of ${kOpens} (target at most 800 ms) ${Verdict(open <= 800)}`);
}

// The timings of each page; a page without its own prints its size only.
const kTimings = {classroom: Classroom, sky: Sky};

(async () => {
  for (const entry of BuiltPages()) {
    const bytes = fs.statSync(entry.file).size;
    const maxBytes = kMaxBytes[entry.name] ?? 1.5e6;
    console.log(`SUMMARY page (${entry.name}) size: ${(bytes / 1e6).toFixed(3)} MB ` +
                `(target at most ${maxBytes / 1e6} MB) ${Verdict(bytes <= maxBytes)}`);
    if (kTimings[entry.name]) await kTimings[entry.name](entry);
  }
})().catch((e) => {
  console.error(`page_timing: ${e.message}`);
  process.exit(1);
});
