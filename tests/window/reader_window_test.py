#!/usr/bin/env python3
"""The real reader on Xvfb, in a window and full screen, driven as a user drives it: Enter
in the setup dialog, a link clicked, Backspace, the link clicked by a mouse moved by steps,
Escape twice. Each page must match magtool render's."""
import os
import select
import shutil
import struct
import subprocess
import sys
import tempfile
import time

from screen_images import read_png, read_xwd

SKIP = 77
# (display, full screen, window manager); SDL 2 scales no full screen without one.
RUNS = [("800x600x24", 0, []), ("640x480x24", 1, []), ("640x480x24", 1, ["openbox"]),
        ("1024x768x24", 1, ["openbox"])]
CLICK_HOLD = 0.08  # as a hand holds a click; keys are tapped at once

# Regions (x, y, width, height) of the screen with no link, animation or pointer.
REGIONS = {"strip": (64, 0, 190, 62), "headline": (24, 64, 600, 40), "text": (24, 140, 600, 58)}
CHANNEL_TOLERANCE = 16
MISMATCH_ALLOWED = 0.01  # of a region's pixels

LINK = (140, 275)  # "The making of Marrowin" on the contents page
RESTING_PLACE = (630, 120)  # in the right margin, away from links, buttons and regions
SETTLE = 0.4  # lets a transition that is nearly done end before the next input


def fail(message):
    sys.exit("FAILED: " + message)


def poll(check, seconds, pause, failure):
    """check() until it gives something true, else fail(failure()) after seconds."""
    deadline = time.monotonic() + seconds
    while not (found := check()):
        if time.monotonic() > deadline:
            fail(failure())
        time.sleep(pause)
    return found


