// SPDX-License-Identifier: GPL-3.0-or-later
// Each built page under a minute of seeded random input: mouse clicks, presses held long
// enough to repeat, drags that leave the control, taps and touch drags, keys, the wheel,
// the viewport turned from landscape to portrait. Nothing may reach the console as an error
// or escape as an exception; and what the page holds must not grow with use: after a forced
// garbage collection at 10 s and another at the end, the JavaScript heap is less than 1 MB
// larger and the WebAssembly memory not one page (64 KiB) larger.
//
// VORNAK_FUZZ_SEED replays a run (the seed is printed), VORNAK_FUZZ_SECONDS changes its length.
'use strict';
const test = require('node:test');
const assert = require('node:assert/strict');
const {OpenBrowser} = require('./harness.js');
const {BuiltPages, Open} = require('./pages.js');
const {Random} = require('./sequences.js');

const kSeed = Number(process.env.VORNAK_FUZZ_SEED ?? Math.floor(Math.random() * 2 ** 32));
const kSeconds = Number(process.env.VORNAK_FUZZ_SECONDS ?? 60);
const kFirstGcSeconds = Math.min(10, kSeconds / 6);
const kWasmPageBytes = 65536;
const kViewports = [{width: 1300, height: 1000}, {width: 768, height: 1024},
                    {width: 1024, height: 768}];
const kKeys = ['Tab', 'Shift+Tab', 'ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown', 'PageUp',
               'PageDown', 'Home', 'End', 'Space', 'Enter', 'Escape', 'a', 'Q', 'Alt+q',
               'Control+a'];

// Every WebAssembly memory the page's modules export, kept as they are instantiated, so that
// no page needs a hook for it.
function WatchMemories() {
  window.vornakMemories = [];
  const keep = (result) => {
    const instance = result instanceof WebAssembly.Instance ? result : result.instance;
    for (const v of Object.values(instance.exports)) {
      if (v instanceof WebAssembly.Memory) window.vornakMemories.push(v);
    }
    return result;
  };
  for (const name of ['instantiate', 'instantiateStreaming']) {
    const original = WebAssembly[name];
    WebAssembly[name] = function(...args) { return original.apply(this, args).then(keep); };
  }
}

// What the page holds once collected: the JavaScript heap in use, and the bytes of every
// WebAssembly memory.
async function Held(page, cdp) {
  await cdp.send('HeapProfiler.collectGarbage');
  await cdp.send('HeapProfiler.collectGarbage');
  const {usedSize} = await cdp.send('Runtime.getHeapUsage');
  const wasmBytes = await page.evaluate(
      () => window.vornakMemories.reduce((a, m) => a + m.buffer.byteLength, 0));
  return {heapBytes: usedSize, wasmBytes};
}

// The places input may land on: every part a user can press but those that end the program
// or leave the page, and the rectangles of those, which random points avoid.
function Targets(page, away) {
  return page.evaluate((awaySelector) => {
    const box = (e) => {
      const r = e.getBoundingClientRect();
      return {x: r.x, y: r.y, width: r.width, height: r.height};
    };
    const awayEls = awaySelector ? [...document.querySelectorAll(awaySelector)] : [];
    const all = [...document.querySelectorAll(
        '[data-part], .vk-thumb, label, button, input, select, canvas, [tabindex], [role=slider]')];
    return {
      parts: all.filter((e) => !awayEls.some((a) => a === e || a.contains(e))).map(box)
          .filter((b) => b.width > 0 && b.height > 0),
      away: awayEls.map(box).filter((b) => b.width > 0 && b.height > 0),
    };
  }, away);
}

