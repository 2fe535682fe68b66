// SPDX-License-Identifier: GPL-3.0-or-later
// The page and the desktop window, given the same events, show the same captions, slider
// values and selections after each one, every label inside its frame.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const {OpenBrowser, OpenPage, State, Perform, Desktop, Overflowing} = require('./harness.js');
const {kScripted, RandomSequence} = require('./sequences.js');

// The page's sine, cosine and arctangent are the C library's of WebAssembly (musl), the
// desktop's are glibc's: they differ in the last bit for about one argument in thirty. Where a
// readout's value is exactly zero in theory, that bit decides its sign, and the signed
// patterns show it ("+0.000" or "-0.000", "+0 Hz" or "-0 Hz"). Such a pair counts as equal;
// every other difference, however small, does not.
const kZero = /([+-])(0\.000|0 Hz)/g;
function AlignZeros(page, desktop) {
  const captions = {...page.captions};
  for (const [name, text] of Object.entries(captions)) {
    const theirs = desktop.captions?.[name];
    if (typeof theirs === 'string' && text !== theirs &&
        text.replace(kZero, '$2') === theirs.replace(kZero, '$2')) {
      captions[name] = theirs;
    }
  }
  return {...page, captions};
}

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
    assert.deepEqual(AlignZeros(await State(page), desktop[0]), desktop[0], where(-1));
    for (let i = 0; i < events.length; ++i) {
      await Perform(page, events[i]);
      assert.deepEqual(AlignZeros(await State(page), desktop[i + 1]), desktop[i + 1], where(i));
      assert.deepEqual(await Overflowing(page), [], `${where(i)}: labels out of their frames`);
    }
    assert.deepEqual(page.errors, []);
    await page.close();
  }
});
