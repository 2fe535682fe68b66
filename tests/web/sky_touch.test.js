// SPDX-License-Identifier: GPL-3.0-or-later
// The real Moon's page by touch alone, on a tablet held upright and on a phone: a tap focuses
// a field, and what is then typed does what it does after a click; a tap opens a list, presses
// a button. A finger moves the day slider, and the plot's cursor to the time under it. The
// controls lie above the plot, none cut off or over another; a sideways swipe stays on the page.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const {OpenBrowser} = require('./harness.js');

const kUrl = 'file://' + process.env.VORNAK_SKY_PAGE;
const Device = (width, height, deviceScaleFactor) =>
  ({viewport: {width, height}, deviceScaleFactor, isMobile: true, hasTouch: true});
const kDevices = {tablet: Device(768, 1024, 2), phone: Device(360, 780, 3)};
const kNow = Date.UTC(2026, 11, 9, 21, 30, 17);  // the clock every page reads
const kDayMs = 86400000;
const Iso = (ms) => new Date(ms).toISOString();

async function Open(t, view, hash = '') {
  const browser = await OpenBrowser(view);
  t.after(browser.close);
  const page = await browser.context.newPage();
  await page.clock.setFixedTime(kNow);
  page.errors = [];
  page.on('pageerror', (e) => page.errors.push(e.message));
  await page.goto(kUrl + hash);
  await page.waitForFunction(() => document.documentElement.dataset.state === 'ready');
  if (view.hasTouch) page.cdp = await browser.context.newCDPSession(page);
  return page;
}

// A finger down at the first point, along the others (`after` sees each), lifted a tenth of
// a second after it stops, as a hand lifts it.
async function Finger(page, points, after = async () => {}) {
  const send = (type, p) => page.cdp.send('Input.dispatchTouchEvent', {type, touchPoints: p});
  await send('touchStart', [points[0]]);
  for (const p of points.slice(1)) {
    await send('touchMove', [p]);
    await after(p);
  }
  await page.waitForTimeout(100);
  await send('touchEnd', []);
}
async function Box(page, selector) {
  await page.locator(selector).scrollIntoViewIfNeeded();
  return page.locator(selector).boundingBox();
}
const Tap = (page, selector) => Box(page, selector).then((b) =>
  Finger(page, [{x: b.x + b.width / 2, y: b.y + b.height / 2}]));
const Along = (x0, x1, y, n) =>
  Array.from({length: n + 1}, (_, i) => ({x: x0 + (x1 - x0) * i / n, y}));
// The time shown once it is no longer `old`, as each tap and move below makes it.
const NewTime = (page, old) => page.waitForFunction((o) => {
  const t = Date.parse(document.getElementById('shown-time').textContent);
  return t !== o && t;
}, old, {timeout: 10000}).then((h) => h.jsonValue());

// What the page shows: every field and choice; the time, the readouts, the messages and the
// EOP data in use; the plot's series in its legend.
const Snapshot = (page) => page.evaluate(() => {
  const all = (q, f = (e) => e.textContent) => [...document.querySelectorAll(q)].map(f);
  return [all('input:not([type=range]), select', (e) => `${e.id}=` +
              `${e.type === 'radio' ? e.checked : e.value} ${e.disabled} ${e.ariaInvalid}`),
          all('#shown-time, [data-readout], .vs-error:not([hidden]), #eop-text'),
          all('#plot .u-series:not(.u-off) .u-label')];
});

// Three days of IERS's finals2000A, as IERS printed them, for the EOP data to be dropped.
const kFinals = {name: 'finals2000A.test', mimeType: 'text/plain', buffer: Buffer.from(
  '161230 57752.00 I  0.067935 0.000024  0.268941 0.000028  I-0.4068093 0.0000094  1.1086\n' +
  '161231 57753.00 I  0.066404 0.000024  0.269896 0.000030  I-0.4079337 0.0000093  1.1486\n' +
  '17 1 1 57754.00 I  0.064950 0.000024  0.270923 0.000030  I 0.5908784 0.0000085  1.1781\n')};
