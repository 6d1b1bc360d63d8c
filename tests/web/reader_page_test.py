#!/usr/bin/env python3
"""The web reader against the desktop reader, opened on the contents page with
--start. The desktop's window pixels under Xvfb, after a held click on a link,
Backspace, PageDown, a wheel turn and a search, are the reference for
read.html's canvas in headless Chromium (driven over the DevTools pipe) after
the same; then, on the page alone, a reload keeps the link visited (history
in IndexedDB), and a click sent at once, swipes and a tap work. The page must
throw and log no error."""
import base64
import functools
import http.server
import json
import os
import select
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "window"))
from browser_test import chromium_command  # noqa: E402
from reader_window_test import (CLICK_HOLD, LINK, RESTING_PLACE, Session, fail, poll,  # noqa: E402
                                start_xvfb)
from screen_images import read_xwd  # noqa: E402

SKIP = 77
START = "DATA/arts/index.art"
WIDTH, HEIGHT = 640, 480
ANIMATED = [0, 576]  # the left edges of the spinning logo and the music's disc, 64x64 each
WAIT = 120  # seconds for any awaited state, on a busy machine
ASLEEP_AFTER = 2.5  # seconds: the default mouse sleep delay and a margin
DESKTOP_SETUP = (1, 1, 0, 2000, 2000, 1, 0, 1, 1, 0, 1, 0, 32)  # the page's defaults, windowed
KEYS = {"PageDown": ("Next", 34), "Backspace": ("BackSpace", 8), "F2": ("F2", 113),
        "Enter": ("Return", 13)}
SEARCHED = "music"
TYPING_PAUSE = 0.1
CANVAS_BYTES = """(() => { let text = "";
  const data = document.getElementById("canvas").getContext("2d").getImageData(0, 0, 640, 480).data;
  for (let i = 0; i < data.length; i += 8192) text += String.fromCharCode(...data.subarray(i, i + 8192));
  return btoa(text); })()"""


def search(side):
    """F2, the word and Enter, each key tapped at once, a tenth of a second apart."""
    for name in ["F2", *SEARCHED, "Enter"]:
        side.key(name)
        time.sleep(TYPING_PAUSE)


