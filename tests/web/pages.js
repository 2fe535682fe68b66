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
