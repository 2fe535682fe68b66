// SPDX-License-Identifier: GPL-3.0-or-later
// After the same events, the three views' journals of drawing calls are equal call for call
// in the page and on the desktop: operation, order, colour, style, text and coordinates,
// except where a text's place comes from the font's metrics, which agree within a pixel.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const {OpenBrowser, OpenPage, Perform, Desktop} = require('./harness.js');
const {kScripted} = require('./sequences.js');

const kSurfaces = ['Picture1', 'Picture2', 'Picture3'];

function AssertSameCalls(surface, page, desktop, sequence) {
  assert.equal(page.calls.length, desktop.calls.length, `${sequence}: ${surface}'s calls`);
  for (let i = 0; i < desktop.calls.length; ++i) {
    const p = page.calls[i], d = desktop.calls[i];
    const where = `${sequence}: ${surface} call ${i} (${d.op} "${d.text}")`;
    assert.deepEqual([p.op, p.color, p.style, p.text], [d.op, d.color, d.style, d.text], where);
    assert.equal(p.args.length, d.args.length, where);
    for (let k = 0; k < d.args.length; ++k) {
      // A Print's place is derived from text widths and heights; every other coordinate
      // is the program's own arithmetic and equal to the last bit of its float.
      const tolerance = d.op === 'Print' ? Math.abs(d.pixel[k % 2]) : 0;
      assert.ok(Math.abs(p.args[k] - d.args[k]) <= tolerance,
                `${where}, argument ${k}: page ${p.args[k]}, desktop ${d.args[k]}`);
    }
  }
}

test('the views draw the same calls as on the desktop', async (t) => {
  const browser = await OpenBrowser();
  t.after(browser.close);
  for (const name of ['coupledMoon', 'station', 'animation', 'presets', 'keys']) {
    const events = kScripted[name];
    const desktop = Desktop(['journal', ...events, 'journals']).at(-1);
    const page = await OpenPage(browser.context);
    await page.evaluate((s) => s.forEach((n) => vornakPage.journalStart(n)), kSurfaces);
    for (const e of events) await Perform(page, e);
    for (const surface of kSurfaces) {
      const mine = await page.evaluate((n) => vornakPage.journal(n), surface);
      const theirs = desktop[surface];
      for (const call of theirs.calls) call.pixel = theirs.pixel;
      assert.ok(theirs.calls.length > 0, `${name}: ${surface} drew nothing on the desktop`);
      AssertSameCalls(surface, mine, theirs, name);
    }
    await page.close();
  }
});

// Each clear copies back only the tiles drawn on since the last; after every event the three
// canvases hold the same pixels as when each clear copies its whole background.
test('restoring the drawn tiles only shows the same pixels as restoring whole surfaces',
     async (t) => {
  const browser = await OpenBrowser();
  t.after(browser.close);
  // Each canvas's pixels as an FNV-1a hash of its RGBA words.
  const Pixels = (page) => page.evaluate((names) => names.map((n) => {
    const c = document.querySelector(`[data-control="${n}"] canvas`);
    const words = new Uint32Array(c.getContext('2d').getImageData(0, 0, c.width, c.height).data.buffer);
    let h = 0x811c9dc5;
    for (const w of words) h = Math.imul(h ^ w, 0x01000193);
    return `${c.width}x${c.height}:${h >>> 0}`;
  }), kSurfaces);
  const events = [...kScripted.coupledAnimation, ...kScripted.station, 'option Option4(1)',
                  'ticks 6', ...kScripted.drags];
  const pages = [];
  for (const whole of [false, true]) {
    const page = await OpenPage(browser.context);
    await page.evaluate((w) => vornakPage.wholeUpdates(w), whole);
    pages.push(page);
  }
  for (const e of events) {
    for (const page of pages) await Perform(page, e);
    const [tiles, whole] = [await Pixels(pages[0]), await Pixels(pages[1])];
    assert.deepEqual(tiles, whole, `after "${e}"`);
  }
});
