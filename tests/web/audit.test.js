// SPDX-License-Identifier: GPL-3.0-or-later
// axe-core's audit (npm @axe-core/playwright, pinned in package-lock.json) of every page
// tests/web/pages.js lists, in each state a class puts it in: no violation that axe rates
// serious or critical.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const {AxeBuilder} = require('@axe-core/playwright');
const {OpenBrowser} = require('./harness.js');
const {BuiltPages, Open} = require('./pages.js');

for (const entry of BuiltPages()) {
  for (const [state, reach] of Object.entries(entry.states)) {
    test(`axe finds nothing serious on the ${entry.name} page, ${state}`, async (t) => {
      const browser = await OpenBrowser();
      t.after(browser.close);
      const page = await Open(browser.context, entry);
      await reach(page);
      const result = await new AxeBuilder({page}).analyze();
      const grave = result.violations.filter((v) => ['serious', 'critical'].includes(v.impact))
                        .map((v) => `${v.impact} ${v.id}: ${v.help} (${v.nodes.length} elements: ` +
                                    `${v.nodes.slice(0, 3).map((n) => n.target.join(' ')).join(', ')})`);
      console.log(`# ${entry.name}, ${state}: axe ${result.testEngine.version}, ` +
                  `${result.passes.length} rules passed, violations: ` +
                  `${result.violations.map((v) => `${v.id} (${v.impact})`).join(', ') || 'none'}`);
      assert.deepEqual(grave, []);
      assert.deepEqual(page.problems, []);
    });
  }
}
