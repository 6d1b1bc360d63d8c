#!/usr/bin/env python3
"""The site in a real browser: headless Chromium opens search.html?q=music
from the disk, its script runs, and the result links it shows are the pages
of the reader's own hits for that query, in the reader's order."""
import os
import re
import shutil
import subprocess
import sys
import tempfile

SKIP = 77
QUERY = "music"
BROWSER_SECONDS = 120  # a start takes a few seconds on a busy machine


def chromium(scratch, *args):
    """Headless Chromium's standard output for args, or None when it cannot start."""
    browser = shutil.which("chromium") or shutil.which("chromium-browser")
    if browser is None:
        return None
    # Chromium refuses root without --no-sandbox; its own profile keeps runs apart.
    flags = ["--headless", "--disable-gpu", "--user-data-dir=" + os.path.join(scratch, "profile")]
    if os.geteuid() == 0:
        flags.append("--no-sandbox")
    out = subprocess.run([browser, *flags, *args], capture_output=True, text=True,
                         timeout=BROWSER_SECONDS)
    if out.returncode != 0 and not out.stdout:
        print(out.stderr[-2000:])
        return None
    return out.stdout


def main():
    site_tool, archive = sys.argv[1:3]
    with tempfile.TemporaryDirectory() as scratch:
        site = os.path.join(scratch, "site")
        os.mkdir(site)
        hits = subprocess.run([site_tool, archive, site, QUERY], capture_output=True, text=True,
                              check=True).stdout.splitlines()
        expected = [hit.split("\t")[3] for hit in hits]
        url = "file://" + os.path.join(site, "search.html") + "?q=" + QUERY
        dom = chromium(scratch, "--dump-dom", url)
    if dom is None:
        print("SKIPPED: Chromium cannot start here")
        return SKIP
    links = re.findall(r'<li><a href="([^"]*)"', dom)
    if not expected or links != expected:
        print("FAILED: the reader found %s, the page shows %s" % (expected, links))
        return 1
    print("the page shows the reader's %d hits for %r" % (len(expected), QUERY))
    return 0


sys.exit(main())
