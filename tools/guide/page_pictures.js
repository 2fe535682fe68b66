// SPDX-License-Identifier: GPL-3.0-or-later
// The guide's pictures of the pages, taken from the built files in Debian's headless Chromium:
// the classroom page at start-up, as a class first sees it; the real Moon's page opened on the
// link of lesson 6 (the school's locator, 10 GHz, the Moon at its highest on 2026-12-09).
// Usage: node page_pictures.js OUTPUT_DIR
//   (VORNAK_PAGE names the classroom page, VORNAK_SKY_PAGE the real Moon's)
'use strict';
const path = require('node:path');
const web = path.join(__dirname, '..', '..', 'tests', 'web');
const {OpenBrowser} = require(path.join(web, 'harness.js'));
const {BuiltPages, Open} = require(path.join(web, 'pages.js'));

// Of each page, the link it is opened on and the part of it pictured.
const kShots = {
  classroom: {link: '', part: '.vk-stage'},
  sky: {link: '#loc=JN18eu&band=10368&t=2026-12-09T12:03:38Z', part: 'main', until: '#licences'},
};

(async () => {
  const out = process.argv[2];
  if (!out) throw new Error('usage: node page_pictures.js OUTPUT_DIR');
  for (const entry of BuiltPages()) {
    const shot = kShots[entry.name];
    const browser = await OpenBrowser({viewport: {width: 1300, height: 1000}});
    try {
      const page = await Open(browser.context, {...entry, file: entry.file + shot.link});
      const file = path.join(out, `page-${entry.name}.png`);
      const box = await page.locator(shot.part).boundingBox();
      // Down to where the part named `until` begins (the licences, which the guide names).
      const end = shot.until ? (await page.locator(shot.until).boundingBox()).y : box.y + box.height;
      await page.screenshot({path: file, fullPage: true,
                             clip: {x: box.x, y: box.y, width: box.width, height: end - box.y}});
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
