// SPDX-License-Identifier: GPL-3.0-or-later
// The window's elements on the page: the DOM side of the web backend.
//
// The toolkit (C++) decides what every control does; this script builds the elements it
// asks for, draws what it draws, and tells it what the user did: a part of a slider pressed,
// a key, a drag, an option clicked, a tick fallen due. It computes nothing of the program's
// own and formats no readout: every caption arrives written.
//
// Sections: fonts; the page object (window, frames, labels, sliders, options, surfaces,
// pictures, timers, the end); scaling to the viewport; start.
'use strict';

const VornakPage = (() => {
  // ---- Fonts -------------------------------------------------------------------------------
  // Tahoma (fonts-wine) for every caption and for the surfaces' "tahoma"; the DejaVu Sans
  // subset for every other face the surfaces name, as the desktop maps them.
  const kTahoma = 'VornakTahoma';
  const kSans = 'VornakSans';
  const kFallback = 'sans-serif';

  function FontBytes(id) {
    const node = document.getElementById(id);
    if (!node) return null;
    const text = atob(node.textContent.trim());
    const bytes = new Uint8Array(text.length);
    for (let i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
    return bytes.buffer;
  }

  async function LoadFonts() {
    for (const [family, id] of [[kTahoma, 'font-tahoma'], [kSans, 'font-sans']]) {
      const bytes = FontBytes(id);
      if (!bytes) continue;
      const face = new FontFace(family, bytes);
      await face.load();
      document.fonts.add(face);
    }
  }

  // A colour 0x00BBGGRR as CSS, each written once: the views draw in a handful of colours.
  const cssColours = new Map();
  function Css(colour) {
    let css = cssColours.get(colour);
    if (css === undefined) {
      const r = colour & 0xff, g = (colour >>> 8) & 0xff, b = (colour >>> 16) & 0xff;
      css = `rgb(${r},${g},${b})`;
      cssColours.set(colour, css);
    }
    return css;
  }

  // ---- Sliders: the geometry of the desktop's scroll bars --------------------------------
  // Arrow buttons 14 pixels wide at either end (page.css), the trough between them.
  const kThumbPx = 17;  // the thumb, whatever the page step
  const kRepeatDelayMs = 500;
  const kRepeatMs = 50;
  // The actions of exports.cpp.
  const Action = {smallDown: 1, smallUp: 2, pageDown: 3, pageUp: 4, toMin: 5, toMax: 6};

  // Where the thumb starts in the trough for a position, and the position for a place, in
  // whole window pixels and integer steps, as the desktop's style rounds them.
  function ThumbLeft(bar, position) {
    const span = bar.trough.clientWidth - kThumbPx;
    const range = bar.max - bar.min;
    const p = position - bar.min;
    if (span <= 0 || range <= 0 || p <= 0) return 0;
    if (p >= range) return span;
    if (range > span) return Math.floor((2 * p * span + range) / (2 * range));
    const div = Math.floor(span / range), mod = span % range;
    return p * div + Math.floor((2 * p * mod + range) / (2 * range));
  }
  function PositionAt(bar, thumbLeft) {
    const span = bar.trough.clientWidth - kThumbPx;
    const range = bar.max - bar.min;
    const pos = Math.round(thumbLeft);
    if (span <= 0 || pos <= 0) return bar.min;
    if (pos >= span) return bar.max;
    if (span > range) return bar.min + Math.floor((2 * pos * range + span) / (2 * span));
    const div = Math.floor(range / span), mod = range % span;
    return bar.min + pos * div + Math.floor((2 * pos * mod + span) / (2 * span));
  }

  function Create(root) {
    const ids = new Map();       // page id -> element record
    const names = new Map();     // data-control name -> page id
    const pictures = new Map();  // picture id -> {canvas, texts}
    const timers = new Map();    // timer id -> running timer
    let nextPicture = 1;
    let module = null;
    let client = null;
    let menuBar = null;
    let ended = false;
    let scale = 1;         // of the window to the viewport, set before the program starts
    let lastFocus = null;  // the slider input that last had the focus, for re-activations

    const page = {};

    // ---- The window ----------------------------------------------------------------------
    page.window = (id, width, height, title) => {
      const win = document.createElement('div');
      win.className = 'vk-window';
      win.setAttribute('aria-label', title);
      win.setAttribute('role', 'group');
      menuBar = document.createElement('div');
      menuBar.className = 'vk-menubar';
      menuBar.setAttribute('role', 'menubar');
      client = document.createElement('div');
      client.className = 'vk-client';
      client.style.width = `${width}px`;
      client.style.height = `${height}px`;
      // The client area comes first in the document, so that Tab walks the window's controls
      // in its own order; the menu bar stays on top on screen.
      win.append(client, menuBar);
      root.querySelector('.vk-stage').prepend(win);
      ids.set(id, {kind: 'window', el: win, items: []});
    };

    page.menuItem = (windowId, index, caption) => {
      const item = document.createElement('button');
      item.type = 'button';
      item.className = 'vk-menuitem';
      item.setAttribute('role', 'menuitem');
      item.textContent = caption;
      item.addEventListener('click', () => module._vk_menu_click(windowId, index));
      menuBar.append(item);
      ids.get(windowId).items[index] = item;
    };

    page.menuName = (windowId, index, name) => {
      ids.get(windowId).items[index].dataset.control = name;
    };

    function Place(el, left, top, width, height) {
      el.style.left = `${left}px`;
      el.style.top = `${top}px`;
      el.style.width = `${width}px`;
      el.style.height = `${height}px`;
    }

    function TahomaFont(px, bold) {
      // The desktop emboldens Tahoma's regular face and gives back a twentieth of the em
      // between letters; the browser emboldens it the same way when asked for bold.
      return {
        font: `${bold ? 'bold ' : ''}${px}px ${kTahoma}, Tahoma, ${kFallback}`,
        spacing: bold ? `${px / 20}px` : 'normal',
      };
    }

    function SetFont(el, px, bold) {
      const f = TahomaFont(px, bold);
      el.style.font = f.font;
      el.style.letterSpacing = f.spacing;
    }

    // ---- Frames --------------------------------------------------------------------------
    page.frame = (id, caption, left, top, width, height, fontPx) => {
      const el = document.createElement('div');
      el.className = 'vk-frame';
      el.setAttribute('role', 'group');
      if (caption !== '') el.setAttribute('aria-label', caption);
      Place(el, left, top, width, height);
      SetFont(el, fontPx, true);
      const box = document.createElement('div');
      box.className = 'vk-frame-box';
      el.append(box);
      if (caption !== '') {
        const title = document.createElement('span');
        title.className = 'vk-frame-title';
        title.textContent = caption;
        el.append(title);
        // The desktop's style puts the title above the frame's line, not across it.
        box.style.top = `${Math.ceil(fontPx * 1.25) + 2}px`;
      }
      client.append(el);
      ids.set(id, {kind: 'frame', el, outer: el});
    };

    // ---- Labels --------------------------------------------------------------------------
    // A label is its text: an element whose content is the caption exactly, inside a box of
    // its design rectangle that keeps the edge its alignment names while the text grows.
    page.label = (id, caption, left, top, width, height, autoSize, border, opaque, back, fore,
                  alignment, fontPx, bold) => {
      const box = document.createElement('div');
      box.className = 'vk-labelbox';
      Place(box, left, top, width, height);
      box.style.justifyContent = ['flex-start', 'flex-end', 'center'][alignment];
      const el = document.createElement('span');
      el.className = autoSize ? 'vk-label vk-auto' : 'vk-label';
      SetFont(el, fontPx, bold);
      el.style.color = Css(fore);
      if (opaque) el.style.background = Css(back);
      if (border) el.classList.add('vk-border');
      if (!autoSize) {
        el.style.width = `${width}px`;
        el.style.height = `${height}px`;
        el.style.textAlign = ['left', 'right', 'center'][alignment];
      }
      el.textContent = caption;
      box.append(el);
      client.append(box);
      ids.set(id, {kind: 'label', el, outer: box});
    };

    // Captions and the surfaces' descriptions are written into the document once the task
    // that changed them ends, after its drawing: a canvas resolves each font it is given
    // against the document's styles, which every change of the document's text leaves to
    // recompute, so text written between two texts drawn would cost a style pass each.
    const pendingCaptions = new Map();  // label record -> caption
    const pendingDescriptions = new Set();
    let flushQueued = false;
    function Later() {
      if (flushQueued) return;
      flushQueued = true;
      queueMicrotask(Flush);
    }
    function Flush() {
      flushQueued = false;
      for (const [label, caption] of pendingCaptions) {
        // The text node's data, not a new node: the label keeps its one text child.
        const node = label.el.firstChild;
        if (node && node.nodeType === Node.TEXT_NODE && !node.nextSibling) {
          if (node.data !== caption) node.data = caption;
        } else {
          label.el.textContent = caption;
        }
      }
      pendingCaptions.clear();
      for (const s of pendingDescriptions) Describe(s);
      pendingDescriptions.clear();
    }

    page.caption = (id, caption) => {
      pendingCaptions.set(ids.get(id), caption);
      Later();
    };

    page.widthOf = (id) => {
      Flush();
      return ids.get(id).el.offsetWidth;
    };

    // ---- Sliders -------------------------------------------------------------------------
    page.scrollBar = (id, left, top, width, height, min, max, value) => {
      const el = document.createElement('div');
      el.className = 'vk-scroll';
      Place(el, left, top, width, height);
      const part = (name) => {
        const p = document.createElement('div');
        p.className = `vk-${name}`;
        p.dataset.part = name;
        return p;
      };
      const leftArrow = part('left');
      const trough = part('trough');
      const rightArrow = part('right');
      const thumb = document.createElement('div');
      thumb.className = 'vk-thumb';
      trough.append(thumb);
      // A touch screen's browser moves a touch to the nearest element that answers clicks
      // (for fingers wider than the controls), and it counts mouse listeners only: each part
      // says it answers, so that a finger on a thumb is not moved to the option beside it.
      for (const p of [leftArrow, trough, rightArrow, thumb]) p.addEventListener('mousedown', () => {});
      const input = document.createElement('input');
      input.type = 'range';
      input.className = 'vk-range';
      input.min = String(min);
      input.max = String(max);
      input.step = '1';
      input.value = String(value);
      input.setAttribute('min', String(min));
      input.setAttribute('max', String(max));
      el.append(leftArrow, trough, rightArrow, input);
      client.append(el);
      const bar = {kind: 'scroll', el, outer: el, input, trough, thumb, min, max, position: value,
                   repeat: null, drag: null};
      ids.set(id, bar);
      PlaceThumb(bar);

      // The parts a pointer presses: each takes the focus first, so that GotFocus comes
      // before the change, then acts, and acts again while held.
      const press = (event, act) => {
        if (event.button !== 0 || input.disabled || ended) return;
        event.preventDefault();
        input.focus();
        (event.currentTarget).setPointerCapture?.(event.pointerId);
        if (act() === false) return;
        StopRepeat(bar);
        bar.repeat = setTimeout(function again() {
          if (act() === false) return;
          bar.repeat = setTimeout(again, kRepeatMs);
        }, kRepeatDelayMs);
      };
      leftArrow.addEventListener('pointerdown',
                                 (e) => press(e, () => module._vk_scroll_action(id, Action.smallDown)));
      rightArrow.addEventListener('pointerdown',
                                  (e) => press(e, () => module._vk_scroll_action(id, Action.smallUp)));
      trough.addEventListener('pointerdown', (e) => {
        if (e.target === thumb) return;
        const x = e.clientX;
        press(e, () => {
          // A page toward the pointer, until the thumb reaches it.
          const r = thumb.getBoundingClientRect();
          if (x >= r.left && x < r.right) return false;
          module._vk_scroll_action(id, x < r.left ? Action.pageDown : Action.pageUp);
          return true;
        });
      });
      for (const p of [leftArrow, rightArrow, trough]) {
        for (const type of ['pointerup', 'pointercancel', 'lostpointercapture']) {
          p.addEventListener(type, () => StopRepeat(bar));
        }
      }

      // The thumb: each move a Scroll, the release a Change.
      thumb.addEventListener('pointerdown', (e) => {
        if (e.button !== 0 || input.disabled || ended) return;
        e.preventDefault();
        input.focus();
        thumb.setPointerCapture?.(e.pointerId);
        bar.drag = {grab: (e.clientX - thumb.getBoundingClientRect().left) / scale};
      });
      thumb.addEventListener('pointermove', (e) => {
        if (!bar.drag) return;
        const troughLeft = trough.getBoundingClientRect().left;
        const place = (e.clientX - troughLeft) / scale - bar.drag.grab;
        module._vk_scroll_drag(id, PositionAt(bar, place));
      });
      const release = () => {
        if (!bar.drag) return;
        bar.drag = null;
        module._vk_scroll_release(id);
      };
      thumb.addEventListener('pointerup', release);
      thumb.addEventListener('pointercancel', release);
      thumb.addEventListener('lostpointercapture', release);

      // The keys, with the desktop's steps: arrows one position, the page keys one page.
      input.addEventListener('keydown', (e) => {
        const keys = {
          ArrowLeft: Action.smallDown, ArrowDown: Action.smallDown,
          ArrowRight: Action.smallUp, ArrowUp: Action.smallUp,
          PageDown: Action.pageDown, PageUp: Action.pageUp,
          Home: Action.toMin, End: Action.toMax,
        };
        const action = keys[e.key];
        if (action === undefined || e.altKey || e.ctrlKey || e.metaKey) return;
        e.preventDefault();
        module._vk_scroll_action(id, action);
      });
      // A value set on the range input itself (assistive technology, a test): the slider's
      // own path for it, focus first, then the Change.
      input.addEventListener('input', () => {
        const v = Number(input.value);
        input.value = String(bar.position);
        module._vk_scroll_set(id, v);
      });
      input.addEventListener('focus', () => {
        // A window that merely becomes active again gives the focus back to the slider that
        // had it; the desktop raises no GotFocus for that.
        const restored = reactivating && lastFocus === input;
        reactivating = false;
        lastFocus = input;
        if (!restored) module._vk_scroll_focused(id);
      });
    };

    let reactivating = false;
    window.addEventListener('blur', () => { reactivating = true; });
    document.addEventListener('pointerdown', () => { reactivating = false; }, true);
    document.addEventListener('keydown', () => { reactivating = false; }, true);

    function StopRepeat(bar) {
      if (bar.repeat !== null) clearTimeout(bar.repeat);
      bar.repeat = null;
    }

    function PlaceThumb(bar) {
      bar.thumb.style.left = `${ThumbLeft(bar, bar.position)}px`;
      bar.input.value = String(bar.position);
      bar.input.setAttribute('aria-valuenow', String(bar.position));
    }

    page.scrollValue = (id, position) => {
      const bar = ids.get(id);
      bar.position = position;
      PlaceThumb(bar);
    };

    // ---- Option buttons ------------------------------------------------------------------
    // A label wrapping its radio and its caption, so that a click anywhere on it is a click
    // on the radio. Radios have no shared name: the toolkit keeps each frame's selection
    // (none selected included) and says which are checked.
    page.option = (id, frameId, caption, left, top, width, height, fontPx, checked, graphical) => {
      const el = document.createElement('label');
      el.className = graphical ? 'vk-option vk-push' : 'vk-option';
      Place(el, left, top, width, height);
      SetFont(el, fontPx, true);
      const radio = document.createElement('input');
      radio.type = 'radio';
      radio.checked = checked !== 0;
      const text = document.createElement('span');
      text.textContent = caption;
      el.append(radio, text);
      client.append(el);
      const option = {kind: 'option', el, outer: el, radio, frameId};
      ids.set(id, option);
      el.classList.toggle('vk-down', radio.checked);
      radio.addEventListener('click', () => {
        if (ended) return;
        module._vk_option_click(id);
        // The toolkit has said which radios are checked; a click on a checked one changes
        // nothing, as on the desktop.
        radio.checked = option.checked === true;
      });
      option.checked = radio.checked;
      radio.addEventListener('keydown', (e) => {
        const moves = {ArrowLeft: [-1, 0], ArrowRight: [1, 0], ArrowUp: [0, -1], ArrowDown: [0, 1]};
        const move = moves[e.key];
        if (!move || e.altKey || e.ctrlKey || e.metaKey) return;
        e.preventDefault();
        const next = module._vk_option_arrow(id, move[0], move[1]);
        if (next !== 0) ids.get(next).radio.focus();
      });
    };

    page.optionChecked = (id, checked) => {
      const option = ids.get(id);
      option.checked = checked !== 0;
      option.radio.checked = option.checked;
      option.el.classList.toggle('vk-down', option.checked);
      Rove(option.frameId);
    };

    // ---- What every control shares -------------------------------------------------------
    page.enable = (id, enabled) => {
      const c = ids.get(id);
      const on = enabled !== 0 && !ended;
      if (c.input) c.input.disabled = !on;
      if (c.radio) c.radio.disabled = !on;
      c.el.classList.toggle('vk-disabled', !on);
      if (c.kind === 'surface') c.el.setAttribute('aria-disabled', on ? 'false' : 'true');
    };

    page.focus = (id) => {
      const c = ids.get(id);
      (c.input || c.radio || c.el).focus();
    };

    page.hasFocus = (id) => {
      const c = ids.get(id);
      return document.activeElement === (c.input || c.radio || c.el) ? 1 : 0;
    };

    page.toolTip = (id, text) => {
      ids.get(id).el.title = text;
    };

    // The element assistive technology names the control by: a slider's range input, an
    // option's radio, the element itself otherwise.
    function Named(c) {
      return c.input || c.radio || c.el;
    }

    page.accessibleName = (id, text) => {
      Named(ids.get(id)).setAttribute('aria-label', text);
    };

    page.accessibleDescription = (id, text) => {
      const c = ids.get(id);
      if (c.kind === 'surface') {
        c.about = text;
        Describe(c);
        return;
      }
      Named(c).setAttribute('aria-description', text);
      const hint = document.createElement('span');
      hint.className = 'vk-hidden';
      hint.id = `vk-about-${id}`;
      hint.textContent = text;
      c.outer.append(hint);
      Named(c).setAttribute('aria-describedby', hint.id);
    };

    // Tab walks the elements in document order: the controls are put in the window's order.
    // A frame's options are one stop, as on the desktop: its selected option, or its first
    // in that order when none is selected.
    const groups = new Map();  // frame id -> its options in tab order
    page.tabOrder = (order) => {
      groups.clear();
      for (const id of order) {
        const c = ids.get(id);
        if (!c || !c.outer) continue;
        client.append(c.outer);
        if (c.kind === 'option') {
          if (!groups.has(c.frameId)) groups.set(c.frameId, []);
          groups.get(c.frameId).push(c);
        }
      }
      for (const frameId of groups.keys()) Rove(frameId);
    };

    function Rove(frameId) {
      const group = groups.get(frameId);
      if (!group) return;
      const stop = group.find((o) => o.checked) || group[0];
      for (const o of group) o.radio.tabIndex = o === stop ? 0 : -1;
    }

    page.name = (id, name) => {
      ids.get(id).el.dataset.control = name;
      names.set(name, id);
    };

    // ---- Surfaces ------------------------------------------------------------------------
    // A canvas of the interior in device pixels, and the texts drawn on it as its
    // description, so that a screen reader hears the distances.
    // The canvases are made once, at the screen's pixel ratio times the scale the window has
    // in the viewport when the first is made: crisp at that size, whatever the density.
    let pixelRatio = 0;

    page.surface = (id, left, top, width, height, interiorWidth, interiorHeight, back) => {
      const el = document.createElement('div');
      el.className = 'vk-surface';
      Place(el, left, top, width, height);
      el.tabIndex = 0;
      el.setAttribute('role', 'img');
      if (pixelRatio === 0) {
        pixelRatio = Math.min(4, Math.max(1, (window.devicePixelRatio || 1) * FitScale(root)));
      }
      const canvas = document.createElement('canvas');
      canvas.width = Math.round(interiorWidth * pixelRatio);
      canvas.height = Math.round(interiorHeight * pixelRatio);
      canvas.style.width = `${interiorWidth}px`;
      canvas.style.height = `${interiorHeight}px`;
      el.append(canvas);
      const description = document.createElement('span');
      description.className = 'vk-hidden';
      description.id = `vk-texts-${id}`;
      el.append(description);
      el.setAttribute('aria-describedby', description.id);
      client.append(el);
      const ctx = canvas.getContext('2d');
      ctx.setTransform(pixelRatio, 0, 0, pixelRatio, 0, 0);
      const surface = {kind: 'surface', el, outer: el, canvas, ctx, back, description,
                       texts: [], about: '', font: null, ascent: 0, height: 0, pen: null,
                       dotted: 0};
      ids.set(id, surface);
      Clear(surface, null);
    };

    function Describe(s) {
      s.description.textContent = [s.about, ...s.texts].filter((t) => t.trim() !== '').join(', ');
    }

    function Clear(s, picture) {
      const ctx = s.ctx;
      ctx.save();
      ctx.setTransform(1, 0, 0, 1, 0, 0);
      if (picture) {
        ctx.globalCompositeOperation = 'copy';
        ctx.drawImage(picture.canvas, 0, 0);
      } else {
        ctx.fillStyle = Css(s.back);
        ctx.fillRect(0, 0, s.canvas.width, s.canvas.height);
      }
      ctx.restore();
      s.texts = picture ? picture.texts.slice() : [];
      pendingDescriptions.add(s);
      Later();
    }

    page.clear = (id, picture) => {
      Clear(ids.get(id), picture ? pictures.get(picture) : null);
    };

    // The background copied back where the surface has drawn since its last clear: runs of
    // tiles, four numbers each, in device pixels. Pictures are opaque, so a copy drawn over
    // the canvas replaces what is there.
    page.restore = (id, picture, runs) => {
      const s = ids.get(id);
      const p = picture ? pictures.get(picture) : null;
      const ctx = s.ctx;
      ctx.save();
      ctx.setTransform(1, 0, 0, 1, 0, 0);
      if (!p) ctx.fillStyle = Css(s.back);
      for (let i = 0; i < runs.length; i += 4) {
        const x = runs[i], y = runs[i + 1], w = runs[i + 2] - x, h = runs[i + 3] - y;
        if (p) {
          ctx.drawImage(p.canvas, x, y, w, h, x, y, w, h);
        } else {
          ctx.fillRect(x, y, w, h);
        }
      }
      ctx.restore();
      s.texts = p ? p.texts.slice() : [];
      pendingDescriptions.add(s);
      Later();
    };

    page.pixelRatio = () => pixelRatio;

    // The pen, set only where it changes: a context's state survives every clear (its save
    // and restore pair), so what the surface last set is what the context has.
    const kDot = [1, 2];
    const kSolid = [];
    function Stroke(s, colour, dotted) {
      const ctx = s.ctx;
      if (s.pen !== colour) {
        ctx.strokeStyle = Css(colour);
        s.pen = colour;
      }
      if (s.dotted !== dotted) {
        ctx.setLineDash(dotted ? kDot : kSolid);
        s.dotted = dotted;
      }
    }

    page.segment = (id, x1, y1, x2, y2, colour, dotted) => {
      const s = ids.get(id);
      const ctx = s.ctx;
      Stroke(s, colour, dotted);
      ctx.beginPath();
      ctx.moveTo(x1, y1);
      ctx.lineTo(x2, y2);
      ctx.stroke();
    };

    page.point = (id, x, y, colour) => {
      const ctx = ids.get(id).ctx;
      ctx.fillStyle = Css(colour);
      ctx.fillRect(x - 0.5, y - 0.5, 1, 1);
    };

    page.circle = (id, x, y, r, colour, dotted) => {
      const s = ids.get(id);
      const ctx = s.ctx;
      Stroke(s, colour, dotted);
      ctx.beginPath();
      ctx.arc(x, y, r, 0, 2 * Math.PI);
      ctx.stroke();
    };

    // A text's top-left corner is its place; its height is the face's ascent and descent as
    // the desktop's font engine reads them from the font's tables (the build writes them into
    // the page): a face that asks for its typographic metrics gets them in whole pixels, the
    // ascent rounded up, the descent to the nearest; any other its exact header metrics.
    const faceMetrics = JSON.parse(document.getElementById('font-metrics')?.textContent || '{}');
    page.font = (id, tahoma, px) => {
      const s = ids.get(id);
      const family = tahoma ? kTahoma : kSans;
      const font = `${px}px ${family}, ${kFallback}`;
      if (font === s.font) return;
      s.font = font;
      s.ctx.font = s.font;
      const f = faceMetrics[family];
      if (f) {
        const scale = px / f.unitsPerEm;
        s.ascent = f.whole ? Math.ceil(f.ascent * scale) : f.ascent * scale;
        s.height = s.ascent + (f.whole ? Math.round(f.descent * scale) : f.descent * scale);
      } else {
        const m = s.ctx.measureText('');
        s.ascent = m.fontBoundingBoxAscent;
        s.height = s.ascent + m.fontBoundingBoxDescent;
      }
    };

    page.text = (id, x, y, text, colour, opaque, back) => {
      const s = ids.get(id);
      const ctx = s.ctx;
      ctx.font = s.font;
      if (opaque) {
        ctx.fillStyle = Css(back);
        ctx.fillRect(x, y, Width(s, text), s.height);
      }
      ctx.fillStyle = Css(colour);
      ctx.textBaseline = 'alphabetic';
      ctx.fillText(text, x, y + s.ascent);
      s.texts.push(text);
      pendingDescriptions.add(s);
      Later();
    };

    // Widths measured once per font and text: the views measure mostly the same texts on
    // every update. The cache starts again when it grows past what a window's views print.
    const widths = new Map();
    function Width(s, text) {
      const key = s.font + '\n' + text;
      let w = widths.get(key);
      if (w === undefined) {
        if (widths.size >= 512) widths.clear();
        s.ctx.font = s.font;
        w = s.ctx.measureText(text).width;
        widths.set(key, w);
      }
      return w;
    }

    page.textWidth = (id, text) => Width(ids.get(id), text);

    page.textHeight = (id) => ids.get(id).height;

    // ---- Pictures ------------------------------------------------------------------------
    page.capture = (id) => {
      const s = ids.get(id);
      const canvas = document.createElement('canvas');
      canvas.width = s.canvas.width;
      canvas.height = s.canvas.height;
      canvas.getContext('2d').drawImage(s.canvas, 0, 0);
      const picture = nextPicture++;
      pictures.set(picture, {canvas, texts: s.texts.slice()});
      return picture;
    };

    page.freePicture = (picture) => { pictures.delete(picture); };
    page.pictureWidth = (picture) => pictures.get(picture).canvas.width;
    page.pictureHeight = (picture) => pictures.get(picture).canvas.height;

    function Pixels(picture) {
      const c = pictures.get(picture).canvas;
      return c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
    }

    page.picturePixel = (picture, x, y) => {
      const c = pictures.get(picture).canvas;
      if (x < 0 || y < 0 || x >= c.width || y >= c.height) return 0;
      const d = c.getContext('2d').getImageData(x, y, 1, 1).data;
      return (d[0] | (d[1] << 8) | (d[2] << 16)) >>> 0;
    };

    page.samePixels = (a, b) => {
      const pa = Pixels(a), pb = Pixels(b);
      if (pa.length !== pb.length) return 0;
      for (let i = 0; i < pa.length; ++i) if (pa[i] !== pb[i]) return 0;
      return 1;
    };

    // ---- Timers --------------------------------------------------------------------------
    // Ticks fall due every interval of the page's monotonic clock from the moment the timer
    // starts. A task runs at most one tick, the latest due, and drops the older ones: a page
    // that keeps up runs one tick each interval, one that falls behind does not pile them up.
    page.timer = (id, intervalMs) => {
      const old = timers.get(id);
      if (old) clearTimeout(old.handle);
      timers.delete(id);
      if (intervalMs <= 0 || ended) return;
      const t = {start: performance.now(), interval: intervalMs, next: 1, handle: 0};
      timers.set(id, t);
      // The browser counts a timeout in whole milliseconds, cutting off the fraction: rounded
      // up, the wait ends once the tick is due, not a fraction early to be waited out again.
      // A microsecond early counts as due, so that the rounding error of the sums (a wait of
      // 20.000000001 ms) neither costs a whole millisecond nor a second wait.
      const kEarlyMs = 0.001;
      const wait = () => {
        const due = t.start + t.next * t.interval;
        t.handle = setTimeout(fire, Math.max(0, Math.ceil(due - performance.now() - kEarlyMs)));
      };
      const fire = () => {
        if (timers.get(id) !== t) return;
        const now = performance.now() + kEarlyMs;
        if (now < t.start + t.next * t.interval) {
          wait();
          return;
        }
        t.next = Math.floor((now - t.start) / t.interval) + 1;
        module._vk_timer_tick(id);
        if (timers.get(id) === t) wait();
      };
      wait();
    };

    // ---- The end -------------------------------------------------------------------------
    page.ended = () => {
      ended = true;
      for (const t of timers.values()) clearTimeout(t.handle);
      timers.clear();
      for (const c of ids.values()) {
        for (const input of [c.input, c.radio]) if (input) input.disabled = true;
        if (c.items) for (const item of c.items) item.disabled = true;
        if (c.kind === 'surface') c.el.setAttribute('aria-disabled', 'true');
        if (c.el && c.kind !== 'window') c.el.classList.add('vk-disabled');
        if (c.repeat) StopRepeat(c);
      }
      const status = root.querySelector('[role="status"]');
      status.textContent = 'Le programme est termin\u00e9. - The program has ended.';
      document.documentElement.dataset.state = 'ended';
    };

    page.ready = () => {
      document.documentElement.dataset.state = 'ready';
    };

    page.screenWidth = () => Math.round(window.screen.width || 1024);
    page.screenHeight = () => Math.round(window.screen.height || 768);

    // ---- For tests from outside ----------------------------------------------------------
    // A surface's journal of drawing calls, by the surface's name.
    const hooks = {
      journalStart(name) { module._vk_journal_start(names.get(name)); },
      journal(name) { return JSON.parse(module.UTF8ToString(module._vk_journal(names.get(name)))); },
      // Every clear restores its whole surface, or the drawn tiles only (the default).
      wholeUpdates(on) { module._vk_whole_updates(on ? 1 : 0); },
    };

    page.attach = (m) => {
      module = m;
      window.vornakPage = hooks;
    };
    page.setScale = (fit) => { scale = fit; };
    return page;
  }

  // ---- Scaling -----------------------------------------------------------------------------
  // The window keeps its proportions and fits the viewport whole, with the notices under it.
  function FitScale(root) {
    const stage = root.querySelector('.vk-stage');
    const win = stage.querySelector('.vk-window');
    if (!win) return 1;
    const width = win.offsetWidth;
    const height = stage.offsetHeight;
    const s = Math.min(window.innerWidth / width, window.innerHeight / height);
    return s > 0 && Number.isFinite(s) ? s : 1;
  }

  function ApplyScale(root, s) {
    const stage = root.querySelector('.vk-stage');
    stage.style.transform = `scale(${s})`;
    const width = stage.offsetWidth * s;
    stage.style.left = `${Math.max(0, (window.innerWidth - width) / 2)}px`;
  }

  // ---- Start ---------------------------------------------------------------------------------
  async function Start(factory) {
    const root = document.body;
    await LoadFonts();
    const page = Create(root);
    const module = {page, print: () => {}, printErr: (t) => console.error(t)};
    module.preRun = [() => page.attach(module)];
    await new Promise((resolve, reject) => {
      module.onAbort = reject;
      module.postRun = [resolve];
      factory(module);
    });
    const fit = () => {
      const s = FitScale(root);
      page.setScale(s);
      ApplyScale(root, s);
    };
    fit();
    window.addEventListener('resize', fit);
  }

  return {Start};
})();
