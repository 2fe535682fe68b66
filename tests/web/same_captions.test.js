// SPDX-License-Identifier: GPL-3.0-or-later
// The page and the desktop window, given the same events, show the same captions, slider
// values and selections after each one, every label inside its frame.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const {OpenBrowser, OpenPage, State, Perform, Desktop, Overflowing} = require('./harness.js');
const {kScripted, RandomSequence} = require('./sequences.js');

const kRandomSequences = 14;
const kRandomLength = 16;
const seed = Number(process.env.VORNAK_PAGE_SEED || Date.now() % 100000);

test('every caption equals the desktop one after each event', async (t) => {
  const browser = await OpenBrowser();
  t.after(browser.close);
  const sequences = Object.entries(kScripted);
  for (let i = 0; i < kRandomSequences; ++i) {
    sequences.push([`random seed ${seed + i}`, RandomSequence(seed + i, kRandomLength)]);
  }
  for (const [name, events] of sequences) {
    const desktop = Desktop(events);
    const page = await OpenPage(browser.context);
    const where = (i) => `sequence "${name}" (VORNAK_PAGE_SEED=${seed}), ` +
                         (i < 0 ? 'after start-up' : `after event ${i + 1} "${events[i]}"`);
    assert.deepEqual(await State(page), desktop[0], where(-1));
    for (let i = 0; i < events.length; ++i) {
      await Perform(page, events[i]);
      assert.deepEqual(await State(page), desktop[i + 1], where(i));
      assert.deepEqual(await Overflowing(page), [], `${where(i)}: labels out of their frames`);
    }
    assert.deepEqual(page.errors, []);
    await page.close();
  }
});
