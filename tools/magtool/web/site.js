// The panel chosen by a "PAN:" link holds for the whole visit; the frame's
// buttons scroll or go back; the bar follows the reading position; the
// cover's Enter button reveals the page once per visit.
(function () {
  var store = sessionStorage, body = document.body;
  if (store.getItem('panel') !== null) body.className = 'p' + store.getItem('panel');
  var steps = {pageup: -0.8, pagedown: 0.8, lineup: -0.05, linedown: 0.05};
  document.addEventListener('click', function (e) {
    var a = e.target.closest('a');
    if (!a) return;
    if (a.dataset.panel !== undefined) {
      body.className = 'p' + a.dataset.panel;
      store.setItem('panel', a.dataset.panel);
    }
    if (a.dataset.cmd === 'back') history.back();
    if (steps[a.dataset.cmd]) scrollBy(0, steps[a.dataset.cmd] * innerHeight);
    if (a.getAttribute('href') === '#') e.preventDefault();
  });
  function progress() {
    var room = document.documentElement.scrollHeight - innerHeight;
    var p = room > 0 ? scrollY / room : 1;
    document.querySelectorAll('.bar').forEach(function (bar) {
      bar.style.backgroundPositionX = (-(1 - p) * bar.dataset.half) + 'px';
    });
  }
  addEventListener('scroll', progress);
  addEventListener('resize', progress);
  progress();
  var enter = document.getElementById('enter');
  if (enter) enter.addEventListener('click', function () {
    store.setItem('entered', '1');
    document.documentElement.classList.remove('cover');
  });
})();
