// SPDX-License-Identifier: GPL-3.0-or-later
// The one file on its own: it asks nothing of any network, works with every request refused,
// animates at 50 ticks a second, and ends on Quit with its notice.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const {OpenBrowser, OpenPage, State, Control, kPage} = require('./harness.js');

test('the file is one page of at most 1.5 MB that names no address to load', () => {
  const html = fs.readFileSync(kPage, 'utf8');
  assert.ok(fs.statSync(kPage).size <= 1.5e6, `${fs.statSync(kPage).size} bytes`);
  assert.doesNotMatch(html, /\b(src|href)\s*=\s*["']?\s*(https?:)?\/\//i);
  assert.match(html, /GPL-3\.0-or-later/);
});

test('with every request refused the page starts, answers and animates at 50 ticks a second',
     async (t) => {
  const browser = await OpenBrowser();
  t.after(browser.close);
  const refused = [];
  await browser.context.route('**/*', (route) => {
    const url = route.request().url();
    if (url === 'file://' + kPage) return route.continue();
    refused.push(url);
    return route.abort();
  });
  await browser.context.setOffline(true);
  const page = await OpenPage(browser.context, {heldClock: false});
  await page.locator(Control('Option1(1)')).click();
  assert.equal(await page.textContent(Control('Label1(0)')), ' 90.000\u00b0 ');

  // Each tick rewrites the sidereal readout: count them over two seconds of the page's clock.
  await page.locator(Control('Option4(1)')).click();
  const ticksPerSecond = await page.evaluate(async () => {
    const label = document.querySelector('[data-control="Label3"]');
    let changes = 0;
    const watch = new MutationObserver((records) => { changes += records.length > 0 ? 1 : 0; });
    watch.observe(label, {childList: true, characterData: true, subtree: true});
    const start = performance.now();
    await new Promise((r) => setTimeout(r, 2000));
    watch.disconnect();
    return changes * 1000 / (performance.now() - start);
  });
  assert.ok(ticksPerSecond > 45 && ticksPerSecond <= 51, `${ticksPerSecond} ticks a second`);
  assert.deepEqual(refused, []);
  assert.deepEqual(page.errors, []);
});

test('Quit ends the program: no tick, every control disabled, a status that says so',
     async (t) => {
  const browser = await OpenBrowser();
  t.after(browser.close);
  const page = await OpenPage(browser.context, {heldClock: false});
  await page.locator(Control('Option4(1)')).click();
  await page.locator(Control('Quit')).click();
  assert.equal(await page.evaluate(() => document.documentElement.dataset.state), 'ended');
  assert.equal(await page.textContent('[role="status"]'),
               'Le programme est termin\u00e9. - The program has ended.');
  const before = await page.textContent(Control('Label3'));
  await page.waitForTimeout(200);
  assert.equal(await page.textContent(Control('Label3')), before);
  const live = await page.$$eval('input, button', (all) => all.filter((e) => !e.disabled).length);
  assert.equal(live, 0);
});

test('one element a name, each slider one range, and the same start whatever the address says',
     async (t) => {
  const browser = await OpenBrowser();
  t.after(browser.close);
  const page = await OpenPage(browser.context);
  const contract = await page.evaluate(() => {
    const names = [...document.querySelectorAll('[data-control]')].map((e) => e.dataset.control);
    const bars = [...document.querySelectorAll('[data-control^="HScroll"]')];
    return {
      repeated: names.filter((n, i) => names.indexOf(n) !== i),
      bars: bars.map((b) => [b.querySelectorAll('input[type=range]').length,
                             ...['left', 'right', 'trough'].map(
                                 (p) => b.querySelectorAll(`[data-part="${p}"]`).length)]),
      unnamed: [...document.querySelectorAll('input')].filter((i) => !i.getAttribute('aria-label')).length,
      // What a screen reader hears of the Bessel's-frame view: the texts drawn on it.
      heard: document.getElementById(document.querySelector('[data-control="Picture2"]')
                                         .getAttribute('aria-describedby')).textContent,
    };
  });
  assert.deepEqual(contract.repeated, []);
  assert.deepEqual(contract.bars, Array(6).fill([1, 1, 1, 1]));
  assert.equal(contract.unnamed, 0);
  assert.match(contract.heard, /Bessel's Frame .*Pz = [0-9.]+ km, Lz = [0-9.]+ km, PL = [0-9.]+ km/);
  const first = await State(page);
  await page.goto(`file://${kPage}?lat=0#Option4(1)`);
  await page.waitForFunction(() => document.documentElement.dataset.state === 'ready');
  assert.deepEqual(await State(page), first);
});

test('the window fits a 768-pixel viewport whole, its canvases at the device pixels', async (t) => {
  const browser = await OpenBrowser({viewport: {width: 768, height: 600}, deviceScaleFactor: 2});
  t.after(browser.close);
  const page = await browser.context.newPage();
  await page.goto('file://' + kPage);
  await page.waitForFunction(() => document.documentElement.dataset.state === 'ready');
  const fit = await page.evaluate(() => {
    const r = document.querySelector('.vk-stage').getBoundingClientRect();
    const c = document.querySelector('[data-control="Picture1"] canvas');
    return {r: [r.left, r.top, r.right, r.bottom], canvas: c.width / c.getBoundingClientRect().width,
            ratio: devicePixelRatio};
  });
  assert.ok(fit.r[0] >= 0 && fit.r[1] >= 0 && fit.r[2] <= 768.5 && fit.r[3] <= 600.5, `${fit.r}`);
  assert.equal(fit.ratio, 2);
  assert.ok(Math.abs(fit.canvas - fit.ratio) < 0.02, `${fit.canvas} canvas pixels a CSS pixel`);
});