def start_xvfb(screen):
    """An Xvfb on a free display of its own choosing, or None."""
    if shutil.which("Xvfb") is None:
        return None
    ready_read, ready_write = os.pipe()
    server = subprocess.Popen(  # that does not reset when the setup dialog, its last client, ends
        ["Xvfb", "-screen", "0", screen, "-noreset", "-displayfd", str(ready_write)],
        pass_fds=(ready_write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(ready_write)
    with os.fdopen(ready_read) as ready:
        number = ready.readline().strip() if select.select([ready], [], [], 10)[0] else ""
    if number.isdigit():
        return server, ":" + number
    server.kill()
    server.wait()
    return None


class Session:
    def __init__(self, display):
        # Nearest scaling keeps the scaled screen's pixels those of the page.
        self.env = dict(os.environ, DISPLAY=display, SDL_VIDEODRIVER="x11", SDL_AUDIODRIVER="dummy",
                        SDL12COMPAT_SCALE_METHOD="nearest")
        self.origin = (0, 0)

    def place(self, x, y):  # of the middle of screen pixel (x, y)
        return [o + int((v + 0.5) * self.scale) for o, v in zip(self.origin, (x, y))]

    def xdotool(self, *args):
        return subprocess.run(["xdotool", *args], env=self.env, capture_output=True, text=True).stdout

    def wait_for_window(self, name, seconds):
        # Only a mapped window can take the focus that the next key needs.
        return poll(lambda: self.xdotool("search", "--onlyvisible", "--name", name).split(),
                    seconds, 0.2, lambda: "no window named %r within %d s" % (name, seconds))[0]

    def focus(self, window):
        geometry = dict(line.split("=") for line in
                        self.xdotool("getwindowgeometry", "--shell", window).split())
        x, y, width = (int(geometry[key]) for key in ("X", "Y", "WIDTH"))
        self.origin, self.scale = (x, y), width / 640
        self.move(320, 240)
        poll(lambda: self.takes_focus(window), 6, 0.1,
             lambda: "window %s never took the focus" % window)

    def takes_focus(self, window):
        self.xdotool("windowfocus", window)
        return self.xdotool("getwindowfocus").strip() == window

    def move(self, x, y, by_steps=False):  # by steps from the resting place, as a mouse moves
        start = self.place(*RESTING_PLACE) if by_steps else (0, 0)
        steps = [str(a - b) for a, b in zip(self.place(x, y), start)]
        self.xdotool("mousemove_relative" if by_steps else "mousemove", "--", *steps)

    def click(self, x, y, by_steps=False):
        self.move(x, y, by_steps)
        time.sleep(0.2)
        self.xdotool("mousedown", "1")
        time.sleep(CLICK_HOLD)
        self.xdotool("mouseup", "1")

    def mismatches(self, reference):
        """For each region, the share of its pixels that differ from the reference."""
        dump = subprocess.run(["xwd", "-root", "-silent"], env=self.env, capture_output=True,
                              check=True).stdout
        shares = {}
        for name, (x, y, width, height) in REGIONS.items():
            left, top = self.place(x, y)
            right, bottom = self.place(x + width - 1, y + height - 1)
            shot = read_xwd(dump, (left, top, right + 1 - left, bottom + 1 - top))
            pairs = [(shot[v - top][u - left], reference[y + r][x + c]) for r in range(height)
                     for c in range(width) for u, v in [self.place(x + c, y + r)]]
            shares[name] = sum(max(abs(a - b) for a, b in zip(*pair)) > CHANNEL_TOLERANCE
                               for pair in pairs) / len(pairs)
        return shares

    def wait_for_page(self, reference, what, seconds):
        shares = {}

        def shown():
            shares.update(self.mismatches(reference))
            return all(share <= MISMATCH_ALLOWED for share in shares.values())
        poll(shown, seconds, 0.3,
             lambda: "%s not shown within %d s; differing shares %s" % (what, seconds, shares))
        time.sleep(SETTLE)


def run(reader, archive, pages, session, full_screen, scratch):
    run_dir = tempfile.mkdtemp(dir=scratch)
    shutil.copy(archive, os.path.join(run_dir, "data.rs"))
    # 32 bits, music on (into the dummy audio driver), fast fades.
    with open(os.path.join(run_dir, "setup.cfg"), "wb") as file:
        file.write(struct.pack("<13i", 1, 1, full_screen, 2000, 300, 1, 0, 1, 1, 0, 1, 0, 32))

    with open(os.path.join(scratch, "out.txt"), "w") as out:
        process = subprocess.Popen([reader], cwd=run_dir, env=session.env, stdout=out,
                                   stderr=subprocess.STDOUT)
    try:
        session.focus(session.wait_for_window("Engine setup:", 30))
        session.xdotool("key", "Return")  # keys are tapped, as a touchpad sends them
        session.focus(session.wait_for_window("Marrowin#1", 30))
        session.wait_for_page(pages["index"], "the contents page", 45)  # the 7 s cover first
        session.click(*LINK)
        session.move(*RESTING_PLACE)
        session.wait_for_page(pages["making"], "the linked article", 6)
        session.xdotool("key", "BackSpace")
        session.wait_for_page(pages["index"], "the contents page after back", 6)
        session.click(*LINK, by_steps=True)  # the pointer stays where the article has no link
        session.wait_for_page(pages["making"], "the article linked by a mouse moved by steps", 6)
        session.xdotool("key", "Escape")
        time.sleep(1)
        if process.poll() is not None:
            fail("the first Escape ended the reader")
        session.xdotool("key", "Escape")
        status = process.wait(timeout=8)
    except subprocess.TimeoutExpired:
        fail("the reader did not end after the second Escape")
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()
    if status != 0:
        with open(os.path.join(scratch, "out.txt")) as out:
            fail("the reader ended with status %d:\n%s" % (status, out.read()))
    left = sorted(os.listdir(run_dir))
    if "history.tmp" not in left or any(name.startswith("tmp_") for name in left):
        fail("no history.tmp for the visited link, or temporary files left: %s" % left)


def main():
    reader, magtool, archive = sys.argv[1:4]
    with tempfile.TemporaryDirectory(prefix="reader-window-") as scratch:
        pages = {}
        for name in ("index", "making"):
            out = os.path.join(scratch, name + ".png")
            subprocess.run([magtool, "render", archive, "DATA/arts/%s.art" % name, out], check=True)
            with open(out, "rb") as file:
                pages[name] = read_png(file.read())
        for screen, full_screen, managers in RUNS:
            started = start_xvfb(screen)
            if started is None:
                print("skipped: Xvfb cannot start")
                return SKIP
            server, display = started
            ready = os.path.join(tempfile.mkdtemp(dir=scratch), "managed")  # once the manager runs
            helpers = [server] + [subprocess.Popen(
                [name, "--startup", "touch " + ready], env=dict(os.environ, DISPLAY=display),
                stdout=subprocess.DEVNULL) for name in managers]
            print("%s, full screen %d, managed by %s" % (screen, full_screen, managers))
            try:
                poll(lambda: not managers or os.path.exists(ready), 30, 0.1, lambda: "no manager")
                run(reader, archive, pages, Session(display), full_screen, scratch)
            finally:
                for helper in reversed(helpers):
                    helper.terminate()
                    helper.wait()
    print("reader window test passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
