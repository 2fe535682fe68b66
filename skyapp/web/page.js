// SPDX-License-Identifier: GPL-3.0-or-later
// The real Moon's page: the controls, the readouts, the plot and the storage, wired to the
// program's entry points (exports.cpp). Every number the page shows and every message comes
// from the C++; this script lays them out, remembers what the user typed and draws the plot.
'use strict';
(function () {
  const $ = (id) => document.getElementById(id);
  const kBandsMhz = ['50', '144', '432', '1296', '2304', '3400', '5760', '10368', '24048', '47088'];
  const kDefaultBand = '10368';
  const kTypingPauseMs = 600;
  const kPrefix = 'vornak-sky.';
  // The readouts: their caption and the figures they show, by the table's column names.
  const kReadouts = [
    ['Elevation', ['elevation_deg', 'horizon']], ['Azimuth', ['azimuth_deg']],
    ['Range', ['range_km']], ['Echo delay', ['echo_delay_s']],
    ['Radial share', ['radial_ms', 'radial_hz']], ['Parallax share', ['parallax_ms', 'parallax_hz']],
    ['Rotation share', ['rotation_ms', 'rotation_hz']],
    ['Range rate, echo shift', ['range_rate_ms', 'self_doppler_hz']],
    ['Doppler rate', ['doppler_rate_hz_per_min']],
    ['DX elevation, DX shift', ['dx_elevation_deg', 'dx_doppler_hz']],
    ['Uplink shift (sent now)', ['uplink_doppler_hz']],
    ['Downlink shift (heard now)', ['downlink_doppler_hz']],
    ['To the DX station', ['to_dx_doppler_hz']], ['Echo spread', ['spread_hz']],
    ['Budget (sum)', ['budget_hz']], ['  ephemeris', ['budget_ephemeris_hz']],
    ['  UT1, polar motion', ['budget_earth_hz']], ['  station position', ['budget_station_hz']],
    ['  troposphere', ['budget_troposphere_hz']],
  ];

  let api = null;
  let storage = null;  // window.localStorage, or null where the browser gives none
  const state = {live: true, chosenMs: 0, shownMs: 0, dayMs: null, playing: false,
                 texts: {station: null, dx: null}, band: kDefaultBand, plotStale: true};
  let plot = null, day = null, player = null;
  const notices = [];

  // The entry points that return text as it is (a table, stored values); the others, JSON.
  const kPlainText = new Set(['vs_csv', 'vs_eop_stored']);
  function Call(name, ...args) {
    const types = args.map((a) => (typeof a === 'number' ? 'number' : 'string'));
    const text = api.ccall(name, 'string', types, args);
    return kPlainText.has(name) ? text : JSON.parse(text);
  }

  function Notice(text) {
    notices.push(text);
    $('notice').textContent = notices.join(' ');
  }

  function Store(key, value) {
    if (!storage) return;
    try {
      if (value === null) storage.removeItem(kPrefix + key);
      else storage.setItem(kPrefix + key, value);
    } catch (e) {
      // A full or refused storage keeps the page running on what it shows.
    }
  }
  function Stored(key) {
    if (!storage) return null;
    try {
      return storage.getItem(kPrefix + key);
    } catch (e) {
      return null;
    }
  }

  // --- stations -----------------------------------------------------------------------
  function Fields(which) {
    const f = {};
    for (const name of ['locator', 'latitude', 'longitude', 'height']) f[name] = $(`${which}-${name}`);
    return f;
  }
  function ShowStationError(which, field, message) {
    const fields = Fields(which);
    for (const [name, input] of Object.entries(fields)) {
      const bad = name === field;
      input.setAttribute('aria-invalid', bad ? 'true' : 'false');
      if (bad) input.setAttribute('aria-describedby', `${which}-error`);
      else input.removeAttribute('aria-describedby');
    }
    const error = $(`${which}-error`);
    error.textContent = message || '';
    error.hidden = !message;
  }
  // Shows what the program found of a station's texts: the field at fault, or the station
  // taken with both its forms filled in.
  function ShowStation(which, r) {
    const f = Fields(which);
    if (!r.ok) {
      ShowStationError(which, r.field, r.message);
      return r;
    }
    ShowStationError(which, null, '');
    f.locator.value = r.locator;
    f.latitude.value = r.latitude;
    f.longitude.value = r.longitude;
    f.height.value = r.height;
    state.texts[which] = r.station ? {locator: r.fromLocator ? r.locator : '', latitude: r.latitude,
                                      longitude: r.longitude, height: r.height} : null;
    return r;
  }
  // Checks what is typed (in the locator, or in the coordinates) and takes it when valid.
  function CheckStation(which, fromLocator, texts) {
    const f = Fields(which);
    const t = texts || {locator: f.locator.value, latitude: f.latitude.value,
                        longitude: f.longitude.value, height: f.height.value};
    return ShowStation(which, Call('vs_set_station', which === 'dx' ? 1 : 0, fromLocator ? 1 : 0,
                                   t.locator, t.latitude, t.longitude, t.height));
  }
  function WireStation(which) {
    const f = Fields(which);
    let pending = null, locatorEdited = false;
    const evaluate = () => {
      clearTimeout(pending);
      pending = null;
      if (CheckStation(which, locatorEdited).ok) {
        Store(which, state.texts[which] ? JSON.stringify(state.texts[which]) : null);
        InputsChanged();
      }
    };
    for (const [name, input] of Object.entries(f)) {
      input.setAttribute('aria-label', `${which} ${name}`);
      input.addEventListener('input', () => {
        // A height changed under a typed locator keeps the locator's cell.
        locatorEdited = name === 'locator' ||
                        (name === 'height' && state.texts[which] && state.texts[which].locator !== '');
        clearTimeout(pending);
        pending = setTimeout(evaluate, kTypingPauseMs);
      });
      input.addEventListener('change', () => { if (pending) evaluate(); });
      input.addEventListener('keydown', (e) => { if (e.key === 'Enter' && pending) evaluate(); });
    }
  }

  // --- band, model ---------------------------------------------------------------------
  function SetBand(mhz, fromStorageOrLink) {
    const r = Call('vs_set_band', String(mhz));
    if (!r.ok) {
      if (!fromStorageOrLink) {
        $('band-error').textContent = r.message;
        $('band-error').hidden = false;
        $('custom-band').setAttribute('aria-invalid', 'true');
      }
      return r;
    }
    $('band-error').hidden = true;
    $('custom-band').setAttribute('aria-invalid', 'false');
    state.band = r.mhz;
    const listed = kBandsMhz.includes(r.mhz);
    $('band').value = listed ? r.mhz : 'custom';
    $('custom-band').disabled = listed;
    $('custom-band').value = r.mhz;
    return r;
  }
  function WireBand() {
    for (const mhz of kBandsMhz) $('band').add(new Option(`${mhz} MHz`, mhz));
    $('band').add(new Option('Custom', 'custom'));
    $('band').addEventListener('change', () => {
      const custom = $('band').value === 'custom';
      $('custom-band').disabled = !custom;
      if (!custom && SetBand($('band').value).ok) BandChanged();
      if (custom) $('custom-band').focus();
    });
    const custom = () => {
      if (SetBand($('custom-band').value).ok) BandChanged();
    };
    $('custom-band').addEventListener('change', custom);
    $('custom-band').addEventListener('keydown', (e) => { if (e.key === 'Enter') custom(); });
  }
  function BandChanged() {
    Store('band', state.band);
    InputsChanged();
  }
  function WireModel() {
    $('moon').addEventListener('change', () => {
      Call('vs_set_moon', $('moon').value === 'meeus' ? 1 : 0);
      Store('moon', $('moon').value);
      InputsChanged();
    });
    $('eop-file').addEventListener('change', async () => {
      const file = $('eop-file').files[0];
      if (!file) return;
      const text = await file.text();
      const r = Call('vs_set_eop', file.name, text);
      if (!r.ok) {
        $('eop-error').textContent = r.message;
        $('eop-error').hidden = false;
        return;
      }
      $('eop-error').hidden = true;
      $('eop-text').textContent = r.text;
      Store('eop', Call('vs_eop_stored'));
      InputsChanged();
    });
    $('no-eop').addEventListener('click', () => {
      $('eop-text').textContent = Call('vs_set_eop', '', '').text;
      $('eop-error').hidden = true;
      Store('eop', null);
      InputsChanged();
    });
  }

  // --- time ---------------------------------------------------------------------------
  function SetLive(live) {
    state.live = live;
    $('live').checked = live;
    $('chosen').checked = !live;
    if (live) Stop();
    else state.chosenMs = state.shownMs;
    Refresh(true);
  }
  function Choose(ms, announce = true) {
    state.chosenMs = ms;
    if (state.live) {
      state.live = false;
      $('live').checked = false;
      $('chosen').checked = true;
    }
    Refresh(announce);
  }
  function Stop() {
    if (player) clearInterval(player);
    player = null;
    state.playing = false;
    $('play').textContent = 'Play the day';
    $('play').setAttribute('aria-pressed', 'false');
  }
  function WireTime() {
    $('live').addEventListener('change', () => SetLive(true));
    $('chosen').addEventListener('change', () => SetLive(false));
    const typed = () => {
      const r = Call('vs_parse_utc', $('date-time').value);
      $('time-error').hidden = r.ok;
      $('date-time').setAttribute('aria-invalid', r.ok ? 'false' : 'true');
      if (!r.ok) {
        $('time-error').textContent = r.message;
        return;
      }
      Choose(r.ms);
    };
    $('date-time').addEventListener('change', typed);
    $('date-time').addEventListener('keydown', (e) => { if (e.key === 'Enter') typed(); });
    $('day-slider').addEventListener('input', () => {
      Choose(state.dayMs + Number($('day-slider').value) * 1000, false);
    });
    $('day-slider').addEventListener('change', () => Announce());
    $('play').addEventListener('click', () => {
      if (state.playing) {
        Stop();
        Announce();
        return;
      }
      if (state.live) Choose(state.shownMs, false);
      const start = Call('vs_play', state.shownMs, 0, 1).ms;
      if (start !== state.shownMs) Choose(start, false);
      state.playing = true;
      $('play').textContent = 'Pause the day';
      $('play').setAttribute('aria-pressed', 'true');
      player = setInterval(() => {
        const step = Call('vs_play', state.shownMs, Number($('speed').value), 0);
        Choose(step.ms, false);
        if (step.last) Stop();
      }, 40);
    });
    // Live: the readouts move on as each new second begins.
    setInterval(() => {
      if (state.live && Call('vs_shown', 1, 0, Date.now()).ms !== state.shownMs) Refresh(false);
    }, 200);
  }

  // --- what is shown ------------------------------------------------------------------
  function BuildReadouts() {
    const body = $('readouts').tBodies[0];
    for (const [caption, keys] of kReadouts) {
      const row = body.insertRow();
      const th = document.createElement('th');
      th.scope = 'row';
      th.textContent = caption;
      th.style.textAlign = 'left';
      row.appendChild(th);
      for (const key of keys) {
        const cell = row.insertCell();
        cell.className = 'vs-value';
        cell.dataset.readout = key;
      }
    }
  }
  function Announce() {
    const cell = (k) => document.querySelector(`[data-readout="${k}"]`).textContent;
    $('announce').textContent = `${$('shown-time').textContent}: elevation ${cell('elevation_deg')}, ` +
        `azimuth ${cell('azimuth_deg')}, echo shift ${cell('self_doppler_hz')}.`;
  }
  function InputsChanged() {
    state.plotStale = true;
    Refresh(true);
  }
  function Refresh(announce) {
    const shown = Call('vs_shown', state.live ? 1 : 0, state.chosenMs, Date.now());
    state.shownMs = shown.ms;
    const r = Call('vs_readouts', shown.ms);
    for (const cell of document.querySelectorAll('[data-readout]')) {
      const text = r[cell.dataset.readout];
      if (cell.textContent !== text) cell.textContent = text;
    }
    $('moon-used').textContent = r.moonUsed;
    $('shown-time').textContent = shown.utc;
    if (document.activeElement !== $('date-time')) $('date-time').value = shown.utc;
    $('day-slider').value = shown.secondOfDay;
    $('day-slider').setAttribute('aria-valuetext', shown.utc.substring(11, 19) + ' UTC');
    if (state.plotStale || shown.dayMs !== state.dayMs) Replot(shown.dayMs);
    state.dayMs = shown.dayMs;
    if (plot) plot.redraw(false, false);
    if (announce) Announce();
  }

  // The shades under the curves and the cursor over them, drawn on uPlot's canvas.
  function DrawShades(u) {
    if (!day) return;
    const ctx = u.ctx, top = u.bbox.top, height = u.bbox.height;
    const shade = (list, colour) => {
      ctx.fillStyle = colour;
      for (const [a, b] of list) {
        const x0 = u.valToPos(a / 1000, 'x', true), x1 = u.valToPos(b / 1000, 'x', true);
        ctx.fillRect(x0, top, x1 - x0, height);
      }
    };
    ctx.save();
    shade(day.below, 'rgba(120,120,120,0.27)');
    if (day.dx.length) {
      shade(day.dxBelow, 'rgba(70,110,200,0.2)');
      shade(day.mutual, 'rgba(40,170,60,0.22)');
    }
    ctx.restore();
  }
  function DrawCursor(u) {
    const x = u.valToPos(state.shownMs / 1000, 'x', true);
    const ctx = u.ctx;
    ctx.save();
    ctx.strokeStyle = 'rgb(200,0,0)';
    ctx.setLineDash([5, 3]);
    ctx.lineWidth = 1.2 * devicePixelRatio;
    ctx.beginPath();
    ctx.moveTo(x, u.bbox.top);
    ctx.lineTo(x, u.bbox.top + u.bbox.height);
    ctx.stroke();
    ctx.restore();
  }
  // A finger or the mouse on the plot chooses the time under it, as the day slider does: the
  // cursor and the readouts follow a finger drawn along the curves. Up and down, a finger
  // still scrolls the page (the plot leaves vertical panning to the browser, page.css): a
  // touch chooses once it has moved sideways or when it is lifted, and one that turns into a
  // scroll is cancelled by the browser before it has chosen anything.
  function WirePlotPointer() {
    const over = plot.over;
    let held = null;  // the pointer down on the plot: its id, where it went down, whether it chose
    const choose = (e) => {
      const x = plot.scales.x;
      const s = plot.posToVal(e.clientX - over.getBoundingClientRect().left, 'x');
      // Whole minutes, as the plot's points, within the day drawn: a finger at its right
      // edge keeps the day's last minute, so the day stays under the finger.
      held.chose = true;
      Choose(Math.min(Math.max(Math.round(s / 60) * 60, x.min), x.max - 60) * 1000, false);
    };
    over.addEventListener('pointerdown', (e) => {
      if (e.button !== 0) return;
      held = {id: e.pointerId, x: e.clientX, chose: false};
      if (e.pointerType === 'touch') return;
      over.setPointerCapture(e.pointerId);
      choose(e);
    });
    over.addEventListener('pointermove', (e) => {
      if (held?.id === e.pointerId && (held.chose || Math.abs(e.clientX - held.x) >= 8)) choose(e);
    });
    over.addEventListener('pointerup', (e) => {
      if (held?.id !== e.pointerId) return;
      choose(e);
      held = null;
      Announce();
    });
    over.addEventListener('pointercancel', () => { held = null; });
  }
  function Replot(dayMs) {
    state.plotStale = false;
    day = Call('vs_day', dayMs);
    const xs = day.self.map((_, i) => day.start / 1000 + i * 60);
    const data = [xs, day.self, day.radial, day.parallax, day.rotation,
                  day.dx.length ? day.dx : xs.map(() => null)];
    $('plot-description').textContent = day.description;
    $('passes').textContent = day.passes;
    const width = Math.max(320, $('plot').clientWidth || 640);
    if (!plot) {
      const line = (label, stroke, width = 1.4) => ({label, stroke, width});
      plot = new uPlot({
        width, height: 340,
        legend: {live: false},
        cursor: {show: false},
        scales: {x: {time: true}, y: {range: () => [day.low, day.high]}},
        axes: [{label: 'Time (UTC)', values: '{HH}:{mm}'}, {label: 'Shift (Hz)', size: 70}],
        tzDate: (ts) => uPlot.tzDate(new Date(ts * 1000), 'Etc/UTC'),
        series: [{}, line('Echo shift', 'rgb(20,20,20)', 2.2), line('Radial share', 'rgb(0,140,70)'),
                 line('Parallax share', 'rgb(200,120,0)'), line('Rotation share', 'rgb(30,90,200)'),
                 line('DX shift', 'rgb(190,30,140)')],
        hooks: {drawClear: [DrawShades], draw: [DrawCursor]},
      }, data, $('plot'));
      WirePlotPointer();
      // The plot follows the page's width, as the window's plot follows the window's.
      new ResizeObserver(() => {
        const w = Math.max(320, $('plot').clientWidth);
        if (w !== plot.width) plot.setSize({width: w, height: 340});
      }).observe($('plot'));
    } else {
      plot.setData(data);
    }
    plot.setSeries(5, {show: day.dx.length > 0});
  }

  // --- links and start-up -------------------------------------------------------------
  function LinkHash() {
    const p = [];
    const put = (t, loc, lat, lon, h) => {
      if (!t) return;
      if (t.locator) p.push(`${loc}=${encodeURIComponent(t.locator)}`);
      else p.push(`${lat}=${encodeURIComponent(t.latitude)}`, `${lon}=${encodeURIComponent(t.longitude)}`);
      if (t.height !== '') p.push(`${h}=${encodeURIComponent(t.height)}`);
    };
    put(state.texts.station, 'loc', 'lat', 'lon', 'h');
    put(state.texts.dx, 'dx', 'dxlat', 'dxlon', 'dxh');
    p.push(`band=${encodeURIComponent(state.band)}`);
    if (!state.live) p.push(`t=${encodeURIComponent(Call('vs_shown', 0, state.shownMs, 0).utc)}`);
    return '#' + p.join('&');
  }
  // A station from a link or from storage: taken when valid, else the default stays.
  function Restore(which, t, whence) {
    if (!t) return;
    const text = (v) => (typeof v === 'string' ? v : '');
    const r = Call('vs_stored_station', which === 'dx' ? 1 : 0, text(t.locator), text(t.latitude),
                   text(t.longitude), text(t.height));
    if (r.ok) {
      ShowStation(which, r);
    } else if (whence) {
      Notice(`${whence} ${r.message} The ${which === 'dx' ? 'DX station' : 'station'} keeps its default.`);
    }
  }
  function FromStorage(key) {
    try {
      const v = JSON.parse(Stored(key));
      return v && typeof v === 'object' ? v : null;
    } catch (e) {
      return null;
    }
  }
  function Start() {
    try {
      storage = window.localStorage;
      storage.getItem(kPrefix + 'band');
    } catch (e) {
      storage = null;
      Notice('This browser keeps no settings for this page: it runs on the defaults.');
    }
    BuildReadouts();
    WireStation('station');
    WireStation('dx');
    WireBand();
    WireModel();
    WireTime();
    CheckStation('station', false, {locator: '', latitude: '49.2', longitude: '0', height: ''});
    // Storage first; a link's values take precedence.
    Restore('station', FromStorage('station'), null);
    Restore('dx', FromStorage('dx'), null);
    if (!SetBand(Stored('band') || kDefaultBand, true).ok) SetBand(kDefaultBand, true);
    if (Stored('moon') === 'meeus') {
      $('moon').value = 'meeus';
      Call('vs_set_moon', 1);
    }
    // The EOP data as parsed values; corrupt ones give none.
    $('eop-text').textContent = Call('vs_set_eop_stored', Stored('eop') || '').text;

    const link = new URLSearchParams(location.hash.replace(/^#/, ''));
    const from = (...keys) => (keys.slice(0, 3).some((k) => link.has(k))
        ? {locator: link.get(keys[0]) || '', latitude: link.get(keys[1]) || '',
           longitude: link.get(keys[2]) || '', height: link.get(keys[3]) || ''} : null);
    // A refused station is named by the link's own values.
    const named = (...keys) => 'Link: ' + keys.filter((k) => link.has(k))
        .map((k) => `${k}=${link.get(k)}`).join('&') + ':';
    Restore('station', from('loc', 'lat', 'lon', 'h'), named('loc', 'lat', 'lon', 'h'));
    Restore('dx', from('dx', 'dxlat', 'dxlon', 'dxh'), named('dx', 'dxlat', 'dxlon', 'dxh'));
    if (link.has('band')) {
      const r = SetBand(link.get('band'), true);
      if (!r.ok) Notice(`Link: band=${link.get('band')}: ${r.message} The band keeps ${state.band} MHz.`);
    }
    if (link.has('t')) {
      const r = Call('vs_parse_utc', link.get('t'));
      if (r.ok) {
        state.live = false;
        state.chosenMs = r.ms;
        $('chosen').checked = true;
      } else {
        Notice(`Link: t=${link.get('t')}: ${r.message} The page follows the clock.`);
      }
    }
    $('copy-link').addEventListener('click', async () => {
      const url = location.href.replace(/#.*$/, '') + LinkHash();
      $('link').textContent = url;
      try {
        await navigator.clipboard.writeText(url);
        $('link').textContent = 'Copied: ' + url;
      } catch (e) {
        // Without the clipboard the link stays shown, to be copied by hand.
      }
    });
    $('download-csv').addEventListener('click', () => {
      const csv = Call('vs_csv', state.dayMs);
      const a = document.createElement('a');
      a.href = URL.createObjectURL(new Blob([csv], {type: 'text/csv'}));
      a.download = `vornak-sky-${Call('vs_shown', 0, state.dayMs, 0).day}.csv`;
      a.click();
      setTimeout(() => URL.revokeObjectURL(a.href), 1000);
    });
    Refresh(false);
    document.documentElement.dataset.state = 'ready';
  }

  VornakSkyModule().then((module) => {
    api = module;
    Start();
  }, (e) => {
    document.documentElement.dataset.state = 'failed';
    Notice('The page could not start: ' + e);
  });
})();
