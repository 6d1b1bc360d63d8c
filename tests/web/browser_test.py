#!/usr/bin/env python3
"""The demo's site in a real browser. Headless Chromium opens
search.html?q=music from the disk, and the result links its script shows are
the pages of the reader's own hits, in the reader's order. It then takes
screenshots, with motion reduced, of the contents page (index.html#read, past
the cover), of the two-column history.html (its first spread) and of
pixels.html (a picture) at the reader's screen size; in the article area
between the frame's strips, each holds the text colours of `magtool render`
of the same article's first page, its text spans the same columns, and in
each column the same rows, line for line; the top strip's animations show
the render's first frame in the same places. On a phone's width the help page
reflows (no sideways scrolling, no text under 16 px); at both sizes the title
shows in the frame, the page keys skip no line and focus is never hidden
under a strip. Then, served over HTTP (browsers keep pages for Back only from
a server), a tune started on the player plays on after a link, the panel's
BACK and the browser's Forward and Back; a panel's TUNE 3 button plays the
list's third tune, and EXIT opens the closing page, the tune still on."""
import functools
import http.server
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import threading

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "window"))
from screen_images import read_png  # noqa: E402

SKIP = 77
QUERY = "music"
BROWSER_SECONDS = 120  # a start takes a few seconds on a busy machine
SCREEN = (640, 480)
PAGES = [("index.html#read", "DATA/arts/index.art"), ("history.html", "DATA/arts/history.art"),
         ("pixels.html", "DATA/arts/pixels.art")]
NEAR = 24  # per channel: a text colour found under antialiasing and hinting
COLUMN_GAP = 24  # an empty run this wide parts two columns
EDGE = 24  # how far a column's edge may stand from the reader's
SHIFT = 12  # the farthest the text rows are sought from the reader's
# The reading page in frames of a phone's and a desktop's size, measured by a
# script that prints what a reader meets: sideways scrolling, the smallest body
# text, what the keys move by against what shows, where focus lands.
READING = """<!DOCTYPE html><body><script>
const sizes = [[320, 640], [1024, 768]], found = [];
onload = () => {
  for (const frame of document.querySelectorAll('iframe')) {
    const w = frame.contentWindow, d = w.document, q = s => d.querySelector(s);
    const shown = w.innerHeight - q('header').offsetHeight - q('footer').offsetHeight;
    const sizes = [...d.querySelectorAll('.art .l [class]')].map(
      e => parseFloat(w.getComputedStyle(e).fontSize));
    const moved = key => { w.scrollTo(0, 0); d.body.dispatchEvent(new w.KeyboardEvent(
      'keydown', {key: key, bubbles: true})); return w.scrollY; };
    const links = d.querySelectorAll('.art a'), last = links[links.length - 1];
    w.scrollTo(0, 0); last.focus();
    const r = last.getBoundingClientRect();
    found.push({width: w.innerWidth, sideways: d.documentElement.scrollWidth > w.innerWidth,
      smallest: Math.min(...sizes), shown: shown, page: moved('PageDown'), line: moved('ArrowDown'),
      hidden: r.top < q('header').offsetHeight || r.bottom > w.innerHeight - q('footer').offsetHeight,
      title: q('header h1').offsetWidth > 1 ? q('header h1').textContent : ''});
  }
  document.body.textContent = JSON.stringify(found);
};
for (const [w, h] of sizes) document.write(
  '<iframe width=' + w + ' height=' + h + ' src="site/help.html"></iframe>');
</script>"""
PLAYING = """(() => { const p = document.getElementById('player');
  return [location.pathname.slice(1), p.querySelector('[data-do=play]').getAttribute('aria-pressed'),
          p.querySelector('.now').textContent,
          (JSON.parse(sessionStorage.getItem('diskmag-player')) || {}).time]; })()"""
TUNES = "['L0', 'L2'].map(v => document.querySelector('#player option[value=' + v + ']').textContent)"