async function Fuzz(page, entry, cdp, r, log) {
  const pick = (list) => list[Math.floor(r() * list.length)];
  const within = (b) => ({x: b.x + r() * b.width, y: b.y + r() * b.height});
  const view = () => page.viewportSize();
  // Quit, and whatever else the page keeps random input away from, as one selector.
  const away = [entry.quit, ...(entry.avoid ?? [])].filter(Boolean).join(', ');
  const inBox = (p, q) => p.x >= q.x - 2 && p.x <= q.x + q.width + 2 && p.y >= q.y - 2 &&
                          p.y <= q.y + q.height + 2;
  const inAway = (p, boxes) => boxes.some((q) => inBox(p, q));
  const touch = (type, points) => cdp.send('Input.dispatchTouchEvent', {
    type, touchPoints: points.map((p) => ({x: Math.round(p.x), y: Math.round(p.y)})),
  });
  let targets = await Targets(page, away);
  const anywhere = () => {
    for (;;) {
      const p = {x: r() * view().width, y: r() * view().height};
      if (!inAway(p, targets.away)) return p;
    }
  };
  const somewhere = () => (r() < 0.85 ? within(pick(targets.parts)) : anywhere());
  const stroke = () => {
    const path = [somewhere()];
    for (let i = 1 + Math.floor(r() * 6); i > 0; --i) {
      const last = path.at(-1);
      const next = {x: last.x + (r() - 0.5) * 300, y: last.y + (r() - 0.5) * 40};
      path.push(inAway(next, targets.away) ? last : next);
    }
    return path;
  };

  const actions = [
    ['click', 6, async () => {
      const p = somewhere();
      await page.mouse.click(p.x, p.y);
    }],
    ['hold', 2, async () => {
      const p = somewhere();
      await page.mouse.move(p.x, p.y);
      await page.mouse.down();
      await page.waitForTimeout(r() * 900);
      await page.mouse.up();
    }],
    ['drag', 4, async () => {
      const path = stroke();
      await page.mouse.move(path[0].x, path[0].y);
      await page.mouse.down();
      for (const p of path.slice(1)) await page.mouse.move(p.x, p.y, {steps: 2});
      await page.mouse.up();
    }],
    ['tap', 6, async () => {
      const p = somewhere();
      await page.touchscreen.tap(p.x, p.y);
    }],
    ['touch drag', 4, async () => {
      const path = stroke();
      await touch('touchStart', [path[0]]);
      for (const p of path.slice(1)) await touch('touchMove', [p]);
      await touch(r() < 0.9 ? 'touchEnd' : 'touchCancel', []);
    }],
    ['touch hold', 1, async () => {
      const p = somewhere();
      await touch('touchStart', [p]);
      await page.waitForTimeout(r() * 900);
      await touch('touchEnd', []);
    }],
    ['key', 8, async () => {
      const key = pick(kKeys);
      // Space and Enter on a control kept away from would press it.
      if ((key === 'Space' || key === 'Enter') && away &&
          await page.evaluate((q) => document.activeElement?.closest(q) !== null, away)) {
        return;
      }
      await page.keyboard.press(key);
    }],
    ['wheel', 1, async () => {
      const p = somewhere();
      await page.mouse.move(p.x, p.y);
      await page.mouse.wheel((r() - 0.5) * 400, (r() - 0.5) * 400);
    }],
    ['wait', 2, async () => { await page.waitForTimeout(r() * 200); }],
    ['turn', 0.2, async () => {
      await page.setViewportSize(pick(kViewports));
      await page.waitForTimeout(50);
      targets = await Targets(page, away);
    }],
  ];
  const total = actions.reduce((a, [, w]) => a + w, 0);
  const counts = {};
  const start = Date.now();
  let held10 = null;
  while (Date.now() - start < kSeconds * 1000) {
    if (!held10 && Date.now() - start >= kFirstGcSeconds * 1000) {
      held10 = await Held(page, cdp);
      log(`held at ${kFirstGcSeconds} s: ${JSON.stringify(held10)}`);
    }
    let w = r() * total;
    const [name, , act] = actions.find(([, weight]) => (w -= weight) < 0) ?? actions.at(-1);
    counts[name] = (counts[name] ?? 0) + 1;
    // A page whose layout moves with what it shows (an error, a link) has its places read
    // again before each action, so that none lands where a control kept away from now is.
    if (entry.avoid) targets = await Targets(page, away);
    await act();
  }
  await page.waitForTimeout(200);
  const held60 = await Held(page, cdp);
  log(`held at ${kSeconds} s: ${JSON.stringify(held60)}; actions ${JSON.stringify(counts)}`);
  return {held10, held60};
}

for (const entry of BuiltPages()) {
  test(`the ${entry.name} page survives ${kSeconds} s of random input, seed ${kSeed}`,
       {timeout: (kSeconds + 120) * 1000}, async (t) => {
    const log = (s) => console.log(`# ${entry.name}, seed ${kSeed}: ${s}`);
    log(`VORNAK_FUZZ_SEED=${kSeed} replays this run`);
    const browser = await OpenBrowser({viewport: kViewports[0], hasTouch: true});
    t.after(browser.close);
    await browser.context.addInitScript(WatchMemories);
    const page = await Open(browser.context, entry);
    const cdp = await browser.context.newCDPSession(page);
    const {held10, held60} = await Fuzz(page, entry, cdp, Random(kSeed), log);

    assert.deepEqual(page.problems, [], `seed ${kSeed}`);
    // A swipe must not have taken the class off the page (back through the history).
    assert.equal(page.url(), 'file://' + entry.file, `seed ${kSeed}`);
    assert.ok(held10.wasmBytes > 0, 'the page holds a WebAssembly memory');
    const heapGrowth = held60.heapBytes - held10.heapBytes;
    assert.ok(heapGrowth < 1e6, `seed ${kSeed}: the heap grew by ${heapGrowth} bytes`);
    assert.ok(held60.wasmBytes - held10.wasmBytes < kWasmPageBytes,
              `seed ${kSeed}: the WebAssembly memory grew from ${held10.wasmBytes} to ` +
              `${held60.wasmBytes} bytes`);
    // And it still ends as it should.
    if (entry.quit) {
      await page.setViewportSize(kViewports[0]);
      await page.locator(entry.quit).click();
      assert.equal(await page.evaluate(() => document.documentElement.dataset.state), 'ended');
    }
    assert.deepEqual(page.problems, [], `seed ${kSeed}`);
  });
}
