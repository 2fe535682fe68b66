// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's guide's classroom states on the page, for the guide's test: reads on stdin a
// line "labels NAME..." and then, for each state, "state NAME" and its moves in the page
// tests' language ("set HScroll1(1) 24576", "option Option2(0)"); makes each state's moves
// on the page freshly opened and writes one line a state: its name and the labels' captions,
// separated by tabs.
'use strict';
const fs = require('node:fs');
const {OpenBrowser, OpenPage, Perform, Control} = require('./harness.js');

(async () => {
  const lines = fs.readFileSync(0, 'utf8').split('\n').filter((l) => l.trim() !== '');
  const labels = lines.shift().split(' ').slice(1);
  const states = [];
  for (const line of lines) {
    if (line.startsWith('state ')) states.push({name: line.slice(6), moves: []});
    else states.at(-1).moves.push(line);
  }
  const browser = await OpenBrowser();
  try {
    for (const state of states) {
      const page = await OpenPage(browser.context);
      for (const move of state.moves) await Perform(page, move);
      const captions = [];
      for (const label of labels) captions.push(await page.textContent(Control(label)));
      if (page.errors.length) throw new Error(page.errors.join('; '));
      console.log([state.name, ...captions].join('\t'));
      await page.close();
    }
  } finally {
    await browser.close();
  }
})().catch((e) => {
  console.error(`guide_states: ${e.message}`);
  process.exit(1);
});