def chromium_command(scratch):
    """Headless Chromium with its own profile in scratch, or None where it is missing."""
    browser = shutil.which("chromium") or shutil.which("chromium-browser")
    if browser is None:
        return None
    # Chromium refuses root without --no-sandbox; its own profile keeps runs apart.
    flags = ["--headless", "--disable-gpu", "--hide-scrollbars",
             "--user-data-dir=" + os.path.join(scratch, "profile")]
    if os.geteuid() == 0:
        flags.append("--no-sandbox")
    return [browser, *flags]


def chromium(scratch, *args):
    """Headless Chromium's standard output for args, or None when it cannot start."""
    command = chromium_command(scratch)
    if command is None:
        return None
    out = subprocess.run([*command, *args], capture_output=True, text=True,
                         timeout=BROWSER_SECONDS)
    if out.returncode != 0 and not out.stdout:
        print(out.stderr[-2000:])
        return None
    return out.stdout


def png_pixels(path):
    with open(path, "rb") as png:
        return read_png(png.read())


def near(one, other):
    return max(abs(p - q) for p, q in zip(one, other)) <= NEAR


def text_colours(render, middle, top):
    """The colours that cover at least 3% of the render's pixels off the clean background,
    one of each near pair."""
    counts = {}
    for y, row in enumerate(middle):
        for x, clean in enumerate(row):
            if render[top + y][x] != clean:
                counts[render[top + y][x]] = counts.get(render[top + y][x], 0) + 1
    kept = []
    for colour in sorted(counts, key=counts.get, reverse=True):
        if counts[colour] * 33 >= sum(counts.values()) and not any(near(colour, k) for k in kept):
            kept.append(colour)
    return kept


def runs(values, gap):
    """The extents of the rising values, split where more than gap parts two."""
    found = []
    for value in values:
        if found and value - found[-1][1] <= gap:
            found[-1][1] = value
        else:
            found.append([value, value])
    return found


def columns(rows, colours):
    """The x-extents of the runs of columns holding text pixels, split at wide gaps."""
    return runs(sorted({x for row in rows for x, pixel in enumerate(row)
                        if any(near(pixel, colour) for colour in colours)}), COLUMN_GAP)


def rows_shift(ours, theirs, colour):
    """The shift of our text rows, in the colour, that best meets the reader's."""
    def rows(area):
        return {y for y, row in enumerate(area) if any(near(p, colour) for p in row)}
    ours, theirs = rows(ours), rows(theirs)
    return max(range(-SHIFT, SHIFT + 1), key=lambda s: len({y + s for y in ours} & theirs))


def strip_row(shot, strip):
    """The screenshot's row where the top strip starts, below the page's tool bar."""
    return next((y for y in range(len(shot) - 1) if shot[y:y + 2] == strip[:2]), 0)


def lines(area, colours, column):
    """The runs of rows holding text pixels within the column."""
    return runs([y for y, row in enumerate(area)
                 if any(near(p, c) for p in row[column[0]:column[1] + 1] for c in colours)], 1)


def unmatched_lines(ours, theirs, shift):
    """The lines, ours or the reader's, that meet none of the other's: a
    column read out of order has them where paragraphs part."""
    def meets(line, others, s):
        return any(line[0] + s <= b and a <= line[1] + s for a, b in others)
    return (sum(not meets(line, theirs, shift) for line in ours) +
            sum(not meets(line, ours, -shift) for line in theirs))


def chain_agreement(html, shot, render, below):
    """The share of the top strip's animation boxes whose pixels are the render's;
    the strip stands at row below in the shot."""
    strip = html[html.index('class="strip f0"'):]
    ratio = re.search(r"aspect-ratio:(\d+)/(\d+)", strip)
    size = [int(ratio.group(n)) for n in (1, 2, 1, 2)]
    boxes = [[round(float(share) * side / 100) for share, side in zip(box, size)]
             for box in re.findall(r'class="chain[^"]*" style="left:([\d.]+)%;top:([\d.]+)%;'
                                   r'width:([\d.]+)%;height:([\d.]+)%',
                                   strip[:strip.index("</div>\n")])]
    pixels = [(x, y) for left, top, width, height in boxes
              for y in range(top, top + height) for x in range(left, left + width)]
    return (sum(near(shot[below + y][x], render[y][x]) for x, y in pixels) / max(len(pixels), 1),
            len(boxes))


