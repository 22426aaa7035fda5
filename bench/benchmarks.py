#!/usr/bin/env python3
"""Pathwick benchmarks: each measurement drives the real binary on a
pseudo-terminal and is compared with its target.

Adding a measurement: write a function that takes the Options and returns a
list of Result, and decorate it with @benchmark. Run one by name with
  bench/run --only NAME
"""

import argparse
import glob
import os
import random
import re
import sqlite3
import statistics
import subprocess
import sys
import tempfile
import time
from dataclasses import dataclass

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from pty_session import PtySession  # noqa: E402

# The last text of the menu: once it is written the whole frame is out
# (ncurses writes a frame top to bottom in one update).
MENU_DRAWN = "(0-9, P, ?)".encode()
# The end of the drill's order prompt (the S before it is highlighted, so
# its colours come in between) and a label of a drill question's answer bar.
ORDER_PROMPT = b"]equence?"
QUESTION_DRAWN = b"Stop Drill"
# The line the H key shows on a drill question, up to the right letter; the
# letter is drawn in its own colours, so escape sequences may come between.
RIGHT_LETTER = re.compile(rb"The Correct Answer is: (?:\x1b\[[0-9;?]*[A-Za-z]|\x1b\([0-9A-Z])*([A-D])")

BENCHMARKS = []


def benchmark(function):
    BENCHMARKS.append(function)
    return function


@dataclass
class Result:
    name: str
    value: float
    unit: str
    target: float = None  # the value must stay below this; None: for information
    at_most: bool = False  # the value may also equal the target

    @property
    def passed(self):
        if self.target is None:
            return True
        return self.value <= self.target if self.at_most else self.value < self.target

    def line(self):
        figure = f"{self.name:<46} {self.value:>9.2f} {self.unit:<3}"
        if self.target is None:
            return f"{figure} (for reference)"
        verdict = "PASS" if self.passed else "FAIL"
        relation = "<=" if self.at_most else "<"
        return f"{figure} target {relation} {self.target:g} {self.unit:<3} {verdict}"


@dataclass
class Options:
    binary: str
    cwd: str
    runs: int
    idle_seconds: float
    answers: int

    def session(self, args=()):
        env = dict(os.environ, TERM="xterm-256color", LANG="C.UTF-8", LC_ALL="C.UTF-8")
        return PtySession(self.binary, cwd=self.cwd, env=env, args=args)