// Typed into a field, chosen from a list, pressed; the file is given alike to both pages.
const kSteps = ['type station-locator JN18eu', 'type station-height 520', 'type dx-latitude 40.7',
  'type dx-longitude -74.0', 'type dx-locator FN20', 'type dx-height 30', 'pick band 1296',
  'type station-latitude 48.1', 'type station-longitude 11.6', 'pick band custom',
  'type custom-band 2320.1', 'pick moon meeus', 'file eop-file', 'press no-eop',
  'type date-time 2026-12-09T14:30Z', 'press live', 'press chosen', 'pick speed 2'];

test('every field, list and button by touch does what it does by mouse and keyboard', async (t) => {
  const tablet = await Open(t, kDevices.tablet);
  const desk = await Open(t, {viewport: {width: 1300, height: 1000}});
  let before = await Snapshot(tablet);
  for (const step of kSteps) {
    const [op, id, value] = step.split(' ');
    // A radio button is tapped on its caption, as a finger finds it.
    const at = op === 'press' && id.match(/live|chosen/) ? `label:has(#${id})` : `#${id}`;
    if (op === 'file') {
      for (const page of [tablet, desk]) {
        await page.setInputFiles(at, kFinals);
        await page.locator('#eop-text', {hasText: '3 days'}).waitFor();
      }
    } else {
      await Tap(tablet, at);
      if (op !== 'pick') await desk.click(at);
      if (op !== 'press') assert.equal(await tablet.evaluate(() => document.activeElement.id), id);
    }
    if (op === 'type') {
      // As the screen's keyboard types: all that is there replaced, then Enter.
      await tablet.keyboard.press('Control+A');
      await tablet.keyboard.insertText(value);
      await tablet.keyboard.press('Enter');
      await desk.fill(at, value);
      await desk.press(at, 'Enter');
    } else if (op === 'pick') {
      // The tap opened the list: the arrows walk it, Enter takes the option under them.
      const [from, to] = await tablet.$eval(at, (s, v) =>
        [s.selectedIndex, [...s.options].findIndex((o) => o.value === v)], value);
      for (let i = from; i !== to; i += Math.sign(to - from)) await tablet.keyboard.press(
          to > from ? 'ArrowDown' : 'ArrowUp');
      await tablet.keyboard.press('Enter');
      await desk.selectOption(at, value);
    }
    const now = await Snapshot(tablet);
    assert.deepEqual(now, await Snapshot(desk), step);
    assert.notDeepEqual(now, before, `${step} changes what is shown`);
    before = now;
  }
  // The DX station is drawn; the band and the time are the ones typed.
  const [fields, , series] = before;
  assert.ok(series.includes('DX shift'), series.join());
  assert.ok(fields.some((f) => f.startsWith('custom-band=2320.1 ')), fields.join());
  assert.equal(await tablet.textContent('#shown-time'), '2026-12-09T21:30:17Z');
  // Play runs the day on from the time shown; a second tap stops it.
  await Tap(tablet, '#play');
  await NewTime(tablet, kNow);
  await Tap(tablet, '#play');
  assert.equal(await tablet.getAttribute('#play', 'aria-pressed'), 'false');
  assert.deepEqual([...tablet.errors, ...desk.errors], []);
});

