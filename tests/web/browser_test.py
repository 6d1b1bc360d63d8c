#!/usr/bin/env python3
"""The demo's site in a real browser. Headless Chromium opens
search.html?q=music from the disk, and the result links its script shows are
the pages of the reader's own hits, in the reader's order. It then takes
screenshots of the contents page (index.html#read, past the cover) and of the
two-column history.html at the reader's screen size; in the article area
between the frame's strips, each holds the text colours of `magtool render`
of the same article's first page, and its text spans the same columns and
the same rows. Then, served over HTTP (browsers keep pages for Back only from
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
PAGES = [("index.html#read", "DATA/arts/index.art"), ("history.html", "DATA/arts/history.art")]
NEAR = 24  # per channel: a text colour found under antialiasing and hinting
COLUMN_GAP = 24  # an empty run this wide parts two columns
EDGE = 24  # how far a column's edge may stand from the reader's
SHIFT = 12  # the farthest the text rows are sought from the reader's
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


def columns(rows, colours):
    """The x-extents of the runs of columns holding text pixels, split at wide gaps."""
    xs = sorted({x for row in rows for x, pixel in enumerate(row)
                 if any(near(pixel, colour) for colour in colours)})
    runs = []
    for x in xs:
        if runs and x - runs[-1][1] <= COLUMN_GAP:
            runs[-1][1] = x
        else:
            runs.append([x, x])
    return runs


def rows_shift(ours, theirs, colour):
    """The shift of our text rows, in the colour, that best meets the reader's."""
    def rows(area):
        return {y for y, row in enumerate(area) if any(near(p, colour) for p in row)}
    ours, theirs = rows(ours), rows(theirs)
    return max(range(-SHIFT, SHIFT + 1), key=lambda s: len({y + s for y in ours} & theirs))


def compare(name, shot, render, site):
    """The agreement of the screenshot with the render, printed; the faults."""
    top = len(png_pixels(os.path.join(site, "frame/0-top.png")))
    middle = png_pixels(os.path.join(site, "frame/0-middle.png"))
    colours = text_colours(render, middle, top)
    area = shot[top:top + len(middle)]
    found = [c for c in colours if any(near(p, c) for row in area for p in row)]
    ours, theirs = columns(area, colours), columns(render[top:top + len(middle)], colours)
    shift = rows_shift(area, render[top:top + len(middle)], colours[0])
    print("%s: %d of the render's %d text colours found %s; columns %s, the reader's %s; "
          "text rows %+d px off the reader's" % (name, len(found), len(colours),
                                                 ["#%02x%02x%02x" % c for c in colours],
                                                 ours, theirs, -shift))
    faults = [] if colours and found == colours else ["%s lacks colours" % name]
    if abs(shift) > 2:
        faults.append("%s's text rows stand %+d px off the reader's" % (name, -shift))
    if len(ours) != len(theirs) or any(abs(a - b) > EDGE for o, t in zip(ours, theirs)
                                       for a, b in zip(o, t)):
        faults.append("%s's columns stand apart from the reader's" % name)
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
        for page, article in PAGES:
            shot, render = os.path.join(scratch, "shot.png"), os.path.join(scratch, "render.png")
            chromium(scratch, "--window-size=%d,%d" % SCREEN, "--screenshot=" + shot,
                     "file://%s/%s" % (site, page))
            subprocess.run([magtool, "render", archive, article, render], check=True,
                           stdout=subprocess.DEVNULL)
            faults += compare(page, png_pixels(shot), png_pixels(render), site)
        if not faults:
            music(scratch, site)
    if faults:
        print("FAILED: " + "; ".join(faults))
        return 1
    print("the page shows the reader's %d hits for %r" % (len(expected), QUERY))
    return 0


if __name__ == "__main__":
    sys.exit(main())