def compare(name, shot, render, site):
    """The agreement of the screenshot with the render, printed; the faults."""
    strip = png_pixels(os.path.join(site, "frame/0-top.png"))
    top = len(strip)
    middle = png_pixels(os.path.join(site, "frame/0-middle.png"))
    colours = text_colours(render, middle, top)
    below = strip_row(shot, strip) + top
    # What shows between the strips: the tool bar above the frame takes its rows.
    bottom = len(png_pixels(os.path.join(site, "frame/0-bottom.png")))
    shown = min(len(middle), len(shot) - bottom - below)
    area = shot[below:below + shown]
    found = [c for c in colours if any(near(p, c) for row in area for p in row)]
    ours, theirs = columns(area, colours), columns(render[top:top + shown], colours)
    shift = rows_shift(area, render[top:top + shown], colours[0])
    stray = [unmatched_lines(lines(area, colours, run), lines(render[top:top + shown], colours, run),
                             shift)
             for run in theirs]
    print("%s: %d of the render's %d text colours found %s; columns %s, the reader's %s; "
          "text rows %+d px off the reader's; lines of one and not the other per column %s" % (
              name, len(found), len(colours), ["#%02x%02x%02x" % c for c in colours], ours,
              theirs, -shift, stray))
    faults = [] if colours and found == colours else ["%s lacks colours" % name]
    if any(stray):
        faults.append("%s's columns hold other lines than the reader's" % name)
    if abs(shift) > 2:
        faults.append("%s's text rows stand %+d px off the reader's" % (name, -shift))
    if len(ours) != len(theirs) or any(abs(a - b) > EDGE for o, t in zip(ours, theirs)
                                       for a, b in zip(o, t)):
        faults.append("%s's columns stand apart from the reader's" % name)
    return faults


def reading(scratch):
    """The faults a reader meets on a phone and with the keys."""
    with open(os.path.join(scratch, "reading.html"), "w") as page:
        page.write(READING)
    dom = chromium(scratch, "--allow-file-access-from-files", "--virtual-time-budget=5000",
                   "--dump-dom", "file://%s/reading.html" % scratch)
    faults = []
    for frame in json.loads(re.search(r"<body>(.*)</body>", dom, re.S).group(1)):
        print("at %(width)d px: sideways %(sideways)s, smallest text %(smallest)s px, title "
              "%(title)r; PageDown moves %(page)d of %(shown)d px shown, an arrow %(line)d; "
              "focus hidden %(hidden)s" % frame)
        width = frame["width"]
        if frame["sideways"] or frame["hidden"] or not frame["title"]:
            faults.append("at %d px the page scrolls sideways, hides focus or its title" % width)
        if width < 640 and frame["smallest"] < 16:
            faults.append("at %d px text is set at %s px" % (width, frame["smallest"]))
        if not frame["shown"] / 2 < frame["page"] <= frame["shown"] or not 0 < frame["line"] < 40:
            faults.append("at %d px the keys skip lines" % width)
    return faults