for (const [device, view] of Object.entries(kDevices)) {
  test(`on a ${device}: the layout, a swipe, the day slider and the plot by finger`, async (t) => {
    const page = await Open(t, view, '#t=2026-12-09T06:00Z');
    const {width} = view.viewport;
    // One column, the page no wider than the screen: the controls above the plot, each
    // inside the page and showing all its text, none over another.
    assert.deepEqual(await page.evaluate(() => {
      const r = (e) => e.getBoundingClientRect();
      const parts = [...document.querySelectorAll('#controls :is(legend, label, input, select, ' +
                                                  'button, p:not(:empty)), #readouts :is(td, th)')];
      const name = (e) => e.id || e.textContent;
      const bad = parts.filter((e) => r(e).left < 0 || r(e).right > innerWidth ||
                                      e.scrollWidth > e.clientWidth + 1).map(name);
      parts.forEach((a, i) => parts.slice(i + 1).forEach((b) => {
        const [p, q] = [r(a), r(b)];
        if (Math.min(p.right, q.right) - Math.max(p.left, q.left) > 1 && !a.contains(b) &&
            Math.min(p.bottom, q.bottom) - Math.max(p.top, q.top) > 1 && !b.contains(a)) {
          bad.push(`${name(a)} over ${name(b)}`);
        }
      }));
      const [controls, plot] = ['controls', 'plot'].map((id) => r(document.getElementById(id)));
      return {width: innerWidth, scroll: document.documentElement.scrollWidth, bad,
              above: controls.bottom <= plot.top};
    }), {width, scroll: width, bad: [], above: true});
    // A swipe from either edge across the page is no way back or forth through the history:
    // the page is still the one opened at the end.
    const left = [];
    page.on('framenavigated', (f) => left.push(f.url()));
    for (const [x0, x1] of [[2, width - 2], [width - 2, 2]]) {
      await Finger(page, Along(x0, x1, 30, 8));
    }

    // The slider: its ends are 00:00 and 24:00, a finger dragged right goes later, left earlier;
    // at the middle it is noon, within what two pixels and a step of the slider make.
    const day = Date.UTC(2026, 11, 9);  // the day of the time opened
    const s = await Box(page, '#day-slider');
    const [min, max, step] = await page.$eval('#day-slider',
                                              (e) => [e.min, e.max, e.step].map(Number));
    const y = s.y + s.height / 2, tol = 2 * (max - min) / s.width * 1000 + step * 500;
    await Finger(page, [{x: s.x + 1, y}]);
    let last = await NewTime(page, day + kDayMs / 4);
    assert.equal(Iso(last), Iso(day + min * 1000));
    const moved = (sign) => async () => {
      const shown = await NewTime(page, last);
      assert.equal(Math.sign(shown - last), sign, `${Iso(last)} then ${Iso(shown)}`);
      last = shown;
    };
    await Finger(page, Along(s.x + 1, s.x + s.width / 2, y, 6), moved(1));
    assert.ok(Math.abs(last - (day + (min + max) / 2 * 1000)) <= tol, Iso(last));
    await Finger(page, Along(s.x + s.width / 2, s.x + s.width / 4, y, 4), moved(-1));
    await Finger(page, [{x: s.x + s.width - 1, y}]);
    assert.equal(Iso(last = await NewTime(page, last)), Iso(day + max * 1000));

    // The plot, now of the next day, runs from its 00:00 to 24:00 across its area. A finger
    // there puts the time, within a pixel and the rounding to the minute, and the cursor (the
    // red line) under it; one moved up scrolls the page, the time kept.
    const p = await Box(page, '#plot .u-over');
    const py = p.y + p.height / 2, ptol = kDayMs / p.width + 30000;
    const cursor = () => page.$eval('#plot canvas', (c) => {
      const {data} = c.getContext('2d').getImageData(0, 0, c.width, c.height);
      const red = new Array(c.width).fill(0);
      for (let i = 0; i < data.length; i += 4) {
        if (data[i] > 150 && data[i + 1] < 60 && data[i + 2] < 60) red[(i / 4) % c.width]++;
      }
      return c.getBoundingClientRect().left + red.indexOf(Math.max(...red)) / devicePixelRatio;
    });
    const plotDay = last;
    const under = async (f) => {
      const at = plotDay + (f.x - p.x) / p.width * kDayMs;
      last = await NewTime(page, last);
      assert.ok(Math.abs(last - at) <= ptol, `${Iso(last)} under the finger at ${Iso(at)}`);
      assert.ok(Math.abs(await cursor() - f.x) <= 1.5, `the cursor at ${f.x}`);
    };
    await Finger(page, [{x: p.x + 0.3 * p.width, y: py}]);
    await under({x: p.x + 0.3 * p.width});
    await Finger(page, Along(p.x + 0.3 * p.width, p.x + 0.8 * p.width, py, 5), under);
    const scrolled = await page.evaluate(() => scrollY);
    await Finger(page, [1, 0, -1].map((k) => ({x: p.x + p.width / 2, y: py + 60 * k})));
    await page.waitForFunction((y0) => scrollY > y0, scrolled);
    assert.equal(Iso(Date.parse(await page.textContent('#shown-time'))), Iso(last));
    assert.deepEqual(left, []);
    assert.deepEqual(page.errors, []);
  });
}
