#!/usr/bin/env python3
"""Mutation testing: how many small faults in the engine do the unit tests catch?

Each fault (a comparison flipped, a constant off by one, a condition negated, a
statement removed) is applied to one source file at a time; unit_tests is rebuilt
in its own build directory and run. A failure, crash or timeout counts as caught,
and so does a demo issue that no longer builds; a mutant whose engine library does
not compile is "not viable" and, when drawing a new sample, is
replaced by the next fault from the same folder. The file is always restored, and
a run killed outright restores it on the next start from a note in the build dir.

    scripts/mutants.py --seed 16 --count 64 --sample-out faults.json
    scripts/mutants.py --sample-in faults.json      # the very same faults again
"""
import argparse
import json
import os
import random
import re
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
FOLDERS = ["engine", "setup", "resources", "pictures", "text", "articles", "widgets", "music"]
OPS = ["cmp", "const", "neg", "del"]
FLIP = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
CMP_RE = re.compile(r"(?<=\s)(<=|>=|==|!=|<|>)(?=\s)")
NUM_RE = re.compile(r"(?<![\w.'])(\d+)([uUlL]*)(?![\w.'])")
COND_RE = re.compile(r"\b(if|while) \(")
NO_DEL = re.compile(r"^(return|break|continue|case|default|using|typedef|struct|class|enum|"
                    r"namespace|template|goto|static_assert|constexpr|const|static|auto)\b")
STATEMENT_RE = re.compile(r"^(\+\+|--)?[\w.:\[\]>*-]+(\(|\s*([-+*/|&^]|<<|>>)?=\s|\+\+;|--;)")


# ---------------------------------------------------------------- finding faults

def blank_literals(lines):
    """Yields each line with comments, strings and character literals blanked out,
    columns kept, so that patterns only ever match code."""
    in_block = False
    for line in lines:
        out, i = [], 0
        while i < len(line):
            if in_block:
                end = line.find("*/", i)
                stop = len(line) if end < 0 else end + 2
                out.append(" " * (stop - i))
                in_block, i = end < 0, stop
            elif line.startswith("//", i):
                out.append(" " * (len(line) - i))
                i = len(line)
            elif line.startswith("/*", i):
                in_block = True
            elif line[i] in "\"'":
                quote, j = line[i], i + 1
                while j < len(line) and line[j] != quote:
                    j += 2 if line[j] == "\\" else 1
                j = min(j + 1, len(line))
                out.append(quote + " " * (j - i - 2) + quote if j - i >= 2 else quote)
                i = j
            else:
                out.append(line[i])
                i += 1
        yield "".join(out)


def close_paren(code, start):
    depth = 0
    for k in range(start, len(code)):
        depth += {"(": 1, ")": -1}.get(code[k], 0)
        if depth == 0:
            return k
    return -1


def line_faults(line, code, previous):
    """All faults for one source line: (op, column, mutated line)."""
    if code.lstrip().startswith("#") or "assert" in code:
        return
    for m in CMP_RE.finditer(code):
        yield "cmp", m.start(), line[:m.start()] + FLIP[m.group(1)] + line[m.end():]
    for m in NUM_RE.finditer(code):
        bumped = str(int(m.group(1)) + 1) + m.group(2)
        yield "const", m.start(), line[:m.start()] + bumped + line[m.end():]
    for m in COND_RE.finditer(code):
        open_at = m.end() - 1
        close_at = close_paren(code, open_at)
        if close_at > 0:
            yield "neg", m.start(), (line[:open_at + 1] + "!(" + line[open_at + 1:close_at]
                                     + ")" + line[close_at:])
    stmt = code.strip()
    if (stmt.endswith(";") and not NO_DEL.match(stmt) and STATEMENT_RE.match(stmt)
            and stmt.count("(") == stmt.count(")")
            and previous.rstrip().endswith((";", "{", "}", ":", ")", "else"))):
        indent = line[:len(line) - len(line.lstrip())]
        yield "del", len(indent), indent + ";"


def library_sources():
    listing = (ROOT / "src/CMakeLists.txt").read_text()
    return sorted(name for name in re.findall(r"^\s*(\w+/\w+\.cpp)\s*$", listing, re.M)
                  if name.split("/")[0] in FOLDERS)


