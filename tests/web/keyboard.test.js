// SPDX-License-Identifier: GPL-3.0-or-later
// The page with the keyboard alone: Tab reaches the surfaces, every slider and every option
// frame in the desktop's order; the keys move the sliders by the desktop's steps.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const {OpenBrowser, OpenPage, State, Perform, Desktop, Control} = require('./harness.js');

const kPresses = 20;

test('Tab walks the controls in the desktop order, the speed slider once it is enabled',
     async (t) => {
  const browser = await OpenBrowser();
  t.after(browser.close);
  for (const prelude of [[], ['option Option4(1)']]) {
    const desktop = Desktop([...prelude, `tabwalk ${kPresses}`]).at(-1);
    const page = await OpenPage(browser.context);
    for (const e of prelude) await Perform(page, e);
    await page.locator(Control('Picture1')).focus();
    const visited = [];
    for (let i = 0; i <= kPresses; ++i) {
      visited.push(await page.evaluate(
          () => document.activeElement.closest('[data-control]')?.dataset.control ?? ''));
      if (i < kPresses) await page.keyboard.press('Tab');
    }
    // The desktop goes round from its last stop to the first; the page passes its menu item
    // and the browser's own stops on the way, so the walk is compared up to the last stop.
    const round = desktop.indexOf('Picture1', 1);
    assert.deepEqual(visited.slice(0, round), desktop.slice(0, round), `after ${prelude}`);
    await page.close();
  }
});

test('the keys move each slider by the desktop steps', async (t) => {
  const browser = await OpenBrowser();
  t.after(browser.close);
  const keys = ['ArrowRight', 'ArrowUp', 'ArrowLeft', 'ArrowDown', 'PageUp', 'PageUp',
                'PageDown', 'End', 'ArrowLeft', 'Home', 'ArrowRight'];
  for (const slider of ['HScroll1(1)', 'HScroll1(2)', 'HScroll1(3)', 'HScroll2(0)', 'HScroll2(1)']) {
    const desktop = Desktop(keys.map((k) => `key ${slider} ${k}`));
    const page = await OpenPage(browser.context);
    await page.locator(`${Control(slider)} input`).focus();
    for (let i = 0; i < keys.length; ++i) {
      await page.keyboard.press(keys[i]);
      const state = await State(page);
      assert.equal(state.values[slider], desktop[i + 1].values[slider], `${slider} after ${keys[i]}`);
      assert.deepEqual(state.captions, desktop[i + 1].captions, `${slider} after ${keys[i]}`);
    }
    await page.close();
  }
});
