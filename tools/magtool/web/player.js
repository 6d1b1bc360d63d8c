'use strict';
// Nothing sounds before the reader asks: a tune starts from a click on the
// player, on a panel's tune button or on an element with data-tune, and one
// that played on the last page goes on from where it was, once the browser
// lets it (at the latest on the reader's next click or key).
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
  let waiting = false; // a gesture is awaited to start the tune
  // Whether the reader wants the tune to sound: the browser pauses a page it
  // keeps for Back, even before its pagehide, and that pause is not the reader's.
  let wanted = false;
  let startAt = 0;     // where a tune just loaded starts, once it can seek

  // Saved as the tune goes, and on the reader's actions and when the page
  // goes: a page brought back for Back may show before the last one hides.
  function save() {
    try {
      sessionStorage.setItem(STORE, JSON.stringify({
        value: current ? current.value : null, time: startAt || audio.currentTime || 0,
        playing: !!current && wanted, listMode: listMode,
      }));
    } catch (e) { /* storage refused: the next page starts silent */ }
  }

  function show() {
    now.textContent = current ? current.textContent : '';
    const playing = !!current && !audio.paused;
    playButton.textContent = playing ? '\u275A\u275A' : '\u25B6';
    playButton.setAttribute('aria-pressed', playing ? 'true' : 'false');
  }

  function unpause() {
    wanted = true;
    audio.play().catch(() => {});
  }

  // A tune of the list also moves the list's position, so that next and
  // previous step from the tune the reader sees chosen.
  function load(option, at) {
    current = option;
    if (list.indexOf(option) >= 0) index = list.indexOf(option);
    select.value = option.value;
    audio.src = root + option.getAttribute('data-src');
    startAt = at;
    if (at > 0) {
      audio.addEventListener('loadedmetadata', () => {
        audio.currentTime = at;
        startAt = 0;
      }, { once: true });
    }
    show();
  }

  // Asking for the tune that plays leaves it playing, as in the reader.
  function play(option) {
    if (current && current.getAttribute('data-src') === option.getAttribute('data-src')) {
      current = option;
      select.value = option.value;
      if (audio.paused) unpause();
      return;
    }
    load(option, 0);
    unpause();
  }

  function stop() {
    current = null;
    wanted = false;
    audio.pause();
    audio.removeAttribute('src');
    audio.load();
    show();
  }

  // Entry i of the list, wrapped around it as the reader's tune commands wrap.
  function playEntry(i) {
    if (list.length === 0) return;
    index = ((i % list.length) + list.length) % list.length;
    play(list[index]);
  }

  function playName(name) {
    listMode = name === '+PLIST';
    if (name === '+SILENCE') return stop();
    if (listMode) return playEntry(0);
    const option = byKey.get(key(name));
    if (option) play(option);
  }

  // The panel's buttons and the player's own, by their data-do.
  const commands = {
    prev: () => { listMode = false; playEntry(index - 1); },
    next: () => { listMode = false; playEntry(index + 1); },
    tune: element => { listMode = false; playEntry(Number(element.getAttribute('data-entry'))); },
    silence: () => playName('+SILENCE'),
    playlist: () => playName('+PLIST'),
    play: () => {
      const chosen = options[select.selectedIndex];
      if (!current) {
        if (!chosen) return;
        listMode = list.indexOf(chosen) >= 0;
        play(chosen);
      } else if (audio.paused) {
        unpause();
      } else {
        wanted = false;
        audio.pause();
      }
    },
  };

  // A link that leads elsewhere still leads there: the tune goes on on the next page.
  document.addEventListener('click', event => {
    const element = event.target.closest('[data-do], [data-tune]');
    if (!element) return;
    const href = element.getAttribute('href');
    if (!href || href.charAt(0) === '#') event.preventDefault();
    if (element.hasAttribute('data-tune')) {
      playName(element.getAttribute('data-tune'));
    } else {
      const command = commands[element.getAttribute('data-do')];
      if (!command) return;
      command(element);
    }
    save();
  });

  select.addEventListener('change', () => {
    const option = options[select.selectedIndex];
    listMode = list.indexOf(option) >= 0;
    play(option);
    save();
  });

  // The reader forgets the tune that ended, so that a list of one plays again.
  audio.addEventListener('ended', () => {
    if (!listMode) {
      wanted = false;
      return show();
    }
    current = null;
    playEntry(index + 1);
  });
  ['play', 'pause'].forEach(type => audio.addEventListener(type, show));
  audio.addEventListener('timeupdate', save);
  window.addEventListener('pagehide', save);

  // Blocked until the reader does something; a click on the player or a
  // tune decides for itself.
  function awaitGesture() {
    if (waiting) return;
    waiting = true;
    const gestures = ['pointerdown', 'keydown'];
    const gesture = event => {
      gestures.forEach(type => document.removeEventListener(type, gesture, true));
      waiting = false;
      if (!event.target.closest || !event.target.closest('#player, [data-tune], [data-do]')) {
        if (current && audio.paused) unpause();
      }
    };
    gestures.forEach(type => document.addEventListener(type, gesture, true));
  }

  function resume() {
    let saved = null;
    try { saved = JSON.parse(sessionStorage.getItem(STORE) || 'null'); } catch (e) { return; }
    const option = saved && options.find(o => o.value === saved.value);
    if (!option) {
      if (current) stop();
      return;
    }
    listMode = !!saved.listMode;
    load(option, Number(saved.time) || 0);
    wanted = !!saved.playing;
    if (!wanted) return;
    audio.play().catch(awaitGesture);
  }
  resume();
  // A page the browser kept for Back or Forward comes back paused, at the
  // time it was left: it takes up what the last page played, where it was.
  window.addEventListener('pageshow', event => { if (event.persisted) resume(); });
})();