def music(scratch, site):
    """The player across pages, the panels' tune buttons and EXIT; fails at the first fault."""
    from reader_page_test import Browser, poll
    handler = functools.partial(type("Quiet", (http.server.SimpleHTTPRequestHandler,),
                                     {"log_message": lambda *args: None}), directory=site)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    threading.Thread(target=server.serve_forever, daemon=True).start()
    with open(os.path.join(scratch, "music.log"), "w") as log:
        browser = Browser(chromium_command(scratch) + ["--autoplay-policy=no-user-gesture-required"],
                          log)
    state = [None] * 4

    def act(how, what):
        """A mouse click in the middle of the element, or a script."""
        if how == "run":
            return browser.evaluate(what)
        box = json.loads(browser.evaluate("JSON.stringify(document.querySelector(%s)"
                                          ".getBoundingClientRect())" % json.dumps(what)))
        for kind in ("mousePressed", "mouseReleased"):
            browser.send("Input.dispatchMouseEvent", type=kind, button="left", clickCount=1,
                         x=box["x"] + box["width"] / 2, y=box["y"] + box["height"] / 2)

    def reach(page, tune, after):
        """The page plays the tune, one that played on from later than the last step."""
        left = (state[3] or 0) if state[2] == tune else 0

        def there():
            state[:] = browser.evaluate(PLAYING) or [None] * 4
            return state[:3] == [page, "true", tune] and (state[3] or 0) > left
        poll(there, BROWSER_SECONDS, 0.2, lambda: "after %s the player stands at %s" % (after, state))

    try:
        browser.open_page("http://127.0.0.1:%d/index.html#read" % server.server_address[1])
        browser.send("Emulation.setDeviceMetricsOverride", width=1024, height=768,
                     deviceScaleFactor=1, mobile=False)
        poll(lambda: browser.evaluate("document.readyState") == "complete", BROWSER_SECONDS, 0.2,
             lambda: "index.html did not load")
        first, third = browser.evaluate(TUNES)
        for how, what, page, tune, after in [
                ("run", "document.querySelector('#player [data-do=play]').click()", "index.html",
                 first, "play"),
                ("press", "a[href='story.html']", "story.html", first, "a link"),
                ("press", ".f0 .btn[data-cmd=back]", "index.html", first, "the panel's BACK"),
                ("run", "history.forward()", "story.html", first, "Forward"),
                ("run", "history.back()", "index.html", first, "Back"),
                ("run", "document.querySelector('a[data-panel=\"1\"]').click()", "index.html", first,
                 "PAN:1"),
                ("press", ".f1 .btn[data-do=tune][data-entry='2']", "index.html", third, "TUNE 3"),
                ("press", ".f1 .btn[title=Exit]", "closing.html", third, "EXIT")]:
            act(how, what)
            reach(page, tune, after)
        print("%r played on after a link, BACK, Forward and Back; TUNE 3 played %r, on into "
              "closing.html" % (first, third))
    finally:
        browser.close()
        server.shutdown()


def main():
    site_tool, magtool, archive = sys.argv[1:4]
    with tempfile.TemporaryDirectory() as scratch:
        site = os.path.join(scratch, "site")
        subprocess.run([magtool, "web", archive, site], check=True, stdout=subprocess.DEVNULL)
        os.mkdir(os.path.join(scratch, "index"))
        hits = subprocess.run([site_tool, archive, os.path.join(scratch, "index"), QUERY],
                              capture_output=True, text=True, check=True).stdout.splitlines()
        expected = [hit.split("\t")[3] for hit in hits]
        dom = chromium(scratch, "--dump-dom", "file://%s/search.html?q=%s" % (site, QUERY))
        if dom is None:
            print("SKIPPED: Chromium cannot start here")
            return SKIP
        links = re.findall(r'<li><a href="([^"]*)"', dom)
        faults = [] if expected and links == expected else [
            "the reader found %s, the page shows %s" % (expected, links)]
        faults += reading(scratch)
        for page, article in PAGES:
            shot, render = os.path.join(scratch, "shot.png"), os.path.join(scratch, "render.png")
            chromium(scratch, "--window-size=%d,%d" % SCREEN, "--force-prefers-reduced-motion",
                     "--screenshot=" + shot, "file://%s/%s" % (site, page))
            subprocess.run([magtool, "render", archive, article, render], check=True,
                           stdout=subprocess.DEVNULL)
            shot, render = png_pixels(shot), png_pixels(render)
            faults += compare(page, shot, render, site)
            below = strip_row(shot, png_pixels(os.path.join(site, "frame/0-top.png")))
            with open(os.path.join(site, page.split("#")[0])) as html:
                share, boxes = chain_agreement(html.read(), shot, render, below)
            print("%s: %d animations on the top strip, %.1f%% of their pixels as the render's"
                  % (page, boxes, 100 * share))
            if boxes == 0 or share < 0.98:
                faults.append("%s's top strip lacks the reader's animations" % page)
        if not faults:
            music(scratch, site)
    if faults:
        print("FAILED: " + "; ".join(faults))
        return 1
    print("the page shows the reader's %d hits for %r" % (len(expected), QUERY))
    return 0


if __name__ == "__main__":
    sys.exit(main())
