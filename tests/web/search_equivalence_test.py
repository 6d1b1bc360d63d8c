#!/usr/bin/env python3
"""search.js, run by Node.js over the search index a site holds, finds the
reader's hits for each query, in the reader's order and with its scores. The
issue is the demo issue with one article more, whose title and keywords are
not ASCII, with a quote and a backslash in its title."""
import os
import subprocess
import sys
import tempfile

ACCENTED = ("<#TITLE#>Caf\u00e9 \"cr\u00e8me\" \\\\ \\FF0000 x<#END#>\n"
            "<#KEYWORDS#>br\u00fbl\u00e9e<#END#>\nText.\n")
QUERIES = ["music", "t:music", "a:", "k:pixel", "MUSIC", "marrowin", "a:tamsin orell",
           "t:feature: m", "\\FFD040", "t:", "k", "nothing has this", "\u00e9", "\u00c9", "CAF\u00c9",
           "k:br\u00fbl\u00e9e", "t:\"cr\u00e8me\" \\"]

NODE = r"""
const fs = require("fs"), vm = require("vm");
const [site, ...queries] = process.argv.slice(1);
for (const name of ["search-index.js", "search.js"]) {
  vm.runInThisContext(fs.readFileSync(site + "/" + name, "utf8"));
}
queries.forEach((query, i) => {
  for (const hit of SearchHits(SEARCH_INDEX, query)) {
    console.log([i, hit.score, hit.entry.path, hit.entry.page].join("\t"));
  }
});
"""


def run(*command):
    return subprocess.run(command, capture_output=True, text=True, check=True).stdout


def main():
    site_tool, magtool, archive = sys.argv[1:4]
    with tempfile.TemporaryDirectory() as scratch:
        issue, site = os.path.join(scratch, "issue"), os.path.join(scratch, "site")
        os.mkdir(site)
        run(magtool, "extract", archive, issue)
        with open(os.path.join(issue, "DATA/arts/accents.art"), "w", encoding="utf-8") as article:
            article.write(ACCENTED)
        with open(os.path.join(issue, "DATA/configs/search.lst"), "a") as listing:
            listing.write("DATA/arts/accents.art\n")
        engine = run(site_tool, issue, site, *QUERIES)
        script = run("node", "-e", NODE, site, *QUERIES)
    if script != engine or engine.count("\n") < len(QUERIES):
        print("FAILED: the reader found\n" + engine + "search.js found\n" + script)
        return 1
    print("%d hits alike for %d queries" % (engine.count("\n"), len(QUERIES)))
    return 0


sys.exit(main())
