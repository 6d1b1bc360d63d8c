'use strict';
// Nothing sounds before the reader asks: a tune starts from a click on the
// player or on an element with data-tune, and one that played on the last
// page goes on from where it was, once the browser lets it (at the latest
// on the reader's next click or key).
(function () {
  const nav = document.getElementById('player');
  if (!nav) return;
  const STORE = 'diskmag-player';
  const root = nav.getAttribute('data-root') || '';
  const select = nav.querySelector('select');
  const now = nav.querySelector('.now');
  const playButton = nav.querySelector('[data-do="play"]');
  const options = Array.from(select.options);
  const list = options.filter(o => o.parentNode.hasAttribute('data-list'));
  const key = name => name.replace(/\\/g, '/').toLowerCase();
  const byKey = new Map();
  options.forEach(o => {
    const k = key(o.getAttribute('data-member'));
    if (!byKey.has(k)) byKey.set(k, o);
  });
  const audio = new Audio();
  audio.preload = 'none';
  let current = null;  // the option of the tune loaded
  let listMode = false;
  let index = 0;       // position in list

  function save() {
    try {
      sessionStorage.setItem(STORE, JSON.stringify({
        value: current ? current.value : null, time: audio.currentTime || 0,
        playing: !!current && !audio.paused && !audio.ended, listMode: listMode,
      }));
    } catch (e) { /* storage refused: the next page starts silent */ }
  }

  function show() {
    now.textContent = current ? current.textContent : '';
    const playing = !!current && !audio.paused;
    playButton.textContent = playing ? '\u275A\u275A' : '\u25B6';
    playButton.setAttribute('aria-pressed', playing ? 'true' : 'false');
  }

  // A tune of the list also moves the list's position, so that next and
  // previous step from the tune the reader sees chosen.
  function load(option, at) {
    current = option;
    if (list.indexOf(option) >= 0) index = list.indexOf(option);
    select.value = option.value;
    audio.src = root + option.getAttribute('data-src');
    if (at > 0) {
      audio.addEventListener('loadedmetadata', () => { audio.currentTime = at; }, { once: true });
    }
    show();
  }

  function start(option) {
    load(option, 0);
    return audio.play().catch(() => {});
  }

  function silence() {
    listMode = false;
    current = null;
    audio.pause();
    audio.removeAttribute('src');
    audio.load();
    show();
    save();
  }

  function playEntry(i) {
    if (list.length === 0) return;
    index = ((i % list.length) + list.length) % list.length;
    start(list[index]);
  }

  // Asking for the tune that plays leaves it playing.
  function playName(name) {
    if (name === '+SILENCE') return silence();
    if (name === '+PLIST') {
      playEntry(0);
      listMode = true;
      return;
    }
    const option = byKey.get(key(name));
    if (!option) return;
    listMode = false;
    if (option === current) {
      if (audio.paused) audio.play().catch(() => {});
      return;
    }
    start(option);
  }

  nav.addEventListener('click', event => {
    const button = event.target.closest('button[data-do]');
    if (!button) return;
    const action = button.getAttribute('data-do');
    if (action === 'prev') { listMode = false; playEntry(index - 1); }
    if (action === 'next') { listMode = false; playEntry(index + 1); }
    if (action === 'silence') silence();
    if (action === 'play') {
      if (!current) { select.dispatchEvent(new Event('change')); return; }
      if (audio.paused) audio.play().catch(() => {}); else audio.pause();
    }
  });

  select.addEventListener('change', () => {
    const option = select.options[select.selectedIndex];
    listMode = list.indexOf(option) >= 0;
    start(option);
  });

  // A link that leads elsewhere still leads there: the tune goes on on the next page.
  document.addEventListener('click', event => {
    const element = event.target.closest('[data-tune]');
    if (!element) return;
    const href = element.getAttribute('href');
    if (!href || href.charAt(0) === '#') event.preventDefault();
    playName(element.getAttribute('data-tune'));
    save();
  });

  audio.addEventListener('ended', () => {
    if (listMode) {
      playEntry(index + 1);
      listMode = true;
    } else {
      show();
    }
  });
  ['play', 'pause'].forEach(type => audio.addEventListener(type, () => { show(); save(); }));
  window.addEventListener('pagehide', save);

  function resume() {
    let saved = null;
    try { saved = JSON.parse(sessionStorage.getItem(STORE) || 'null'); } catch (e) { return; }
    if (!saved || saved.value === null) return;
    const option = options.find(o => o.value === saved.value);
    if (!option) return;
    listMode = !!saved.listMode;
    load(option, Number(saved.time) || 0);
    if (!saved.playing) return;
    audio.play().catch(() => {
      // Blocked until the reader does something; a click on the player or a
      // tune decides for itself.
      const gestures = ['pointerdown', 'keydown'];
      const gesture = event => {
        gestures.forEach(type => document.removeEventListener(type, gesture, true));
        if (!event.target.closest || !event.target.closest('#player, [data-tune]')) {
          audio.play().catch(() => {});
        }
      };
      gestures.forEach(type => document.addEventListener(type, gesture, true));
    });
  }
  resume();
})();
