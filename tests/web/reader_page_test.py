#!/usr/bin/env python3
"""The web reader against the desktop reader. Both open the contents page with
--start, take a click on a link, Backspace and PageDown; the desktop's window
pixels under Xvfb are the reference for read.html's canvas in headless
Chromium, which the test drives over the DevTools pipe. After a reload the
page must show the link in the visited colour (its history kept in
IndexedDB), and a click sent at once must work as a held one. The page must
throw and log no error. Also prints the time to the first frame and the
browser's processor use on a still page."""
import base64
import functools
import http.server
import json
import os
import select
import shutil
import struct
import subprocess
import sys
import tempfile
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "window"))

from browser_test import chromium_command  # noqa: E402
from reader_window_test import (CLICK_HOLD, LINK, RESTING_PLACE, Session, fail, poll,  # noqa: E402
                                start_xvfb)
from screen_images import read_xwd  # noqa: E402

SKIP = 77
START = "DATA/arts/index.art"
WIDTH, HEIGHT = 640, 480
TILE = (64, 48)  # compared one by one, so that a fault names its place
ANIMATED = [(0, 0), (576, 0)]  # the tiles of the spinning logo and the music's disc
CHANNEL_TOLERANCE = 16
MISMATCH_ALLOWED = 0.01  # of a tile's pixels
WAIT = 60  # seconds for any awaited state, on a busy machine
STILL_SECONDS = 10
# Settings as the page's defaults, but in a window (setup.cfg's 13 values).
DESKTOP_SETUP = (1, 1, 0, 2000, 2000, 1, 0, 1, 1, 0, 1, 0, 32)
KEYS = {"PageDown": ("Next", 34), "Backspace": ("BackSpace", 8)}

# Counts the frames the engine puts on the canvas, and when the first came.
FRAME_HOOK = """(() => {
  const put = CanvasRenderingContext2D.prototype.putImageData;
  window.framesDrawn = { first: null, count: 0 };
  CanvasRenderingContext2D.prototype.putImageData = function (...args) {
    if (framesDrawn.first === null) framesDrawn.first = performance.now();
    framesDrawn.count++;
    return put.apply(this, args);
  };
})();"""
CANVAS_BYTES = """(() => {
  const data = document.getElementById("canvas").getContext("2d").getImageData(0, 0, 640, 480).data;
  let text = "";
  for (let i = 0; i < data.length; i += 8192) text += String.fromCharCode(...data.subarray(i, i + 8192));
  return btoa(text);
})()"""


def still_part(rgb):
    """The frame's RGB bytes with the animated tiles blacked out."""
    rgb = bytearray(rgb)
    for left, top in ANIMATED:
        for y in range(top, top + TILE[1]):
            at = (y * WIDTH + left) * 3
            rgb[at:at + TILE[0] * 3] = bytes(TILE[0] * 3)
    return bytes(rgb)


def differences(ours, theirs):
    """Per tile (x, y) the share of pixels off by more than the tolerance; and the
    count of pixels that differ at all."""
    shares, exact = {}, 0
    for top in range(0, HEIGHT, TILE[1]):
        for left in range(0, WIDTH, TILE[0]):
            off = 0
            for y in range(top, top + TILE[1]):
                at = (y * WIDTH + left) * 3
                a, b = ours[at:at + TILE[0] * 3], theirs[at:at + TILE[0] * 3]
                if a == b:
                    continue
                for i in range(0, len(a), 3):
                    gap = max(abs(a[i + c] - b[i + c]) for c in range(3))
                    exact += gap > 0
                    off += gap > CHANNEL_TOLERANCE
            shares[(left, top)] = off / (TILE[0] * TILE[1])
    return shares, exact


class Desktop:
    """The reader in a window on Xvfb; its frames as RGB bytes."""

    def __init__(self, reader, archive, display, scratch):
        self.session = Session(display)
        run_dir = tempfile.mkdtemp(dir=scratch)
        shutil.copy(archive, os.path.join(run_dir, "data.rs"))
        with open(os.path.join(run_dir, "setup.cfg"), "wb") as file:
            file.write(struct.pack("<13i", *DESKTOP_SETUP))
        self.process = subprocess.Popen([reader, "--skip-setup", "--start", START], cwd=run_dir,
                                        env=self.session.env, stdout=subprocess.DEVNULL)
        self.session.focus(self.session.wait_for_window("Marrowin#1", WAIT))
        self.session.move(*RESTING_PLACE)
        if self.session.scale != 1:
            fail("the reader's window is scaled by %s" % self.session.scale)

    def frame(self):
        dump = subprocess.run(["xwd", "-root", "-silent"], env=self.session.env,
                              capture_output=True, check=True).stdout
        rows = read_xwd(dump, (*self.session.origin, WIDTH, HEIGHT))
        return still_part(v for row in rows for pixel in row for v in pixel)

    def settled(self, before, what):
        """The screen once it has held still for a while, unlike the frame before."""
        seen = []

        def still():
            seen[:] = [frame for frame in seen[-2:] if frame != before] + [self.frame()]
            return len(seen) == 3 and seen[0] == seen[1] == seen[2] and seen[2]
        return poll(still, WAIT, 0.3, lambda: "the desktop's %s never held still" % what)

    def key(self, name):
        self.session.xdotool("key", KEYS[name][0])

    def click(self, x, y):
        self.session.click(x, y)
        self.session.move(*RESTING_PLACE)


