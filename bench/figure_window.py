#!/usr/bin/env python3
"""Figure-window benchmarks on a private Xvfb (no window manager).

The program runs on a pseudo-terminal (as in benchmarks.py) with DISPLAY set
to the private server. A sequential drill of T6 from question 24 shows
T6C02..T6C11, ten questions with a figure each: every question closes the
previous window and opens a new one. The X server's MapNotify events (read
through Xlib on the root window) tell when each window appears.

  key to figure window mapped   from writing the key that brings a figure
                                question (Enter on the start number, an
                                answer, or the key after a wrong answer)
                                until the window is mapped; median of all
                                the openings
  resident memory               VmRSS (the program's and its desktop
                                helper's) before the first figure and with it
                                open; then, in that same state (question 24
                                with its figure open), after one warm-up
                                pass and after 100 more open/close cycles.
                                The target is on the growth over those 100
                                cycles: the warm-up takes the one-time costs
                                (the first wrong answer starts SDL's audio
                                thread, about 1.5 MiB) out of the figure.

Without Xvfb or libX11 it prints a SKIPPED line and exits 0.
Usage: bench/figure_window.py [--cwd DIR] [--passes N] [--only figure_window] BINARY
"""

import argparse
import ctypes
import ctypes.util
import os
import select
import shutil
import signal
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from benchmarks import MENU_DRAWN, Result  # noqa: E402  (same output format)
from pty_session import PtySession  # noqa: E402

FIGURE_QUESTIONS = 10        # T6C02..T6C11: questions 24..33 of T6
FIRST_FIGURE_QUESTION = b"24"
ORDER_PROMPT = b"equence?"  # "[R]" and "[S]" are highlighted
START_PROMPT = b"Start with Question:"
WRONG_ANSWER = b"continue....."
MAP_TARGET_MS = 150
RSS_GROWTH_TARGET_KIB = 1024

MAP_NOTIFY = 19
DESTROY_NOTIFY = 17
SUBSTRUCTURE_NOTIFY_MASK = 1 << 19


class XWatcher:
    """Reports windows mapped and destroyed directly under the root window."""

    def __init__(self, display):
        path = ctypes.util.find_library("X11")
        if not path:
            raise OSError("libX11 not found")
        self.x = ctypes.CDLL(path)
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        for name in ("XDefaultRootWindow", "XPending", "XConnectionNumber", "XFlush", "XCloseDisplay"):
            getattr(self.x, name).argtypes = [ctypes.c_void_p]
        self.x.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        self.x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
        self.display = self.x.XOpenDisplay(display.encode())
        if not self.display:
            raise OSError(f"cannot open display {display}")
        # A window may be gone before it is looked at: never let Xlib exit.
        handler_type = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
        self._handler = handler_type(lambda display, event: 0)
        self.x.XSetErrorHandler(self._handler)
        root = self.x.XDefaultRootWindow(self.display)
        self.x.XSelectInput(self.display, root, SUBSTRUCTURE_NOTIFY_MASK)
        self.x.XFlush(self.display)
        self.fd = self.x.XConnectionNumber(self.display)
        self.events = []  # (perf_counter, "map" or "destroy", window)

    def read_events(self):
        event = (ctypes.c_long * 24)()
        while self.x.XPending(self.display):
            self.x.XNextEvent(self.display, event)
            kind = event[0] & 0xFFFFFFFF
            window = event[5]  # XMapEvent.window / XDestroyWindowEvent.window
            if kind == MAP_NOTIFY:
                self.events.append((time.perf_counter(), "map", window))
            elif kind == DESTROY_NOTIFY:
                self.events.append((time.perf_counter(), "destroy", window))

    def close(self):
        self.x.XCloseDisplay(self.display)


