// SPDX-License-Identifier: GPL-3.0-or-later
// The guide's pictures of the pages, taken from the built files in Debian's headless Chromium:
// each page at start-up, as a class first sees it.
// Usage: node page_pictures.js OUTPUT_DIR   (VORNAK_PAGE names the classroom page)
'use strict';
const path = require('node:path');
const web = path.join(__dirname, '..', '..', 'tests', 'web');
const {OpenBrowser} = require(path.join(web, 'harness.js'));
const {BuiltPages, Open} = require(path.join(web, 'pages.js'));

(async () => {
  const out = process.argv[2];
  if (!out) throw new Error('usage: node page_pictures.js OUTPUT_DIR');
  for (const entry of BuiltPages()) {
    const browser = await OpenBrowser({viewport: {width: 1300, height: 1000}});
    try {
      const page = await Open(browser.context, entry);
      const file = path.join(out, `page-${entry.name}.png`);
      await page.locator('.vk-stage').screenshot({path: file});
      if (page.problems.length) throw new Error(page.problems.join('; '));
      console.log(file);
    } finally {
      await browser.close();
    }
  }
})().catch((e) => {
  console.error(`page_pictures: ${e.message}`);
  process.exit(1);
});
