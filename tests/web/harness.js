// SPDX-License-Identifier: GPL-3.0-or-later
// What the page tests share: Debian's Chromium, headless, on a fresh profile; the page opened
// from file://; the same events given to the page and to the desktop peer; what each shows.
'use strict';
const {chromium} = require('playwright-core');
const {spawnSync} = require('node:child_process');
const fs = require('node:fs');
const os = require('node:os');
const path = require('node:path');

const kPage = process.env.VORNAK_PAGE;
const kPeer = process.env.VORNAK_DESKTOP_PEER;

async function OpenBrowser(view = {viewport: {width: 1300, height: 1000}}) {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'vornak-chromium-'));
  const context = await chromium.launchPersistentContext(profile, {
    executablePath: '/usr/bin/chromium',
    headless: true,
    ...view,
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
           '--disable-component-update', '--disable-sync', '--no-first-run'],
  });
  const close = async () => {
    await context.close();
    fs.rmSync(profile, {recursive: true, force: true});
  };
  return {context, close};
}

// The page, started: its root says "ready" once start-up has run. With a held clock the
// page's time stands still but for the ticks a test lets pass, so that both windows see the
// same number of ticks between the same events.
const kTickMs = 20;
async function OpenPage(context, {heldClock = true, url = 'file://' + kPage} = {}) {
  const page = await context.newPage();
  if (heldClock) {
    await page.clock.install({time: 0});
    await page.clock.pauseAt(1000);
  }
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  await page.goto(url);
  await page.waitForFunction(() => document.documentElement.dataset.state === 'ready');
  page.errors = errors;
  return page;
}

const Control = (name) => `[data-control="${name}"]`;

// What the window shows, as the desktop peer prints it: every caption, every slider's value
// and enabled state, every option's check.
function State(page) {
  return page.evaluate(() => {
    const s = {captions: {}, values: {}, checked: {}, enabled: {}};
    for (const el of document.querySelectorAll('[data-control]')) {
      const name = el.dataset.control;
      const range = el.querySelector('input[type=range]');
      const radio = el.querySelector('input[type=radio]');
      if (range) {
        s.values[name] = Number(range.value);
        s.enabled[name] = !range.disabled;
      } else if (radio) {
        s.checked[name] = radio.checked;
      } else if (name.startsWith('Label')) {
        s.captions[name] = el.textContent;
      }
    }
    return s;
  });
}

// The labels that leave their frame, and the fixed captions that do not fit their design
// rectangle: none should, whatever the readouts say.
function Overflowing(page) {
  return page.evaluate(() => {
    const frames = [...document.querySelectorAll('.vk-frame')].map((f) => f.getBoundingClientRect());
    const bad = [];
    for (const el of document.querySelectorAll('.vk-label')) {
      const design = el.parentElement.getBoundingClientRect();
      const r = el.getBoundingClientRect();
      const cx = design.x + design.width / 2, cy = design.y + design.height / 2;
      const frame = frames.find((f) => cx > f.left && cx < f.right && cy > f.top && cy < f.bottom);
      const inside = frame && r.left >= frame.left && r.right <= frame.right &&
                     r.top >= frame.top && r.bottom <= frame.bottom;
      if (!inside || el.scrollWidth > el.clientWidth + 1) bad.push(el.dataset.control);
    }
    return bad;
  });
}

// One event of the peer's language, given to the page as a user gives it.
async function Perform(page, line) {
  const [op, name, arg] = line.split(' ');
  const c = page.locator(Control(name));
  if (op === 'set') {
    if (await c.locator('input').isEnabled()) await c.locator('input').fill(arg);
  } else if (op === 'arrow') {
    if (await c.locator('input').isEnabled()) await c.locator(`[data-part="${arg}"]`).click();
  } else if (op === 'trough') {
    // The middle of the trough's part on that side of the thumb, when there is one.
    if (!await c.locator('input').isEnabled()) return;
    const trough = await c.locator('[data-part="trough"]').boundingBox();
    const thumb = await c.locator('.vk-thumb').boundingBox();
    const [from, to] = arg === 'left' ? [trough.x, thumb.x] : [thumb.x + thumb.width,
                                                                 trough.x + trough.width];
    if (to - from >= 2) {
      await page.mouse.click((from + to) / 2, trough.y + trough.height / 2);
    }
  } else if (op === 'drag') {
    if (!await c.locator('input').isEnabled()) return;
    const thumb = await c.locator('.vk-thumb').boundingBox();
    const scale = thumb.width / 17;  // the thumb is 17 window pixels wide
    const x = thumb.x + thumb.width / 2, y = thumb.y + thumb.height / 2;
    await page.mouse.move(x, y);
    await page.mouse.down();
    for (let step = 1; step <= 4; ++step) {
      await page.mouse.move(x + Math.trunc(Number(arg) * step / 4) * scale, y);
    }
    await page.mouse.up();
  } else if (op === 'key') {
    const input = c.locator('input');
    if (await input.isEnabled()) {
      if (!await input.evaluate((e) => e === document.activeElement)) await input.focus();
      await page.keyboard.press(arg);
    }
  } else if (op === 'option') {
    await c.click();
  } else if (op === 'ticks') {
    for (let i = Number(name); i > 0; --i) await page.clock.runFor(kTickMs);
  } else {
    throw new Error(`unknown event ${line}`);
  }
}

// The desktop window given the same events: the state after start-up, then after each event,
// and whatever the other lines print.
function Desktop(lines) {
  const run = spawnSync(kPeer, [], {input: lines.join('\n') + '\n', encoding: 'utf8',
                                    env: {...process.env, QT_QPA_PLATFORM: 'offscreen'},
                                    timeout: 60000});
  if (run.status !== 0) throw new Error(`desktop peer failed: ${run.stderr}`);
  return run.stdout.trim().split('\n').map((l) => JSON.parse(l));
}

module.exports = {OpenBrowser, OpenPage, State, Perform, Desktop, Overflowing, Control, kPage};
