'use strict';
// player.js under Node on the smallest fake page that lets it run: the panel's
// tune buttons play what the reader's tune commands play, and a tune goes on
// across pages, across a page the browser brings back for Back, and after a
// refused start once the reader does something.
const assert = require('assert');
const fs = require('fs');
const vm = require('vm');

const source = fs.readFileSync(process.argv[2], 'utf8');

class Target {
  constructor() { this.handlers = {}; }
  addEventListener(type, fn, options) {
    (this.handlers[type] = this.handlers[type] || []).push({ fn, once: options && options.once });
  }
  removeEventListener(type, fn) {
    this.handlers[type] = (this.handlers[type] || []).filter(h => h.fn !== fn);
  }
  fire(type, event = {}) {
    for (const h of (this.handlers[type] || []).slice()) {
      if (h.once) this.removeEventListener(type, h.fn);
      h.fn(Object.assign({ type, target: this, preventDefault() {} }, event));
    }
  }
}

// Matches "#id", "[name]", '[name="value"]' and comma lists of them.
class Element extends Target {
  constructor(attributes = {}, parentNode = null) {
    super();
    Object.assign(this, { attributes, parentNode, textContent: '' });
  }
  getAttribute(name) { return name in this.attributes ? this.attributes[name] : null; }
  hasAttribute(name) { return name in this.attributes; }
  setAttribute(name, value) { this.attributes[name] = String(value); }
  matches(selector) {
    return selector.split(',').some(one => {
      const [, id, name, value] = one.trim().match(/^(?:#([\w-]+)|\[([\w-]+)(?:="([^"]*)")?\])$/);
      if (id) return this.attributes.id === id;
      return this.hasAttribute(name) && (value === undefined || this.attributes[name] === value);
    });
  }
  closest(selector) {
    for (let e = this; e; e = e.parentNode) if (e.matches(selector)) return e;
    return null;
  }
}

// Loading a source starts it over; metadata comes with the first play of it.
class FakeAudio extends Target {
  constructor(blocked) {
    super();
    Object.assign(this, { blocked, paused: true, ended: false, currentTime: 0, source: '' });
  }
  get src() { return this.source; }
  set src(value) { this.source = value; this.currentTime = 0; this.meta = false; }
  removeAttribute() { this.src = ''; }
  load() {}
  play() {
    if (this.blocked) return Promise.reject(new Error('NotAllowedError'));
    Object.assign(this, { paused: false, ended: false });
    if (!this.meta) { this.meta = true; this.fire('loadedmetadata'); }
    this.fire('play');
    return Promise.resolve();
  }
  pause() { if (!this.paused) { this.paused = true; this.fire('pause'); } }
  end() { Object.assign(this, { paused: true, ended: true }); this.fire('pause'); this.fire('ended'); }
}

const TUNES = [['L0', 'A', 'DATA/msx/a.xm', true], ['L1', 'B', 'DATA/msx/b.xm', true],
               ['L2', 'C', 'DATA/msx/c.mod', true], ['T3', 'D', 'DATA/msx/d.xm', false]];

function page(storage, blocked = false) {
  const nav = new Element({ id: 'player', 'data-root': '../' });
  const groups = [new Element({ 'data-list': '' }, nav), new Element({}, nav)];
  const options = TUNES.map(([value, title, member, listed]) => {
    const src = 'music/' + member.slice(9).replace('.', '_') + '.ogg';
    const o = new Element({ 'data-member': member, 'data-src': src }, groups[listed ? 0 : 1]);
    return Object.assign(o, { value, textContent: title });
  });
  const select = Object.assign(new Element({}, nav), { options, selectedIndex: 0 });
  Object.defineProperty(select, 'value', { set(v) { this.selectedIndex = options.findIndex(o => o.value === v); } });
  const parts = { select, '.now': new Element({}, nav), '[data-do="play"]': new Element({ 'data-do': 'play' }, nav) };
  nav.querySelector = selector => parts[selector];
  const document = Object.assign(new Target(), { getElementById: id => (id === 'player' ? nav : null) });
  const p = { document, window: new Target(), now: parts['.now'], playButton: parts['[data-do="play"]'] };
  p.click = target => document.fire('click', { target });
  const Audio = function () { p.audio = new FakeAudio(blocked); return p.audio; };
  vm.runInNewContext(source, { document, window: p.window, sessionStorage: storage, Audio });
  return p;
}

const button = attributes => new Element(Object.assign({ href: '#' }, attributes));
const tune = n => button({ 'data-do': 'tune', 'data-entry': String(n) });
const playing = (p, file, title) => {
  assert.strictEqual(p.audio.src, '../music/' + file + '.ogg');
  assert.strictEqual(p.audio.paused, false, file + ' plays');
  assert.strictEqual(p.now.textContent, title);
};

(async () => {
  const store = new Map();
  const storage = { getItem: k => (store.has(k) ? store.get(k) : null), setItem: (k, v) => store.set(k, v) };
  const one = page(storage);
  assert.strictEqual(one.audio.src, '', 'nothing sounds before the reader asks');
  one.click(tune(1));
  playing(one, 'b_xm', 'B');
  one.audio.currentTime = 5;
  one.click(tune(4));  // wraps around the list, and the tune that plays goes on
  assert.strictEqual(one.audio.currentTime, 5);
  for (const [step, file] of [['next', 'c_mod'], ['next', 'a_xm'], ['prev', 'c_mod']]) {
    one.click(button({ 'data-do': step }));
    playing(one, file, file.charAt(0).toUpperCase());
  }
  one.click(button({ 'data-do': 'playlist' }));
  playing(one, 'a_xm', 'A');
  one.audio.end();
  playing(one, 'b_xm', 'B');
  one.click(button({ 'data-do': 'silence' }));
  assert.strictEqual(one.audio.src, '');
  assert.strictEqual(one.playButton.getAttribute('aria-pressed'), 'false');
  one.click(new Element({ href: '#', 'data-tune': 'DATA\\MSX\\D.XM' }));
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
  one.audio.fire('pause');  // the browser's late word of its own pause
  playing(one, 'd_xm', 'D');
  assert.strictEqual(one.audio.currentTime, 50);
  assert.strictEqual(JSON.parse(store.get('diskmag-player')).playing, true, 'the next page plays');

  // Refused at first: the reader's next click elsewhere starts it.
  one.window.fire('pagehide', { persisted: false });
  const three = page(storage, true);
  await new Promise(resolve => setImmediate(resolve));
  three.audio.blocked = false;
  three.document.fire('pointerdown', { target: new Element() });
  playing(three, 'd_xm', 'D');
  three.click(button({ 'data-do': 'silence' }));
  three.window.fire('pagehide', { persisted: true });
  one.window.fire('pageshow', { persisted: true });
  assert.strictEqual(one.audio.src, '', 'silence holds on the page brought back');
  console.log('player.js: tune buttons, list steps, silence and the way back all hold');
})().catch(error => { console.error(error); process.exit(1); });