def difference(frame, other):
    """The pixels that differ, and the box around them."""
    other = other or bytes(len(frame))
    spots = [i // 3 for i in range(0, len(frame), 3) if frame[i:i + 3] != other[i:i + 3]]
    return "%d pixels in x %d-%d, y %d-%d" % (len(spots), min(s % WIDTH for s in spots), max(
        s % WIDTH for s in spots), spots[0] // WIDTH, spots[-1] // WIDTH) if spots else "none"


def still_part(rgb):
    """The frame's RGB bytes with the animated corners blacked out."""
    rgb = bytearray(rgb)
    for left in ANIMATED:
        for y in range(64):
            rgb[(y * WIDTH + left) * 3:(y * WIDTH + left + 64) * 3] = bytes(64 * 3)
    return bytes(rgb)


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

    def frame(self):
        dump = subprocess.run(["xwd", "-root", "-silent"], env=self.session.env,
                              capture_output=True, check=True).stdout
        rows = read_xwd(dump, (*self.session.origin, WIDTH, HEIGHT))
        return still_part(v for row in rows for pixel in row for v in pixel)

    def settled(self, before, what):
        """The screen, unlike the one before, once it has held still longer than
        the mouse stays awake: only the state after the mouse has fallen asleep
        (the first link focused) is the same whenever a frame is taken."""
        seen = {"frame": None, "since": 0.0, "changed": "nothing"}

        def still():
            frame, now = self.frame(), time.monotonic()
            if frame != seen["frame"]:
                seen.update(frame=frame, since=now, changed=difference(frame, seen["frame"]))
            return frame != before and now - seen["since"] > ASLEEP_AFTER and frame
        return poll(still, WAIT, 0.3, lambda: "the desktop's %s never held still (the last change: "
                    "%s)" % (what, seen["changed"]))

    def key(self, name):
        self.session.xdotool("key", KEYS.get(name, (name,))[0])


class Browser:
    """Headless Chromium over --remote-debugging-pipe: NUL-ended JSON messages,
    commands in on its fd 3, answers and events out on its fd 4."""

    def __init__(self, command, log):
        commands, self.commands = os.pipe()
        self.answers, answers = os.pipe()

        def pipes():
            os.dup2(commands, 3)
            os.dup2(answers, 4)
        self.process = subprocess.Popen([*command, "--remote-debugging-pipe", "about:blank"],
                                        preexec_fn=pipes, close_fds=False, start_new_session=True,
                                        stdout=subprocess.DEVNULL, stderr=log)
        os.close(commands)
        os.close(answers)
        self.pending, self.events, self.last, self.session = b"", [], 0, None

    def close(self):
        # The whole group: a renderer left behind writes on into the profile being removed.
        os.killpg(self.process.pid, signal.SIGKILL)
        self.process.wait()
        os.close(self.commands)
        os.close(self.answers)

    def send(self, method, **params):
        """The command's result; the events that come before it are kept."""
        self.last += 1
        message = dict(id=self.last, method=method, params=params)
        message.update({"sessionId": self.session} if self.session else {})
        os.write(self.commands, json.dumps(message).encode() + b"\0")
        deadline = time.monotonic() + WAIT
        while True:
            while b"\0" not in self.pending:
                if not select.select([self.answers], [], [], max(0, deadline - time.monotonic()))[0]:
                    raise TimeoutError("no answer from Chromium")
                data = os.read(self.answers, 1 << 20)
                if not data:
                    raise EOFError("Chromium closed its pipe")
                self.pending += data
            answer, self.pending = self.pending.split(b"\0", 1)
            answer = json.loads(answer)
            if answer.get("id") == self.last:
                break
            self.events.append(answer)
        if "error" in answer:
            fail("%s: %s" % (method, answer["error"]))
        return answer["result"]

    def open_page(self, address):
        target = self.send("Target.createTarget", url="about:blank")["targetId"]
        self.session = self.send("Target.attachToTarget", targetId=target, flatten=True)["sessionId"]
        for domain in ("Page", "Runtime", "Log"):
            self.send(domain + ".enable")
        self.send("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=1)
        self.send("Page.navigate", url=address)

    def evaluate(self, expression):
        return self.send("Runtime.evaluate", expression=expression, returnByValue=True)["result"].get("value")

    def frame(self):
        """The canvas's pixels, or None before the page has one."""
        text = self.evaluate(CANVAS_BYTES)
        if not text:
            return None
        rgba, rgb = base64.b64decode(text), bytearray(WIDTH * HEIGHT * 3)
        for c in range(3):
            rgb[c::3] = rgba[c::4]
        return still_part(rgb)

    def matching(self, reference, what):
        """Waits for the canvas to hold still on the reference frame, as the
        desktop's did: a click sent during a transition is not taken."""
        seen = []

        def shown():
            seen[:] = seen[-2:] + [self.frame()]
            return seen.count(reference) == 3

        poll(shown, WAIT, 0.3, lambda: "the page's screen after %s differs from the desktop's: %s"
             % (what, difference(seen[-1] or bytes(len(reference)), reference)))
        print("the screen after %s: pixel for pixel" % what)

    def key(self, name):
        code = KEYS[name][1] if name in KEYS else ord(name.upper())
        text = name if len(name) == 1 else ""  # a letter types
        self.send("Input.dispatchKeyEvent", type="keyDown" if text else "rawKeyDown", key=name,
                  text=text, windowsVirtualKeyCode=code, nativeVirtualKeyCode=code)
        self.send("Input.dispatchKeyEvent", type="keyUp", key=name, windowsVirtualKeyCode=code,
                  nativeVirtualKeyCode=code)

    def page_point(self, x, y):
        """Where the screen's pixel (x, y) lies on the page, which scales the canvas."""
        box = json.loads(self.evaluate(
            "JSON.stringify(document.getElementById('canvas').getBoundingClientRect())"))
        scale = box["width"] / WIDTH
        return {"x": box["left"] + (x + 0.5) * scale, "y": box["top"] + (y + 0.5) * scale}

    def mouse(self, kind, x, y, **more):
        self.send("Input.dispatchMouseEvent", type=kind, **self.page_point(x, y), **more)

    def click(self, x, y, hold):
        self.mouse("mouseMoved", x, y)
        self.mouse("mousePressed", x, y, button="left", clickCount=1)
        time.sleep(hold)
        self.mouse("mouseReleased", x, y, button="left", clickCount=1)
        self.mouse("mouseMoved", *RESTING_PLACE)

    def touch(self, x, y, to_y=None):
        """A finger put down at (x, y) and lifted at once (a tap), or after
        sliding to to_y (a swipe)."""
        self.send("Input.dispatchTouchEvent", type="touchStart", touchPoints=[self.page_point(x, y)])
        for step in range(1, 5) if to_y is not None else []:
            point = self.page_point(x, y + (to_y - y) * step / 4)
            self.send("Input.dispatchTouchEvent", type="touchMove", touchPoints=[point])
        self.send("Input.dispatchTouchEvent", type="touchEnd", touchPoints=[])

    def errors(self):
        found = [event["params"] for event in self.events if event.get("method") in (
            "Runtime.exceptionThrown", "Log.entryAdded", "Runtime.consoleAPICalled")]
        found = [params for params in found if "exceptionDetails" in params or
                 params.get("entry", params).get("level", params.get("type")) == "error" and
                 not params.get("entry", {}).get("url", "").endswith("/favicon.ico")]
        status = self.evaluate("document.getElementById('status').textContent")
        return found + (["the page says %r" % status] if status else [])


# What the desktop is shown, and the name of the screen it then settles on.
DESKTOP_STEPS = [
    ("link", lambda desktop: (desktop.session.click(*LINK), desktop.session.move(*RESTING_PLACE))),
    ("back", lambda desktop: desktop.key("Backspace")),
    ("page down", lambda desktop: desktop.key("PageDown")),
    ("wheel up", lambda desktop: desktop.session.xdotool("click", "4")),
    ("search", search),
]
# The same on the page, then what only the page does, each with the desktop's
# screen it must show.
WEB_STEPS = [
    ("a held click on a link", "link", lambda page: page.click(*LINK, hold=CLICK_HOLD)),
    ("Backspace", "back", lambda page: page.key("Backspace")),
    ("PageDown", "page down", lambda page: page.key("PageDown")),
    ("a wheel turn", "wheel up",
     lambda page: page.mouse("mouseWheel", *RESTING_PLACE, deltaX=0, deltaY=-100)),
    ("a search", "search", search),
    ("a reload: the link stays visited", "back", lambda page: page.send("Page.reload")),
    ("a click sent at once", "link", lambda page: page.click(*LINK, hold=0)),
    ("Backspace, again", "back", lambda page: page.key("Backspace")),
    ("a swipe up", "page down", lambda page: page.touch(WIDTH // 2, 300, to_y=150)),
    ("a swipe down", "back", lambda page: page.touch(WIDTH // 2, 150, to_y=300)),
    ("a tap on a link", "link", lambda page: page.touch(*LINK)),
]


def desktop_frames(reader, archive, scratch):
    started = start_xvfb("800x600x24")
    if started is None:
        return None
    server, display = started
    desktop = Desktop(reader, archive, display, scratch)
    try:
        frames = {"start": desktop.settled(bytes(WIDTH * HEIGHT * 3), "contents page")}
        for name, step in DESKTOP_STEPS:
            step(desktop)
            frames[name] = desktop.settled(frames[list(frames)[-1]], "screen after " + name)
    finally:
        for process in (desktop.process, server):
            process.kill()
            process.wait()
    if frames["back"] == frames["start"]:
        fail("the desktop shows the visited link as an unvisited one")
    return frames


def web_errors(browser, site, frames):
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=site))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    try:
        opened = time.monotonic()
        browser.open_page("http://127.0.0.1:%d/read.html?start=%s" % (server.server_address[1], START))
        browser.matching(frames["start"], "the page opened")
        print("the article showed %.1f s after the page was asked for" % (time.monotonic() - opened))
        for what, name, step in WEB_STEPS:
            step(browser)
            browser.matching(frames[name], what)
        return browser.errors()
    finally:
        server.shutdown()


def main():
    reader, magtool, archive, engine = sys.argv[1:5]
    if not os.path.exists(os.path.join(engine, "diskmag.wasm")):
        print("SKIPPED: no web engine was built (emscripten missing)")
        return SKIP
    with tempfile.TemporaryDirectory(prefix="reader-page-") as scratch:
        command = chromium_command(scratch)
        frames = command and desktop_frames(reader, archive, scratch)
        if frames is None:
            print("SKIPPED: %s missing" % ("Chromium" if command is None else "Xvfb"))
            return SKIP
        site = os.path.join(scratch, "site")
        subprocess.run([magtool, "web", archive, site], check=True, stdout=subprocess.DEVNULL,
                       env=dict(os.environ, DISKMAG_WEB_ENGINE=engine))
        with open(os.path.join(scratch, "chromium.log"), "w") as log:
            browser = Browser(command + ["--window-size=1400,1100"], log)
        try:
            browser.send("Browser.getVersion")
        except (EOFError, TimeoutError) as error:
            browser.close()
            print("SKIPPED: Chromium cannot start here (%s)" % error)
            return SKIP
        try:
            errors = web_errors(browser, site, frames)
        finally:
            browser.close()
    if errors:
        fail("the page reported errors: %s" % errors)
    print("the web reader drew what the desktop reader drew")
    return 0


if __name__ == "__main__":
    sys.exit(main())
