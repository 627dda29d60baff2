#!/usr/bin/env python3
"""Mutation testing of the portable core against the native unit tests.

Each mutant is one small change to one source file: an operator swapped, a comparison
moved by one, an integer constant off by one, a condition negated, a statement dropped.
The mutant is compiled from a copy of the file (the source tree is never written), linked
into a copy of unit_tests and run. It is caught when the tests fail or time out, survives
when they pass, and does not count when it does not compile.

    scripts/mutants.py [--files F ...] [--per-file N] [--seed S] [--budget-minutes M]
                       [--jobs J] [--list]

The build is build/mutants (the "mutants" configure preset: no sanitizers, -O0), so a
mutant costs one compile, one link and one test run. Candidates are made in a fixed order
and sampled per file with a fixed seed, so a run is reproducible. No new mutant starts
once the budget is spent; the report then says how many were left. The report goes to
stdout and to build/mutants/report.txt.

Each job works in a folder of its own, so jobs run side by side; on two cores two jobs
took some three quarters of the time one did. A test run that takes more than three
times the unmutated run's time (at least 5 s) is a hang, and the mutant caught. Mutants
that cannot change behaviour are listed in EQUIVALENT, each with its reason, and left out.
"""

import argparse
import json
import os
import random
import re
import shlex
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
from dataclasses import dataclass

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.path.join(ROOT, "build", "mutants")
TESTS_DIR = os.path.join(BUILD, "tests", "unit")
UNIT_TESTS = os.path.join(TESTS_DIR, "unit_tests")
REPORT = os.path.join(BUILD, "report.txt")

# The portable core files the run covers unless --files names others.
DEFAULT_FILES = [
    "src/engine/scheduler.cpp",
    "src/statistics/statistics_view.cpp",
    "src/shell/rilto_core.cpp",
    "src/common/civil_time.cpp",
    "src/engine/hold.cpp",
    "src/engine/pause.cpp",
    "src/engine/statistics_book.cpp",
    "src/common/day_figures.cpp",
    "src/engine/presence.cpp",
    "src/common/options.cpp",
    "src/engine/hook_watchdog.cpp",
    "src/settings/settings_apply.cpp",
    "src/common/settings_writer.cpp",
    "src/common/minute.cpp",
    "src/exercise/exercise_break.cpp",
    "src/shell/tray_menu_model.cpp",
    "src/common/text.cpp",
    "src/common/settings_loader.cpp",
    "src/exercise/scheme_store.cpp",
    "src/shell/tray_tip.cpp",
    "src/engine/micropause.cpp",
]

# Mutants that cannot change behaviour, so no test can catch them. Each entry is
# (file, the line's code stripped, the change as the report shows it, why).
EQUIVALENT = [
    ("src/common/minute.cpp", "if (value > kTooLong) {", "'>' -> '>='",
     "capping a value already at the cap changes nothing"),
    ("src/common/minute.cpp", "constexpr std::uint64_t kTooLong = kRealMinuteMs + 1;", "1 -> 2",
     "any cap above a real minute is rejected alike"),
    ("src/common/minute.cpp", "constexpr std::uint64_t kTooLong = kRealMinuteMs + 1;", "1 -> 0",
     "a cap of exactly a real minute gives a real minute, what a rejected value gives"),
    ("src/common/minute.cpp",
     "if (*p != '\\0' || value < kShortestMinuteMs || value > kRealMinuteMs) {", "'>' -> '>='",
     "a real minute is what a rejected value gives"),
    ("src/common/text.cpp", "const std::string digits = std::to_string(wide < 0 ? -wide : wide);",
     "'<' -> '<='", "minus zero is zero"),
    ("src/common/text.cpp", "const std::string digits = std::to_string(wide < 0 ? -wide : wide);",
     "0 -> 1", "minus zero is zero"),
    ("src/common/text.cpp", "if (padding > 0) {", "'>' -> '>='", "appending no zeros changes nothing"),
    ("src/engine/presence.cpp", "if (age <= now) {", "'<=' -> '<'",
     "an input at the clock's zero marks presence at 0, which the latest presence never is below"),
    ("src/engine/presence.cpp", "return now > presentAt_ ? now - presentAt_ : 0;", "'>' -> '>='",
     "present this very millisecond is away for 0 either way"),
    ("src/common/settings_loader.cpp",
     "return ReadNumber(store, section, key, def ? 1 : 0) != 0;", "1 -> 2",
     "the default is only compared with 0"),
    ("src/common/day_figures.cpp",
     "n && *n >= 0 && *n <= kMostInADay ? static_cast<std::int32_t>(*n) : 0;", "'>=' -> '>'",
     "a stored 0 reads as 0 whether kept or rejected"),
    ("src/common/day_figures.cpp",
     "n && *n >= 0 && *n <= kMostInADay ? static_cast<std::int32_t>(*n) : 0;", "0 -> 1",
     "a stored 0 reads as 0 whether kept or rejected"),
    ("src/engine/statistics_book.cpp",
     "if (notAhead == dated.begin() || dated.size() <= static_cast<std::size_t>(kDaysKept)) {",
     "'<=' -> '<'", "with exactly the days kept, none is beyond them and the loop drops none"),
]

