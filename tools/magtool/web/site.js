// The panel chosen by a "PAN:" link holds for the whole visit; the frame's
// buttons scroll or go back; the bar follows the reading position; the
// cover's Enter button reveals the page once per visit. The page keys move by
// what shows between the strips less a line, so that no line is skipped, and
// the arrows by a line; focus and anchors stay clear of the strips.
(function () {
  var store = sessionStorage, body = document.body, root = document.documentElement;
  if (store.getItem('panel') !== null) body.className = 'p' + store.getItem('panel');
  var header = document.querySelector('header'), footer = document.querySelector('footer');
  var art = document.querySelector('.art');
  function line() {
    return (art && parseFloat(getComputedStyle(art).getPropertyValue('--line'))) || 20;
  }
  function page() {
    return Math.max(line(), innerHeight - header.offsetHeight - footer.offsetHeight - line());
  }
  var steps = {
    pageup: function () { return -page(); }, pagedown: page,
    lineup: function () { return -line(); }, linedown: line
  };
  document.addEventListener('click', function (e) {
    var a = e.target.closest('a');
    if (!a) return;
    if (a.dataset.panel !== undefined) {
      body.className = 'p' + a.dataset.panel;
      store.setItem('panel', a.dataset.panel);
      frame();
    }
    if (a.dataset.cmd === 'back') history.back();
    if (steps[a.dataset.cmd]) scrollBy(0, steps[a.dataset.cmd]());
    if (a.getAttribute('href') === '#') e.preventDefault();
  });
  var keys = {PageDown: 'pagedown', PageUp: 'pageup', ArrowDown: 'linedown', ArrowUp: 'lineup'};
  document.addEventListener('keydown', function (e) {
    if (e.defaultPrevented || e.altKey || e.ctrlKey || e.metaKey) return;
    if (e.target.closest && e.target.closest('input,select,textarea,button,[contenteditable]')) return;
    var step = e.key === ' ' ? (e.shiftKey ? 'pageup' : 'pagedown') : keys[e.key];
    if (!step) return;
    e.preventDefault();
    scrollBy(0, steps[step]());
  });
  function progress() {
    var room = root.scrollHeight - innerHeight;
    var p = room > 0 ? scrollY / room : 1;
    document.querySelectorAll('.bar').forEach(function (bar) {
      bar.style.backgroundPositionX = ((1 - p) * 100) + '%';
    });
  }
  function frame() {
    root.style.scrollPaddingTop = header.offsetHeight + 'px';
    root.style.scrollPaddingBottom = footer.offsetHeight + 'px';
    progress();
  }
  addEventListener('scroll', progress);
  addEventListener('resize', frame);
  frame();
  var enter = document.getElementById('enter');
  if (enter) enter.addEventListener('click', function () {
    store.setItem('entered', '1');
    document.documentElement.classList.remove('cover');
  });
})();