def voluntary_switches(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("voluntary_ctxt_switches:"):
                return int(line.split()[1])
    return 0


@benchmark
def machine(options):
    """How fast this machine starts a trivial program: context for the rest."""
    times = []
    for _ in range(options.runs):
        with PtySession("/bin/echo") as session:
            times.append(session.wait_for(b"\n") * 1000)
    with open("/proc/loadavg") as f:
        load = float(f.read().split()[0])
    return [Result("reference: /bin/echo start to output (median)", statistics.median(times), "ms"),
            Result("reference: load average (1 min)", load, "")]


def measure_startup(options, args=()):
    """Milliseconds to a fully drawn menu (median) and the most bytes of that
    first frame, over the runs."""
    times, sizes = [], []
    for _ in range(options.runs):
        with options.session(args) as session:
            times.append(session.wait_for(MENU_DRAWN) * 1000)
            session.settle()
            sizes.append(len(session.output))
    return statistics.median(times), max(sizes)


@benchmark
def startup(options):
    """Start-up to a fully drawn menu (median), and the bytes of that first frame."""
    median, size = measure_startup(options)
    return [
        Result(f"start-up to drawn menu (median of {options.runs})", median, "ms", 20),
        Result("bytes written for the first menu frame", size, "B", 6 * 1024),
    ]


@benchmark
def startup_current_pool(options):
    """The same with --pool 2026: the other pool is compiled in as well, so
    it must start as fast."""
    median, size = measure_startup(options, ("--pool", "2026"))
    return [
        Result(f"start-up with --pool 2026 (median of {options.runs})", median, "ms", 20),
        Result("bytes written for its first menu frame", size, "B", 6 * 1024),
    ]


@benchmark
def startup_general_and_extra(options):
    """The same on the General and Amateur Extra pools, the largest."""
    results = []
    for pool in ("general", "extra"):
        median, size = measure_startup(options, ("--pool", pool))
        results += [
            Result(f"start-up with --pool {pool} (median of {options.runs})", median, "ms", 20),
            Result(f"bytes written for its first menu frame ({pool})", size, "B", 6 * 1024),
        ]
    return results


@benchmark
def menu_idle(options):
    """CPU time used while the menu waits for a key."""
    with options.session() as session:
        session.wait_for(MENU_DRAWN)
        session.settle()
        before = session.cpu_seconds()
        switches = voluntary_switches(session.pid)
        session.drain(options.idle_seconds)
        used = (session.cpu_seconds() - before) * 1000
        wakeups = (voluntary_switches(session.pid) - switches) / options.idle_seconds
    return [Result(f"CPU while idle on the menu for {options.idle_seconds:g} s", used, "ms", 10),
            Result("wake-ups per second while idle on the menu", wakeups, "/s")]


def start_drill(session):
    """From start-up to the first question of the T0 drill in random order."""
    session.wait_for(MENU_DRAWN)
    session.send(b"0")
    session.wait_for(ORDER_PROMPT)
    session.send(b"r")
    session.wait_for(QUESTION_DRAWN)


@benchmark
def drill_idle(options):
    """CPU time, output and wake-ups while a drill question waits for an
    answer (the run time on row 25 changes once a second meanwhile)."""
    with options.session() as session:
        start_drill(session)
        session.settle()
        seconds = options.idle_seconds
        before, written = session.cpu_seconds(), len(session.output)
        switches = voluntary_switches(session.pid)
        session.drain(seconds)
        share = (session.cpu_seconds() - before) / seconds * 100
        rate = (len(session.output) - written) / seconds
        wakeups = (voluntary_switches(session.pid) - switches) / seconds
    return [Result(f"CPU while a drill question waits {seconds:g} s", share, "%", 0.05),
            Result("bytes written per second meanwhile", rate, "B/s", 64),
            Result("wake-ups per second meanwhile", wakeups, "/s", 2, at_most=True)]


def measure_answer_latency(options, args=()):
    """From writing the right answer's key to the pty until the next
    question's screen has been written in full: the end of the burst of
    output that follows the key (ncurses writes a frame in one go; the run
    time ticks only once a second and is not part of the measurement but by
    rare chance, which the median absorbs). Returns the times (ms) and the
    sizes of the frames."""
    times, sizes = [], []
    with options.session(args) as session:
        start_drill(session)
        session.settle(quiet=0.1)
        for _ in range(options.answers):
            shown = len(session.output)
            session.send(b"h")  # shows the right letter on row 27
            deadline = time.perf_counter() + 5
            while not (match := RIGHT_LETTER.search(session.output, shown)):
                if time.perf_counter() > deadline:
                    raise TimeoutError("the H key did not show the right letter")
                session.drain(0.01)
            session.settle(quiet=0.05)
            sent = time.perf_counter()
            session.send(match.group(1))
            drawn, size = session.burst()
            times.append((drawn - sent) * 1000)
            sizes.append(size)
            session.settle(quiet=0.05)
    return times, sizes


@benchmark
def answer_latency(options):
    """Answer key to the next question drawn, without --remember."""
    times, sizes = measure_answer_latency(options)
    return [Result(f"answer key to next question drawn (median of {len(times)})", statistics.median(times), "ms", 5),
            Result("answer key to next question drawn (slowest)", max(times), "ms"),
            Result("bytes written for the next question (median)", statistics.median(sizes), "B")]


REMEMBERED_ANSWERS = 50_000
_progress_folder = None


def progress_file(options):
    """A progress file holding 50 000 answers of the default pool over the
    last 90 days, made once per run: created by the program, filled the way
    an import would fill it, and opened once more so that the program has
    replayed them and kept its cache, as after any ordinary run."""
    global _progress_folder
    if _progress_folder is None:
        _progress_folder = tempfile.TemporaryDirectory(prefix="pathwick-bench-")
        file = os.path.join(_progress_folder.name, "progress.sqlite3")
        remember = (options.binary, f"--remember={file}", "--progress")
        subprocess.run(remember, check=True, capture_output=True)
        ids = []
        for name in sorted(glob.glob(os.path.join(options.cwd, "data", "pool", "T[0-9].txt"))):
            with open(name, encoding="cp1252") as pool:
                ids += re.findall(r"^T[0-9][A-Z][0-9]{2}$", pool.read(), re.MULTILINE)
        draw = random.Random(20210917)
        now = time.time()
        rows = []
        for n in range(REMEMBERED_ANSWERS):
            moment = now - 90 * 86400 * (1 - n / REMEMBERED_ANSWERS)
            stamp = time.strftime("%Y-%m-%dT%H:%M:%S", time.gmtime(moment)) + f".{int(moment * 1000) % 1000:03d}Z"
            rows.append(("2018-2022", draw.choice(ids), stamp, int(draw.random() < 0.7), 8.0, "drill"))
        with sqlite3.connect(file) as connection:
            connection.executemany("INSERT INTO answers VALUES (?, ?, ?, ?, ?, ?)", rows)
        connection.close()
        subprocess.run(remember, check=True, capture_output=True)
    return os.path.join(_progress_folder.name, "progress.sqlite3")


def answer_rows(file):
    with sqlite3.connect(file) as connection:
        count = connection.execute("SELECT count(*) FROM answers").fetchone()[0]
    connection.close()
    return count


@benchmark
def startup_remembered(options):
    """Start-up to the drawn menu with --remember on a file of 50 000
    answers, against start-up without it, run for run in turns."""
    remember = (f"--remember={progress_file(options)}",)
    plain, remembered = [], []
    for _ in range(options.runs):
        for args, times in (((), plain), (remember, remembered)):
            with options.session(args) as session:
                times.append(session.wait_for(MENU_DRAWN) * 1000)
    without, with_ = statistics.median(plain), statistics.median(remembered)
    return [Result(f"start-up without --remember (median of {options.runs})", without, "ms"),
            Result(f"start-up with --remember, {REMEMBERED_ANSWERS} answers (median)", with_, "ms"),
            Result("start-up: what --remember adds", with_ - without, "ms", 5, at_most=True)]


@benchmark
def answer_latency_remembered(options):
    """Answer key to the next question drawn with --remember on the file of
    50 000 answers: the answer is committed in between."""
    file = progress_file(options)
    before = answer_rows(file)
    times, _ = measure_answer_latency(options, (f"--remember={file}",))
    return [Result(f"answer key to next question, --remember (median of {len(times)})", statistics.median(times),
                   "ms", 2),
            Result("answer key to next question, --remember (slowest)", max(times), "ms"),
            Result("answers recorded meanwhile", answer_rows(file) - before, "")]


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("binary")
    parser.add_argument("--cwd", default=os.getcwd(), help="working directory of the program")
    parser.add_argument("--runs", type=int, default=9, help="runs for median figures")
    parser.add_argument("--idle-seconds", type=float, default=5.0)
    parser.add_argument("--answers", type=int, default=20, help="answers timed for the key-to-screen latency")
    parser.add_argument("--only", action="append", help="run only this benchmark (repeatable)")
    args = parser.parse_args()
    options = Options(os.path.abspath(args.binary), args.cwd, args.runs, args.idle_seconds, args.answers)

    failed = False
    for function in BENCHMARKS:
        if args.only and function.__name__ not in args.only:
            continue
        try:
            results = function(options)
        except (TimeoutError, EOFError) as error:
            print(f"{function.__name__:<46} ERROR: {error}")
            failed = True
            continue
        for result in results:
            print(result.line(), flush=True)
            failed |= not result.passed
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