class Xvfb:
    """A private X server on a display it picks itself."""

    def __init__(self):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1920x1080x24", "-nolisten", "tcp"],
            pass_fds=[write_end], stderr=subprocess.DEVNULL)
        os.close(write_end)
        # Xvfb writes the number and the newline separately, and dies if the
        # pipe is gone before the newline: read the whole line.
        line, deadline = b"", time.perf_counter() + 10
        with os.fdopen(read_end, "rb", buffering=0) as pipe:
            while not line.endswith(b"\n") and time.perf_counter() < deadline:
                ready, _, _ = select.select([pipe], [], [], deadline - time.perf_counter())
                chunk = pipe.read(32) if ready else b""
                if not chunk:
                    break
                line += chunk
        if not line.strip().isdigit():
            self.close()
            raise OSError("Xvfb did not start")
        self.display = f":{line.strip().decode()}"

    def close(self):
        self.process.terminate()
        try:
            self.process.wait(5)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()


def resident_kib(pid):
    """VmRSS of the program and of its children (the desktop helper)."""
    total = 0
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                total += int(line.split()[1])
    try:
        with open(f"/proc/{pid}/task/{pid}/children") as f:
            children = [int(child) for child in f.read().split()]
    except OSError:
        children = []
    return total + sum(resident_kib(child) for child in children)


class FigureDrill:
    """Drives the drill and pairs keys with the windows they bring up."""

    def __init__(self, session, watcher):
        self.session, self.watcher = session, watcher
        self.latencies = []  # ms, in order

    def pump(self, timeout):
        ready, _, _ = select.select([self.session.fd, self.watcher.fd], [], [], max(timeout, 0))
        if self.session.fd in ready:
            self.session._read(0)  # noqa: SLF001  (keeps the pty drained)
        self.watcher.read_events()

    def wait_output(self, marker, after, timeout=5.0):
        deadline = time.perf_counter() + timeout
        while marker not in self.session.output[after:]:
            if time.perf_counter() > deadline:
                raise TimeoutError(f"{marker!r} did not appear within {timeout} s")
            if self.session.closed:
                raise EOFError(f"the program ended before writing {marker!r}")
            self.pump(deadline - time.perf_counter())

    def settle(self, quiet=0.15, limit=2.0):
        """Waits until the program has stopped writing (it waits for a key)."""
        deadline = time.perf_counter() + limit
        while time.perf_counter() < deadline:
            size = len(self.session.output)
            self.pump(quiet)
            if len(self.session.output) == size:
                return

    def send(self, keys):
        mark = (len(self.session.output), len(self.watcher.events))
        sent = time.perf_counter()
        self.session.send(keys)
        return sent, mark

    def next_map(self, since_event, timeout=5.0):
        deadline = time.perf_counter() + timeout
        while True:
            for stamp, kind, _ in self.watcher.events[since_event:]:
                if kind == "map":
                    return stamp
            if time.perf_counter() > deadline:
                raise TimeoutError(f"no figure window was mapped within {timeout} s")
            self.pump(deadline - time.perf_counter())

    def open_by(self, keys):
        """Sends keys that show a figure question; records the latency."""
        sent, (_, events) = self.send(keys)
        self.latencies.append((self.next_map(events) - sent) * 1000)
        self.settle()

    def start_pass(self):
        """From the menu to question 24 with its figure open."""
        _, (output, _) = self.send(b"6")
        self.wait_output(ORDER_PROMPT, output)
        _, (output, _) = self.send(b"s")
        self.wait_output(START_PROMPT, output)
        self.settle()
        self.session.send(FIRST_FIGURE_QUESTION)
        self.settle()
        self.open_by(b"\r")

    def answer(self):
        """Answers A; after a wrong answer the acknowledging key brings the
        next question. Either way the next figure window is timed."""
        sent, (output, events) = self.send(b"a")
        deadline = time.perf_counter() + 5.0
        while True:
            maps = [stamp for stamp, kind, _ in self.watcher.events[events:] if kind == "map"]
            if maps:
                self.latencies.append((maps[0] - sent) * 1000)
                self.settle()
                return
            if WRONG_ANSWER in self.session.output[output:]:
                self.settle()
                self.open_by(b"x")
                return
            if time.perf_counter() > deadline:
                raise TimeoutError("the answer brought neither a figure nor the wrong-answer notice")
            self.pump(deadline - time.perf_counter())

    def finish_pass(self):
        """Stops the drill on the last figure question; its window closes."""
        _, (output, events) = self.send(b"s")
        self.wait_output(MENU_DRAWN, output)
        deadline = time.perf_counter() + 5.0
        while not any(kind == "destroy" for _, kind, _ in self.watcher.events[events:]):
            if time.perf_counter() > deadline:
                raise TimeoutError("the figure window was not closed with the drill")
            self.pump(deadline - time.perf_counter())
        self.settle()

    def finish_pass_from_start(self):
        for _ in range(FIGURE_QUESTIONS - 1):
            self.answer()
        self.finish_pass()

    def full_pass(self):
        self.start_pass()
        self.finish_pass_from_start()