class Browser:
    """Headless Chromium driven over --remote-debugging-pipe: NUL-ended JSON
    messages, commands in on its fd 3 and answers and events out on its fd 4."""

    def __init__(self, command, log):
        commands, self.commands = os.pipe()
        self.answers, answers = os.pipe()

        def pipes():
            os.dup2(commands, 3)
            os.dup2(answers, 4)
            os.set_inheritable(3, True)
            os.set_inheritable(4, True)
        self.process = subprocess.Popen([*command, "--remote-debugging-pipe", "about:blank"],
                                        preexec_fn=pipes, close_fds=False,
                                        stdout=subprocess.DEVNULL, stderr=log)
        os.close(commands)
        os.close(answers)
        self.pending, self.events, self.last, self.session = b"", [], 0, None

    def close(self):
        self.process.kill()
        self.process.wait()
        os.close(self.commands)
        os.close(self.answers)

    def receive(self, deadline):
        while b"\0" not in self.pending:
            if not select.select([self.answers], [], [], max(0, deadline - time.monotonic()))[0]:
                raise TimeoutError("no answer from Chromium")
            data = os.read(self.answers, 1 << 20)
            if not data:
                raise EOFError("Chromium closed its pipe")
            self.pending += data
        message, self.pending = self.pending.split(b"\0", 1)
        return json.loads(message)

    def send(self, method, **params):
        self.last += 1
        message = {"id": self.last, "method": method, "params": params}
        if self.session:
            message["sessionId"] = self.session
        os.write(self.commands, json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + WAIT
        while (answer := self.receive(deadline)).get("id") != self.last:
            self.events.append(answer)
        if "error" in answer:
            fail("%s: %s" % (method, answer["error"]))
        return answer["result"]

    def open_page(self):
        target = self.send("Target.createTarget", url="about:blank")["targetId"]
        self.session = self.send("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]
        for domain in ("Page", "Runtime", "Log"):
            self.send(domain + ".enable")
        self.send("Page.addScriptToEvaluateOnNewDocument", source=FRAME_HOOK)

    def evaluate(self, expression):
        answer = self.send("Runtime.evaluate", expression=expression, returnByValue=True)
        return answer["result"].get("value")

    def frame(self):
        """The canvas's pixels, or None before the page has one."""
        text = self.evaluate(CANVAS_BYTES)
        if text is None:
            return None
        rgba = base64.b64decode(text)
        rgb = bytearray(WIDTH * HEIGHT * 3)
        for c in range(3):
            rgb[c::3] = rgba[c::4]
        return still_part(rgb)

    def matching(self, reference, what):
        """Waits for the canvas to show the reference frame; prints how close it came."""
        found = {"tiles off": "no canvas"}

        def shown():
            frame = self.frame()
            if frame is not None:
                shares, found["exact"] = differences(frame, reference)
                found["tiles off"] = {tile: s for tile, s in shares.items() if s > MISMATCH_ALLOWED}
            return not found["tiles off"]
        poll(shown, WAIT, 0.1, lambda: "the page's %s differs from the desktop's in %s"
             % (what, found["tiles off"]))
        print("%s: %s" % (what, "pixel for pixel" if found["exact"] == 0 else
                          "%d pixels differ, within the tolerance" % found["exact"]))

    def key(self, name):
        code = KEYS[name][1]
        for kind in ("rawKeyDown", "keyUp"):
            self.send("Input.dispatchKeyEvent", type=kind, key=name, code=name,
                      windowsVirtualKeyCode=code, nativeVirtualKeyCode=code)

    def mouse(self, kind, x, y, **more):
        box = self.evaluate("JSON.stringify(document.getElementById('canvas').getBoundingClientRect())")
        box = json.loads(box)
        scale = box["width"] / WIDTH  # read.js scales the canvas with CSS
        self.send("Input.dispatchMouseEvent", type=kind, x=box["left"] + (x + 0.5) * scale,
                  y=box["top"] + (y + 0.5) * scale, **more)

    def click(self, x, y, hold):
        self.mouse("mouseMoved", x, y)
        self.mouse("mousePressed", x, y, button="left", clickCount=1)
        time.sleep(hold)
        self.mouse("mouseReleased", x, y, button="left", clickCount=1)
        self.mouse("mouseMoved", *RESTING_PLACE)

    def errors(self):
        found = []
        for event in self.events:
            method, params = event.get("method"), event.get("params", {})
            if method == "Runtime.exceptionThrown":
                found.append(params["exceptionDetails"].get("text", "exception"))
            elif method == "Log.entryAdded" and params["entry"]["level"] == "error" and \
                    not params["entry"].get("url", "").endswith("/favicon.ico"):
                found.append(params["entry"]["text"])
            elif method == "Runtime.consoleAPICalled" and params["type"] == "error":
                found.append(" ".join(str(a.get("value")) for a in params["args"]))
        return found


def processor_seconds(root):
    """The user and system time of the process and all below it."""
    stats = {}
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open("/proc/%s/stat" % pid) as file:
                fields = file.read().rsplit(")", 1)[1].split()
            stats[int(pid)] = int(fields[1]), int(fields[11]) + int(fields[12])
        except OSError:
            pass  # ended meanwhile
    tree = {root}
    for _ in range(4):  # Chromium's processes stand a few levels deep at most
        tree |= {pid for pid, (parent, _) in stats.items() if parent in tree}
    return sum(stats[pid][1] for pid in tree if pid in stats) / os.sysconf("SC_CLK_TCK")


def serve(site):
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass
    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", 0), functools.partial(Quiet, directory=site))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def desktop_frames(reader, archive, display, scratch):
    desktop = Desktop(reader, archive, display, scratch)
    try:
        frames = {"start": desktop.settled(bytes(WIDTH * HEIGHT * 3), "contents page")}
        desktop.click(*LINK)
        frames["link"] = desktop.settled(frames["start"], "linked article")
        desktop.key("Backspace")
        frames["back"] = desktop.settled(frames["link"], "contents page after Backspace")
        desktop.key("PageDown")
        frames["page down"] = desktop.settled(frames["back"], "contents page after PageDown")
    finally:
        desktop.process.kill()
        desktop.process.wait()
    return frames


def web_run(browser, address, frames):
    browser.open_page()
    opened = time.monotonic()
    browser.send("Page.navigate", url=address)
    browser.matching(frames["start"], "the article at start")
    shown = time.monotonic() - opened
    first = browser.evaluate("framesDrawn.first")
    print("first frame drawn %.0f ms after navigation began; the article matched after %.1f s"
          % (first, shown))
    browser.click(*LINK, hold=CLICK_HOLD)
    browser.matching(frames["link"], "the article after a held click on a link")
    browser.key("Backspace")
    browser.matching(frames["back"], "the contents page after Backspace")
    browser.key("PageDown")
    browser.matching(frames["page down"], "the contents page after PageDown")
    browser.send("Page.reload")
    browser.matching(frames["back"], "the visited link after a reload")
    browser.click(*LINK, hold=0)
    browser.matching(frames["link"], "the article after a click sent at once")
    drawn, used = browser.evaluate("framesDrawn.count"), processor_seconds(browser.process.pid)
    time.sleep(STILL_SECONDS)
    drawn = browser.evaluate("framesDrawn.count") - drawn
    used = processor_seconds(browser.process.pid) - used
    print("still page for %d s: the browser used %.0f%% of one core; %.1f frames drawn a second"
          % (STILL_SECONDS, 100 * used / STILL_SECONDS, drawn / STILL_SECONDS))
    status = browser.evaluate("document.getElementById('status').textContent")
    return browser.errors() + (["the page says %r" % status] if status else [])


def main():
    reader, magtool, archive, engine = sys.argv[1:5]
    if not os.path.exists(os.path.join(engine, "diskmag.wasm")):
        print("SKIPPED: no web engine was built (emscripten missing)")
        return SKIP
    with tempfile.TemporaryDirectory(prefix="reader-page-") as scratch:
        command = chromium_command(scratch)
        started = start_xvfb("800x600x24")
        if command is None or started is None:
            print("SKIPPED: %s missing" % ("Chromium" if command is None else "Xvfb"))
            return SKIP
        server, display = started
        try:
            frames = desktop_frames(reader, archive, display, scratch)
        finally:
            server.kill()
            server.wait()
        if frames["back"] == frames["start"]:
            fail("the desktop shows the visited link as an unvisited one")
        site = os.path.join(scratch, "site")
        subprocess.run([magtool, "web", archive, site], check=True, stdout=subprocess.DEVNULL,
                       env=dict(os.environ, DISKMAG_WEB_ENGINE=engine))
        http = serve(site)
        with open(os.path.join(scratch, "chromium.log"), "w") as log:
            browser = Browser(command + ["--window-size=1400,1100"], log)
        try:
            try:
                browser.send("Browser.getVersion")
            except (EOFError, TimeoutError) as error:
                print("SKIPPED: Chromium cannot start here (%s)" % error)
                return SKIP
            errors = web_run(browser, "http://127.0.0.1:%d/read.html?start=%s"
                             % (http.server_address[1], START), frames)
        finally:
            browser.close()
            http.shutdown()
    if errors:
        fail("the page reported errors: %s" % errors)
    print("the web reader drew what the desktop reader drew")
    return 0


if __name__ == "__main__":
    sys.exit(main())
