// SPDX-License-Identifier: GPL-3.0-or-later
// The event sequences both windows are given: a few that a lesson goes through, and seeded
// random ones over every kind of event.
'use strict';

const kScripted = {
  coupledMoon: ['option Option3(1)', 'set HScroll1(2) 16384', 'set HScroll1(1) 32767',
                'arrow HScroll1(2) right', 'set HScroll1(2) 32767'],
  presets: ['option Option1(1)', 'option Option2(3)', 'option Option1(1)', 'option Option2(0)',
            'option Option1(0)', 'option Option2(2)'],
  station: ['set HScroll2(0) -16383', 'set HScroll2(0) 0', 'set HScroll2(1) 32767',
            'arrow HScroll2(1) left', 'set HScroll2(0) 16384', 'trough HScroll2(0) left'],
  animation: ['option Option4(1)', 'ticks 5', 'key HScroll1(0) End', 'ticks 3',
              'key HScroll1(0) PageDown', 'ticks 2', 'option Option4(0)', 'ticks 2'],
  troughs: ['trough HScroll1(1) right', 'trough HScroll1(1) right', 'trough HScroll1(1) right',
            'trough HScroll1(1) left', 'arrow HScroll1(1) right', 'trough HScroll1(3) right'],
  keys: ['key HScroll1(3) PageUp', 'key HScroll1(3) ArrowRight', 'key HScroll1(3) Home',
         'key HScroll1(3) End', 'key HScroll1(3) ArrowUp', 'key HScroll2(0) ArrowDown',
         'key HScroll2(1) PageUp'],
  coupledAnimation: ['option Option3(1)', 'option Option4(1)', 'ticks 4', 'set HScroll1(2) 1000',
                     'ticks 2', 'set HScroll1(1) 5000', 'option Option4(0)'],
  drags: ['drag HScroll1(2) 120', 'drag HScroll1(2) -37', 'option Option3(1)',
          'drag HScroll1(1) 333', 'drag HScroll2(0) -600', 'drag HScroll2(1) 57'],
  focusClearsPresets: ['option Option2(2)', 'arrow HScroll1(2) right', 'option Option1(3)',
                       'key HScroll1(3) ArrowLeft', 'option Option1(3)', 'key Option1(3) ArrowLeft'],
};

// mulberry32: a small generator whose sequence depends on the seed alone.
function Random(seed) {
  let a = seed >>> 0;
  return () => {
    a = (a + 0x6d2b79f5) >>> 0;
    let t = a;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

const kSliders = {'HScroll1(0)': [0, 32767], 'HScroll1(1)': [0, 32767], 'HScroll1(2)': [0, 32767],
                  'HScroll1(3)': [0, 32767], 'HScroll2(0)': [-16383, 16384],
                  'HScroll2(1)': [0, 32767]};
const kOptions = ['Option1(0)', 'Option1(1)', 'Option1(2)', 'Option1(3)', 'Option2(0)',
                  'Option2(1)', 'Option2(2)', 'Option2(3)', 'Option3(0)', 'Option3(1)',
                  'Option4(0)', 'Option4(1)'];
const kKeys = ['ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown', 'PageUp', 'PageDown', 'Home',
               'End'];

function RandomSequence(seed, length) {
  const r = Random(seed);
  const pick = (list) => list[Math.floor(r() * list.length)];
  const sliders = Object.keys(kSliders);
  const events = [];
  for (let i = 0; i < length; ++i) {
    const slider = pick(sliders);
    const [min, max] = kSliders[slider];
    switch (pick(['set', 'arrow', 'trough', 'drag', 'key', 'option', 'option', 'ticks'])) {
      case 'set': events.push(`set ${slider} ${min + Math.floor(r() * (max - min + 1))}`); break;
      case 'arrow': events.push(`arrow ${slider} ${pick(['left', 'right'])}`); break;
      case 'trough': events.push(`trough ${slider} ${pick(['left', 'right'])}`); break;
      case 'drag': events.push(`drag ${slider} ${Math.floor(r() * 601) - 300}`); break;
      case 'key': events.push(`key ${slider} ${pick(kKeys)}`); break;
      case 'option': events.push(`option ${pick(kOptions)}`); break;
      default: events.push(`ticks ${1 + Math.floor(r() * 4)}`); break;
    }
  }
  return events;
}

module.exports = {kScripted, RandomSequence, Random};