def measure(options, display):
    env = dict(os.environ, TERM="xterm-256color", LANG="C.UTF-8", LC_ALL="C.UTF-8", DISPLAY=display)
    # The alert of a wrong answer goes nowhere: the figures are measured.
    env["SDL_AUDIODRIVER"] = "dummy"
    watcher = XWatcher(display)
    try:
        with PtySession(options.binary, cwd=options.cwd, env=env) as session:
            drill = FigureDrill(session, watcher)
            drill.wait_output(MENU_DRAWN, 0)
            drill.settle(quiet=0.5)
            before = resident_kib(session.pid)
            drill.start_pass()
            after_first = resident_kib(session.pid)
            first_latency = drill.latencies[0]
            for _ in range(FIGURE_QUESTIONS - 1):
                drill.answer()
            drill.finish_pass()
            # Warm: every figure and the alert (its audio thread) used once.
            drill.start_pass()
            warm = resident_kib(session.pid)
            cycles_before = len(drill.latencies)
            drill.finish_pass_from_start()
            for _ in range(options.passes - 1):
                drill.full_pass()
            drill.start_pass()  # the state of `warm` again
            cycles = len(drill.latencies) - cycles_before
            after_cycles = resident_kib(session.pid)
    finally:
        watcher.close()
    latencies = drill.latencies
    return [
        Result(f"key to figure window mapped (median of {len(latencies)})",
               statistics.median(latencies), "ms", MAP_TARGET_MS),
        Result("key to figure window mapped, first window", first_latency, "ms"),
        Result("key to figure window mapped, slowest", max(latencies), "ms"),
        Result("resident memory before the first figure", before / 1024, "MiB"),
        Result("resident memory with the first figure open", after_first / 1024, "MiB"),
        Result("resident memory after one pass (warm)", warm / 1024, "MiB"),
        Result(f"resident memory after {cycles} more figure cycles", after_cycles / 1024, "MiB"),
        Result(f"memory growth over {cycles} more figure cycles", after_cycles - warm, "KiB",
               RSS_GROWTH_TARGET_KIB),
    ]


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("binary")
    parser.add_argument("--cwd", default=os.getcwd(), help="working directory of the program")
    parser.add_argument("--passes", type=int, default=10,
                        help=f"drill passes of {FIGURE_QUESTIONS} figure windows each after the warm-up (default 10)")
    parser.add_argument("--only", action="append",
                        help="run only if one of these names is figure_window (as in benchmarks.py)")
    # bench/run hands this script the options of benchmarks.py too.
    parser.add_argument("--runs", type=int, help=argparse.SUPPRESS)
    parser.add_argument("--idle-seconds", type=float, help=argparse.SUPPRESS)
    args = parser.parse_args()
    if args.only and "figure_window" not in args.only:
        return 0
    args.binary = os.path.abspath(args.binary)

    name = "figure window"
    if shutil.which("Xvfb") is None or ctypes.util.find_library("X11") is None:
        print(f"{name:<46} SKIPPED: Xvfb or libX11 is not installed", flush=True)
        return 0
    try:
        server = Xvfb()
    except OSError as error:
        print(f"{name:<46} ERROR: {error}")
        return 1
    try:
        results = measure(args, server.display)
    except (TimeoutError, EOFError, OSError) as error:
        print(f"{name:<46} ERROR: {error}")
        return 1
    finally:
        server.close()
    failed = False
    for result in results:
        print(result.line(), flush=True)
        failed |= not result.passed
    return 1 if failed else 0


if __name__ == "__main__":
    signal.signal(signal.SIGPIPE, signal.SIG_DFL)
    sys.exit(main())