KEYWORDS = {
    "return", "break", "continue", "case", "default", "goto", "throw", "delete", "using",
    "typedef", "static_assert", "namespace", "template", "public", "private", "protected",
    "else", "do", "if", "for", "while", "switch", "const", "constexpr", "static", "auto",
    "struct", "class", "enum", "friend", "operator", "new", "co_return", "co_yield",
}


@dataclass
class Mutant:
    path: str  # relative to ROOT
    line: int  # 1-based
    change: str  # e.g. "'<' -> '<='"
    original: str  # the whole line as written
    mutated: str  # the whole line after the change
    outcome: str = ""  # caught, survived, uncompiled (empty: not run)
    detail: str = ""

    def key(self):
        return (self.path, self.original.strip(), self.change)


# ---------------------------------------------------------------------------------------
# Finding candidates


def mask_code(lines):
    """Each line with comments blanked and string and character literals filled with 'x',
    column for column, so patterns over the result see only code."""
    masked = []
    in_block = False
    for text in lines:
        out = []
        i = 0
        n = len(text)
        while i < n:
            c = text[i]
            if in_block:
                if text.startswith("*/", i):
                    out.append("  ")
                    i += 2
                    in_block = False
                else:
                    out.append(" ")
                    i += 1
            elif text.startswith("//", i):
                out.append(" " * (n - i))
                i = n
            elif text.startswith("/*", i):
                out.append("  ")
                i += 2
                in_block = True
            elif c == '"' or (c == "'" and not (i > 0 and text[i - 1].isalnum())):
                j = i + 1
                while j < n and text[j] != c:
                    j += 2 if text[j] == "\\" else 1
                j = min(j + 1, n)
                out.append("x" * (j - i))
                i = j
            else:
                out.append(c)
                i += 1
        masked.append("".join(out))
    return masked


OPERATOR_SWAPS = {
    "+": ["-"], "-": ["+"], "*": ["/"], "/": ["*"], "%": ["*"],
    "+=": ["-="], "-=": ["+="], "*=": ["/="], "/=": ["*="],
    "<": ["<="], "<=": ["<"], ">": [">="], ">=": [">"], "==": ["!="], "!=": ["=="],
    "&&": ["||"], "||": ["&&"],
}
# A binary operator stands between spaces (clang-format writes them so); template angle
# brackets, pointers, references, unary signs and stream operators do not.
BINARY = re.compile(r"(?<= )(\+=|-=|\*=|/=|<=|>=|==|!=|&&|\|\||[-+*/%<>])(?= )")
INCREMENT = re.compile(r"\+\+|--")
NOT = re.compile(r"!(?!=)")
INTEGER = re.compile(r"(?<![\w.'])(\d+)([uUlL]*)(?![\w.'])")
BOOLEAN = re.compile(r"\b(true|false)\b")
RETURN = re.compile(r"^(\s*)return (.+);\s*$")
LOGICAL_OR_COMPARISON = re.compile(r" (<=|>=|==|!=|&&|\|\||<|>) |^!")
STATEMENT = re.compile(
    r"^\s*(?:(?:\+\+|--)\w|[A-Za-z_]\w*(?:(?:::|\.|->)[A-Za-z_~]\w*)*(?:\[[^\]]*\])*"
    r"\s*(?:\(|=(?!=)|\+=|-=|\*=|/=|\|=|&=|\+\+|--))")


def balanced(text):
    depth = 0
    for c in text:
        if c in "([{":
            depth += 1
        elif c in ")]}":
            depth -= 1
            if depth < 0:
                return False
    return depth == 0