def all_faults():
    faults = []
    for name in library_sources():
        lines = (ROOT / "src" / name).read_text().split("\n")
        previous = ""
        for number, (line, code) in enumerate(zip(lines, blank_literals(lines)), 1):
            for op, col, after in line_faults(line, code, previous):
                faults.append({"file": "src/" + name, "line": number, "op": op, "col": col,
                               "before": line, "after": after})
            if code.strip():
                previous = code
    return faults


def fault_queues(seed):
    """Per folder, every fault in a seeded order that alternates the kinds of fault
    and uses each line once before any line twice."""
    rng = random.Random(seed)
    by_folder = {folder: {op: [] for op in OPS} for folder in FOLDERS}
    for fault in all_faults():
        by_folder[fault["file"].split("/")[1]][fault["op"]].append(fault)
    queues = {}
    for folder, by_op in by_folder.items():
        for faults in by_op.values():
            rng.shuffle(faults)
        first, later, seen = [], [], set()
        for rank in range(max(map(len, by_op.values()))):
            for fault in (faults[rank] for faults in by_op.values() if rank < len(faults)):
                where = (fault["file"], fault["line"])
                (later if where in seen else first).append(fault)
                seen.add(where)
        queues[folder] = first + later
    return queues


def quotas(queues, count):
    """Shares of the sample in proportion to each folder's faults, at least six each."""
    total = sum(map(len, queues.values()))
    share = {f: max(6, count * len(q) // total) for f, q in queues.items()}
    for folder in sorted(queues, key=lambda f: -len(queues[f])):
        if sum(share.values()) >= count:
            break
        share[folder] += 1
    return share


# ---------------------------------------------------------------- running them

class Stop(Exception):
    pass


def run_group(cmd, timeout, **kwargs):
    """Runs cmd in its own process group, killed whole on timeout or interruption.
    Returns (status, output); status None means timed out."""
    proc = subprocess.Popen(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                            text=True, errors="replace", start_new_session=True, **kwargs)
    try:
        out, _ = proc.communicate(timeout=timeout)
        return proc.returncode, out
    except subprocess.TimeoutExpired:
        return None, ""
    finally:
        if proc.poll() is None:
            os.killpg(proc.pid, signal.SIGKILL)
            proc.wait()


class Mutant:
    """Applies a fault for the length of a with-block; the original text is noted
    in the build dir first so that even a killed run gets restored next time."""

    def __init__(self, note, fault):
        self.note, self.fault = note, fault
        self.path = ROOT / fault["file"]

    def __enter__(self):
        self.original = self.path.read_text()
        lines = self.original.split("\n")
        at = self.fault["line"] - 1
        if at >= len(lines) or lines[at] != self.fault["before"]:
            matches = [i for i, line in enumerate(lines) if line == self.fault["before"]]
            if len(matches) != 1:
                return False
            at = matches[0]
        lines[at] = self.fault["after"]
        self.note.write_text(json.dumps({str(self.path): self.original}))
        self.path.write_text("\n".join(lines))
        return True

    def __exit__(self, *exc):
        restore(self.note)


def restore(note):
    if note.exists():
        for path, text in json.loads(note.read_text()).items():
            Path(path).write_text(text)
        note.unlink()


def build(build_dir, target="unit_tests", timeout=3600):
    status, out = run_group(["cmake", "--build", str(build_dir), "--parallel", "2",
                             "--target", target], timeout)
    return status, out


def run_tests(build_dir, timeout):
    env = dict(os.environ, SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy")
    start = time.monotonic()
    status, out = run_group([str(build_dir / "bin/unit_tests"), "--gtest_fail_fast"],
                            timeout, env=env, cwd=build_dir)
    failed = re.findall(r"^\[  FAILED  \] (\S+)", out, re.M)
    return status, failed[0] if failed else "", time.monotonic() - start


def describe(fault):
    return f'{fault["file"]}:{fault["line"]} {fault["op"]}: {fault["after"].strip()}'


def try_fault(args, fault, timeout):
    with Mutant(args.build_dir / "mutant-restore.json", fault) as applied:
        if not applied:
            return "stale", ""
        if build(args.build_dir, "diskmag_engine")[0] != 0:
            return "not viable", ""
        # The demo issue is packed by magtool at build time: a fault may stop it.
        status = build(args.build_dir, timeout=600)[0]
        if status != 0:
            return "caught", "building the demo issue" if status is not None else "build timeout"
        status, failed, _ = run_tests(args.build_dir, timeout)
        if status is None:
            return "caught", "timeout"
        return ("caught", failed or f"status {status}") if status != 0 else ("survived", "")


def save(path, faults):
    if path:
        Path(path).write_text(json.dumps(faults, indent=1) + "\n")


def run(args):
    restore(args.build_dir / "mutant-restore.json")
    if args.sample_in:
        sample = [f for f in json.loads(Path(args.sample_in).read_text())
                  if f.get("status") != "not viable"]
        queues, plan = {}, [(f, None) for f in sample]
    else:
        queues = fault_queues(args.seed)
        share = quotas(queues, args.count)
        plan = [(f, folder) for folder in FOLDERS for f in queues[folder][:share[folder]]]
        for folder in FOLDERS:
            del queues[folder][:share[folder]]
    save(args.sample_out, [f for f, _ in plan])
    if args.dry_run:
        return 0

    subprocess.run(["cmake", "-S", str(ROOT), "-B", str(args.build_dir),
                    "-DCMAKE_BUILD_TYPE=Release"], check=True, stdout=subprocess.DEVNULL)
    status, out = build(args.build_dir)
    if status != 0:
        sys.exit(out[-3000:] + "\nmutants: the unmutated sources do not build")
    status, failed, seconds = run_tests(args.build_dir, 3600)
    if status != 0:
        sys.exit(f"mutants: the unit tests fail without any fault ({failed})")
    timeout = args.timeout or max(60, 5 * seconds)
    print(f"baseline: tests pass in {seconds:.0f} s; timeout {timeout:.0f} s", flush=True)

    done, start = [], time.monotonic()
    while plan:
        fault, folder = plan.pop(0)
        began = time.monotonic()
        fault["status"], fault["caught_by"] = try_fault(args, fault, timeout)
        done.append(fault)
        print(f'[{len(done)}] {fault["status"]:10} {describe(fault)} '
              f'({time.monotonic() - began:.0f} s) {fault["caught_by"]}', flush=True)
        if fault["status"] in ("not viable", "stale") and folder and queues[folder]:
            plan.insert(0, (queues[folder].pop(0), folder))
        save(args.sample_out, done + [f for f, _ in plan])
    report(done, time.monotonic() - start)
    return 0


def report(done, seconds):
    caught = [f for f in done if f["status"] == "caught"]
    survived = [f for f in done if f["status"] == "survived"]
    viable = len(caught) + len(survived)
    print(f"\ncaught {len(caught)}/{viable} viable faults"
          f" ({100 * len(caught) / max(1, viable):.0f}%) in {seconds / 60:.0f} min")
    for title, status in (("survived", "survived"), ("not viable", "not viable"),
                          ("stale (source changed)", "stale")):
        chosen = [f for f in done if f["status"] == status]
        if chosen:
            print(f"\n{title}:")
            for fault in chosen:
                print(f'  {describe(fault)}   (was: {fault["before"].strip()})')


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--seed", type=int, default=16)
    parser.add_argument("--count", type=int, default=64)
    parser.add_argument("--sample-in", help="run exactly the faults in this file")
    parser.add_argument("--sample-out", help="write the faults (with results) here")
    parser.add_argument("--dry-run", action="store_true", help="only draw the sample")
    parser.add_argument("--timeout", type=float, help="test seconds (default 5x baseline)")
    parser.add_argument("--build-dir", type=Path, default=ROOT / "build-mutants")
    args = parser.parse_args()
    args.build_dir = args.build_dir.resolve()

    def stop(*_):
        raise Stop()
    signal.signal(signal.SIGTERM, stop)
    if signal.getsignal(signal.SIGHUP) != signal.SIG_IGN:  # nohup keeps it ignored
        signal.signal(signal.SIGHUP, stop)
    try:
        return run(args)
    except (KeyboardInterrupt, Stop):
        restore(args.build_dir / "mutant-restore.json")
        print("mutants: interrupted; sources restored", file=sys.stderr)
        return 130


if __name__ == "__main__":
    sys.exit(main())
