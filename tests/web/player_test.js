'use strict';
// player.js under Node on the smallest fake page that lets it run: the panel's
// tune buttons play what the reader's tune commands play, and a tune goes on
// across pages and across a page the browser brings back for Back.
const assert = require('assert');
const source = require('fs').readFileSync(process.argv[2], 'utf8');

class Target {
  constructor(attributes = {}, parentNode = null) { Object.assign(this, { attributes, parentNode, on: {} }); }
  addEventListener(type, fn, options) {
    (this.on[type] = this.on[type] || []).push({ fn, once: options && options.once });
  }
  removeEventListener(type, fn) { this.on[type] = (this.on[type] || []).filter(h => h.fn !== fn); }
  fire(type, event = {}) {
    for (const h of (this.on[type] || []).slice()) {
      if (h.once) this.removeEventListener(type, h.fn);
      h.fn(Object.assign({ type, target: this, preventDefault() {} }, event));
    }
  }
  getAttribute(name) { return name in this.attributes ? this.attributes[name] : null; }
  hasAttribute(name) { return name in this.attributes; }
  setAttribute(name, value) { this.attributes[name] = String(value); }
  // "#id", "[name]", '[name="value"]' and comma lists of them.
  closest(selector) {
    const matches = e => selector.split(',').some(one => {
      const [, id, name, value] = one.trim().match(/^(?:#([\w-]+)|\[([\w-]+)(?:="([^"]*)")?\])$/);
      if (id) return e.attributes.id === id;
      return e.hasAttribute(name) && (value === undefined || e.attributes[name] === value);
    });
    for (let e = this; e; e = e.parentNode) if (matches(e)) return e;
    return null;
  }
}

// Loading a source starts it over; metadata comes with its first play.
class FakeAudio extends Target {
  get src() { return this.source || ''; }
  set src(value) { Object.assign(this, { source: value, currentTime: 0, meta: false }); }
  removeAttribute() { this.src = ''; }
  load() {}
  play() {
    this.paused = false;
    if (!this.meta) { this.meta = true; this.fire('loadedmetadata'); }
    this.fire('play');
    return Promise.resolve();
  }
  pause() { if (!this.paused) { this.paused = true; this.fire('pause'); } }
  end() { this.paused = true; this.fire('pause'); this.fire('ended'); }
}

const TUNES = [['L0', 'A', 'a.xm', 0], ['L1', 'B', 'b.xm', 0], ['L2', 'C', 'c.mod', 0],
  ['T3', 'D', 'd.xm', 1]];

function page(storage) {
  const nav = new Target({ id: 'player', 'data-root': '../' });
  const groups = [new Target({ 'data-list': '' }, nav), new Target({}, nav)];
  const options = TUNES.map(([value, textContent, file, group]) => Object.assign(new Target(
    { 'data-member': 'DATA/msx/' + file, 'data-src': 'music/' + file.replace('.', '_') + '.ogg' },
    groups[group]),
  { value, textContent }));
  const select = Object.assign(new Target({}, nav), { options, selectedIndex: 0 });
  const choose = v => { select.selectedIndex = options.findIndex(o => o.value === v); };
  Object.defineProperty(select, 'value', { set: choose });
  const p = { document: new Target(), window: new Target(), now: new Target(), playButton: new Target() };
  const parts = { select, '.now': p.now, '[data-do="play"]': p.playButton };
  nav.querySelector = selector => parts[selector];
  p.document.getElementById = id => (id === 'player' ? nav : null);
  p.click = target => p.document.fire('click', { target });
  const Audio = function () { return (p.audio = Object.assign(new FakeAudio(), { paused: true })); };
  const context = { document: p.document, window: p.window, sessionStorage: storage, Audio };
  require('vm').runInNewContext(source, context);
  return p;
}

const button = (action, entry) => new Target({ href: '#', 'data-do': action, 'data-entry': String(entry) });
const playing = (p, file, title) => {
  const state = [p.audio.src, p.audio.paused, p.now.textContent];
  assert.deepStrictEqual(state, ['../music/' + file + '.ogg', false, title]);
};

{
  const store = new Map();
  const storage = { getItem: k => (store.has(k) ? store.get(k) : null), setItem: (k, v) => store.set(k, v) };
  const one = page(storage);
  assert.strictEqual(one.audio.src, '', 'nothing sounds before the reader asks');
  one.click(button('tune', 1));
  playing(one, 'b_xm', 'B');
  one.audio.currentTime = 5;
  one.click(button('tune', 4));  // wraps around the list, and the tune that plays goes on
  assert.strictEqual(one.audio.currentTime, 5);
  for (const [step, file, title] of [['next', 'c_mod', 'C'], ['next', 'a_xm', 'A'], ['prev', 'c_mod', 'C'],
    ['playlist', 'a_xm', 'A']]) {
    one.click(button(step));
    playing(one, file, title);
  }
  one.audio.end();
  playing(one, 'b_xm', 'B');
  one.click(button('silence'));
  assert.deepStrictEqual([one.audio.src, one.playButton.getAttribute('aria-pressed')], ['', 'false']);
  one.click(new Target({ href: '#', 'data-tune': 'DATA\\MSX\\D.XM' }));
  playing(one, 'd_xm', 'D');

  // A link away: Chrome pauses the page it keeps for Back, before its pagehide.
  one.audio.currentTime = 42;
  one.audio.pause();
  one.window.fire('pagehide', { persisted: true });
  const two = page(storage);
  playing(two, 'd_xm', 'D');
  assert.strictEqual(two.audio.currentTime, 42);
  two.audio.currentTime = 50;
  two.audio.fire('timeupdate');
  // Back: the kept page shows before the page left hides, itself paused.
  one.window.fire('pageshow', { persisted: true });
  two.audio.pause();
  two.window.fire('pagehide', { persisted: true });
  playing(one, 'd_xm', 'D');
  assert.strictEqual(one.audio.currentTime, 50);
  assert.strictEqual(JSON.parse(store.get('diskmag-player')).playing, true, 'the next page plays');

  const three = page(storage);
  playing(three, 'd_xm', 'D');
  three.click(button('silence'));
  three.window.fire('pagehide', { persisted: true });
  one.window.fire('pageshow', { persisted: true });
  assert.strictEqual(one.audio.src, '', 'silence holds on the page brought back');
  console.log('player.js: tune buttons, list steps, silence and the way back all hold');
}
