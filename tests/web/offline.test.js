// SPDX-License-Identifier: GPL-3.0-or-later
// The one file on its own: it asks nothing of any network, works with every request refused,
// animates at 50 ticks a second, and ends on Quit with its notice.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const fs = require('node:fs');
const {OpenBrowser, OpenPage, Control, kPage} = require('./harness.js');

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