def candidates(path):
    with open(os.path.join(ROOT, path), encoding="utf-8") as f:
        lines = f.read().split("\n")
    masked = mask_code(lines)
    found = []

    def add(index, start, end, replacement, change):
        text = lines[index]
        mutated = text[:start] + replacement + text[end:]
        found.append(Mutant(path, index + 1, change, text, mutated))

    previous_code = ";"
    for index, code in enumerate(masked):
        stripped = code.strip()
        if not stripped:
            continue
        if stripped.startswith("#") or not re.search(r"[\w]", stripped):
            previous_code = stripped if not stripped.startswith("#") else ";"
            continue
        for m in BINARY.finditer(code):
            for new in OPERATOR_SWAPS[m.group(1)]:
                add(index, m.start(1), m.end(1), new, f"'{m.group(1)}' -> '{new}'")
        for m in INCREMENT.finditer(code):
            new = "--" if m.group(0) == "++" else "++"
            add(index, m.start(), m.end(), new, f"'{m.group(0)}' -> '{new}'")
        for m in NOT.finditer(code):
            add(index, m.start(), m.end(), "", "'!' dropped")
        for m in INTEGER.finditer(code):
            value = int(m.group(1))
            for new in (value + 1, value - 1):
                if new >= 0:
                    add(index, m.start(1), m.end(1), str(new), f"{value} -> {new}")
        for m in BOOLEAN.finditer(code):
            new = "false" if m.group(1) == "true" else "true"
            add(index, m.start(), m.end(), new, f"{m.group(1)} -> {new}")
        ret = RETURN.match(code)
        if ret and LOGICAL_OR_COMPARISON.search(ret.group(2)) and balanced(ret.group(2)):
            start, end = ret.start(2), ret.end(2)
            add(index, start, end, f"!({lines[index][start:end]})", "return value negated")
        starts_statement = previous_code[-1] in ";{}):" or previous_code.endswith("else")
        first_word = re.match(r"\s*([A-Za-z_]\w*)", code)
        if (starts_statement and stripped.endswith(";") and balanced(stripped)
                and STATEMENT.match(code)
                and not (first_word and first_word.group(1) in KEYWORDS)):
            start = len(code) - len(code.lstrip())
            add(index, start, len(code.rstrip()), "{}", "statement dropped")
        previous_code = stripped
    return found


def sample(paths, per_file, seed):
    skipped = {(p, line, change) for p, line, change, _ in EQUIVALENT}
    chosen = {}
    totals = {}
    left_out = 0
    for path in paths:
        found = candidates(path)
        pool = [m for m in found if m.key() not in skipped]
        left_out += len(found) - len(pool)
        totals[path] = len(pool)
        rng = random.Random(f"{seed}:{path}")
        picked = pool if len(pool) <= per_file else rng.sample(pool, per_file)
        chosen[path] = sorted(picked, key=lambda m: (m.line, m.change))
    return chosen, totals, left_out


def interleave(chosen):
    """One mutant of each file in turn, so a run cut short by its budget covers every
    file alike."""
    order = []
    queues = [list(ms) for ms in chosen.values()]
    while any(queues):
        for q in queues:
            if q:
                order.append(q.pop(0))
    return order


# ---------------------------------------------------------------------------------------
# Building and running


