// SPDX-License-Identifier: GPL-3.0-or-later
// The built pages that the random-input run, the accessibility audit and the timings go
// through, each with the states a class puts it in. A page is one entry here; its file comes
// from the environment, so that a build without that page tests the others.
'use strict';

const Control = (name) => `[data-control="${name}"]`;

const kPages = [
  {
    name: 'classroom',
    file: process.env.VORNAK_PAGE,
    // Quit ends the program: random input keeps away from it, the run ends with it.
    quit: Control('Quit'),
    states: {
      'start-up': async () => {},
      'the animation running': async (page) => {
        await page.locator(Control('Option4(1)')).click();
        await page.waitForTimeout(300);
      },
    },
  },
  {
    name: 'sky',
    file: process.env.VORNAK_SKY_PAGE,
    // What leaves the page or asks the system for something: the download, the clipboard and
    // the file picker (its label opens it too). Random input keeps away from them.
    avoid: ['#download-csv', '#copy-link', '#eop-file', 'label[for="eop-file"]'],
    states: {
      'start-up': async () => {},
      'a station input in error': async (page) => {
        await page.fill('#station-latitude', 'north');
        await page.press('#station-latitude', 'Enter');
        await page.locator('#station-error').waitFor({state: 'visible'});
      },
      'a DX station set': async (page) => {
        await page.fill('#dx-locator', 'FN20');
        await page.press('#dx-locator', 'Enter');
        await page.locator('#dx-locator[aria-invalid="false"]').waitFor({state: 'attached'});
        await page.waitForTimeout(300);
      },
    },
  },
];

// The pages this build has.
function BuiltPages() {
  return kPages.filter((p) => p.file);
}

// The page open and started: its root says "ready" once start-up has run.
async function Open(context, entry) {
  const page = await context.newPage();
  const problems = [];
  page.on('pageerror', (e) => problems.push(`uncaught: ${e.message}`));
  page.on('console', (m) => {
    if (m.type() === 'error') problems.push(`console: ${m.text()}`);
  });
  await page.goto('file://' + entry.file);
  await page.waitForFunction(() => document.documentElement.dataset.state === 'ready');
  page.problems = problems;
  return page;
}

module.exports = {kPages, BuiltPages, Open, Control};