class Runner:
    def __init__(self, timeout):
        self.timeout = timeout
        self.stop = threading.Event()
        self.live = set()
        self.lock = threading.Lock()
        with open(os.path.join(BUILD, "compile_commands.json"), encoding="utf-8") as f:
            self.compiles = {os.path.realpath(e["file"]): e for e in json.load(f)}
        commands = subprocess.run(["ninja", "-C", BUILD, "-t", "commands", "unit_tests"],
                                  check=True, capture_output=True, text=True).stdout
        link = commands.strip().split("\n")[-1]
        link = re.sub(r"^\s*:\s*&&\s*", "", link)
        link = re.sub(r"\s*&&\s*:\s*$", "", link)
        self.link = shlex.split(link)
        out = self.link.index("-o")
        self.link_insert = out  # the mutant's object goes before the output and libraries

    def run(self, argv, cwd, timeout):
        """(returncode or None on timeout, output)."""
        with self.lock:
            if self.stop.is_set():
                return None, "stopped"
            proc = subprocess.Popen(argv, cwd=cwd, stdout=subprocess.PIPE,
                                    stderr=subprocess.STDOUT, text=True,
                                    start_new_session=True)
            self.live.add(proc)
        try:
            out, _ = proc.communicate(timeout=timeout)
            if self.stop.is_set():
                return None, "stopped"
            return proc.returncode, out
        except subprocess.TimeoutExpired:
            os.killpg(proc.pid, signal.SIGKILL)
            proc.communicate()
            return None, "timed out"
        finally:
            with self.lock:
                self.live.discard(proc)

    def kill_all(self):
        with self.lock:
            self.stop.set()
            for proc in self.live:
                try:
                    os.killpg(proc.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass

    def try_mutant(self, mutant, work):
        source = os.path.join(ROOT, mutant.path)
        entry = self.compiles[os.path.realpath(source)]
        with open(source, encoding="utf-8") as f:
            lines = f.read().split("\n")
        assert lines[mutant.line - 1] == mutant.original
        lines[mutant.line - 1] = mutant.mutated
        copy = os.path.join(work, os.path.basename(source))
        with open(copy, "w", encoding="utf-8") as f:
            f.write("\n".join(lines))
        obj = os.path.join(work, "mutant.o")
        argv = shlex.split(entry["command"])
        argv = [a for a in argv if a != "-Werror"]  # a warning is no reason to skip it
        argv[argv.index("-o") + 1] = obj
        argv[argv.index("-c") + 1] = copy
        argv[1:1] = ["-w", "-iquote", os.path.dirname(source)]
        code, out = self.run(argv, entry["directory"], 300)
        if self.stop.is_set():
            return "stopped", ""
        if code != 0:
            return "uncompiled", out
        binary = os.path.join(work, "unit_tests")
        link = list(self.link)
        link[link.index("-o") + 1] = binary
        link.insert(self.link_insert, obj)
        code, out = self.run(link, BUILD, 300)
        if self.stop.is_set():
            return "stopped", ""
        if code != 0:
            return "uncompiled", out
        code, out = self.run([binary, "--gtest_brief=1", "--gtest_fail_fast"], TESTS_DIR,
                             self.timeout)
        if self.stop.is_set():
            return "stopped", ""
        if code is None:
            return "caught", "timed out"
        return ("survived" if code == 0 else "caught"), ""


def prepare():
    if not os.path.exists(os.path.join(BUILD, "CMakeCache.txt")):
        subprocess.run(["cmake", "--preset", "mutants"], cwd=ROOT, check=True,
                       stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", BUILD, "--target", "unit_tests"], cwd=ROOT,
                   check=True, stdout=subprocess.DEVNULL)
    started = time.monotonic()
    result = subprocess.run([UNIT_TESTS, "--gtest_brief=1"], cwd=TESTS_DIR,
                            capture_output=True, text=True)
    took = time.monotonic() - started
    if result.returncode != 0:
        sys.exit("mutants: the unit tests fail before any mutation:\n" + result.stdout)
    return took


# ---------------------------------------------------------------------------------------
# Report


def report(chosen, totals, skipped, ran, left, interrupted, wall, seed, per_file, timeout):
    rows = []
    width = max(len(p) for p in chosen) if chosen else 10
    head = (f"{'file':<{width}}  {'run/all':>7}  {'compiled':>8}  {'caught':>6}  "
            f"{'survived':>8}  {'score':>6}")
    rows.append(head)
    rows.append("-" * len(head))
    sums = [0, 0, 0, 0]
    survivors = []
    for path, mutants in chosen.items():
        done = [m for m in mutants if m.outcome]
        compiled = [m for m in done if m.outcome in ("caught", "survived")]
        caught = sum(m.outcome == "caught" for m in compiled)
        survived = [m for m in compiled if m.outcome == "survived"]
        survivors += survived
        score = f"{100 * caught / len(compiled):.0f} %" if compiled else "-"
        sampled = f"{len(done)}/{totals[path]}"
        rows.append(f"{path:<{width}}  {sampled:>7}  {len(compiled):>8}  {caught:>6}  "
                    f"{len(survived):>8}  {score:>6}")
        for i, v in enumerate((len(done), len(compiled), caught, len(survived))):
            sums[i] += v
    rows.append("-" * len(head))
    score = f"{100 * sums[2] / sums[1]:.1f} %" if sums[1] else "-"
    rows.append(f"{'total':<{width}}  {sums[0]:>7}  {sums[1]:>8}  {sums[2]:>6}  "
                f"{sums[3]:>8}  {score:>6}")
    text = [f"Mutation run: seed {seed}, {per_file} per file, {ran} mutants run in "
            f"{wall / 60:.1f} min (tests time out after {timeout:.1f} s)"]
    if left:
        why = "The run was interrupted" if interrupted else "The budget ran out"
        text.append(f"{why}: {left} sampled mutants were not run.")
    text.append("run/all: mutants run / candidates in the file; only compiled mutants count; "
                f"{skipped} candidates left out as equivalent (EQUIVALENT in the script).")
    text.append("")
    text += rows
    text.append("")
    # A mutant that only makes the tests slower on a loaded machine can time out: those
    # are named, so that a reader can tell them from a failing test.
    slow = [m for ms in chosen.values() for m in ms if m.detail == "timed out"]
    if slow:
        text.append(f"Caught by the time-out ({len(slow)}):")
        for m in slow:
            text.append(f"  {m.path}:{m.line}  {m.change}")
        text.append("")
    text.append(f"Survivors ({len(survivors)}):" if survivors else "No survivors.")
    for m in survivors:
        text.append(f"  {m.path}:{m.line}  {m.change}")
        text.append(f"      {m.original.strip()}")
        text.append(f"   -> {m.mutated.strip()}")
    return "\n".join(text) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--files", nargs="+", default=DEFAULT_FILES,
                        help="source files, relative to the repository (default: the core list)")
    parser.add_argument("--per-file", type=int, default=12, help="mutants sampled per file")
    parser.add_argument("--seed", default="1", help="seed of the sample")
    parser.add_argument("--budget-minutes", type=float, default=18.0,
                        help="no new mutant starts after this many minutes")
    parser.add_argument("--jobs", type=int, default=2, help="mutants tried at once")
    parser.add_argument("--list", action="store_true",
                        help="print the sampled mutants and stop")
    args = parser.parse_args()
    # Interrupted (also when started in the background, which ignores SIGINT) or
    # terminated, the run stops its compilers and tests and reports what ran.
    for sig in (signal.SIGINT, signal.SIGTERM):
        signal.signal(sig, signal.default_int_handler)

    started = time.monotonic()
    deadline = started + args.budget_minutes * 60
    paths = [os.path.relpath(os.path.join(ROOT, p), ROOT) for p in args.files]
    chosen, totals, skipped = sample(paths, args.per_file, args.seed)
    order = interleave(chosen)
    if args.list:
        for m in order:
            print(f"{m.path}:{m.line}  {m.change}\n    {m.mutated.strip()}")
        return 0

    took = prepare()
    timeout = max(3 * took, 5.0)
    runner = Runner(timeout)
    # This run's copies of the mutated files and its objects and programs.
    work_root = tempfile.mkdtemp(dir=BUILD, prefix="work-")
    pending = list(order)
    pending_lock = threading.Lock()
    count = [0]

    def worker():
        with tempfile.TemporaryDirectory(dir=work_root) as work:
            while not runner.stop.is_set() and time.monotonic() < deadline:
                with pending_lock:
                    if not pending:
                        return
                    mutant = pending.pop(0)
                outcome, detail = runner.try_mutant(mutant, work)
                if outcome == "stopped":
                    with pending_lock:
                        pending.insert(0, mutant)
                    return
                mutant.outcome, mutant.detail = outcome, detail
                with pending_lock:
                    count[0] += 1
                    slow = " (timed out)" if detail == "timed out" else ""
                    print(f"[{count[0]}/{len(order)}] {outcome:<10} {mutant.path}:"
                          f"{mutant.line}  {mutant.change}{slow}", flush=True)

    threads = [threading.Thread(target=worker) for _ in range(max(1, args.jobs))]
    for t in threads:
        t.start()
    interrupted = False
    try:
        while any(t.is_alive() for t in threads):
            for t in threads:
                t.join(0.2)
    except KeyboardInterrupt:
        print("mutants: interrupted; reporting what ran", file=sys.stderr)
        interrupted = True
        runner.kill_all()
        for t in threads:
            t.join()
    wall = time.monotonic() - started
    text = report(chosen, totals, skipped, count[0], len(order) - count[0], interrupted, wall,
                  args.seed, args.per_file, timeout)
    os.makedirs(BUILD, exist_ok=True)
    with open(REPORT, "w", encoding="utf-8") as f:
        f.write(text)
    print()
    print(text, end="")
    print(f"(also in {os.path.relpath(REPORT, ROOT)})")
    shutil.rmtree(work_root, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
