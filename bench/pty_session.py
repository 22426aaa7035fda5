"""Runs the program on a pseudo-terminal of a given size and observes it:
the bytes it writes, when a text first appears, and the CPU time it uses."""

import os
import pty
import select
import signal
import struct
import termios
import fcntl
import time


class PtySession:
    def __init__(self, binary, rows=43, columns=100, cwd=None, env=None, args=()):
        self.output = bytearray()
        self.closed = False
        # The child reports the moment just before exec, so that times are
        # measured from the program's start and not from Python's fork.
        start_read, start_write = os.pipe()
        pid, fd = pty.fork()
        if pid == 0:  # child: size the terminal before the program looks at it
            try:
                os.close(start_read)
                fcntl.ioctl(0, termios.TIOCSWINSZ, struct.pack("HHHH", rows, columns, 0, 0))
                if cwd:
                    os.chdir(cwd)
                os.write(start_write, struct.pack("d", time.perf_counter()))
                os.execve(binary, [binary, *args], env or os.environ)
            finally:
                os._exit(127)
        os.close(start_write)
        with os.fdopen(start_read, "rb") as pipe:
            self.started = struct.unpack("d", pipe.read(8))[0]
        self.pid, self.fd = pid, fd
        self.status = None

    def _read(self, timeout):
        """Reads what the program wrote within `timeout`; False if nothing."""
        if self.closed:
            time.sleep(max(timeout, 0))
            return False
        ready, _, _ = select.select([self.fd], [], [], max(timeout, 0))
        if not ready:
            return False
        try:
            chunk = os.read(self.fd, 65536)
        except OSError:
            chunk = b""
        if not chunk:
            self.closed = True
            return False
        self.output += chunk
        return True

    def wait_for(self, marker, timeout=5.0):
        """Seconds from the start until `marker` (bytes) was written."""
        deadline = time.perf_counter() + timeout
        while marker not in self.output:
            if time.perf_counter() > deadline:
                raise TimeoutError(f"{marker!r} did not appear within {timeout} s")
            if self.closed:
                raise EOFError(f"the program ended before writing {marker!r}")
            self._read(deadline - time.perf_counter())
        return time.perf_counter() - self.started

    def drain(self, seconds):
        """Keeps reading for `seconds` so the program never blocks on output."""
        deadline = time.perf_counter() + seconds
        while time.perf_counter() < deadline:
            self._read(deadline - time.perf_counter())

    def burst(self, gap=0.03, limit=5.0):
        """Waits for output, then reads it until nothing more comes within
        `gap` seconds. Returns the moment (perf_counter) the last byte of
        that burst was read and how many bytes it had."""
        start = len(self.output)
        if not self._read(limit):
            raise TimeoutError(f"nothing was written within {limit} s")
        last = time.perf_counter()
        while self._read(gap):
            last = time.perf_counter()
        return last, len(self.output) - start

    def settle(self, quiet=0.3, limit=5.0):
        """Reads until nothing has been written for `quiet` seconds."""
        deadline = time.perf_counter() + limit
        while time.perf_counter() < deadline and self._read(quiet):
            pass

    def send(self, data):
        os.write(self.fd, data)

    def cpu_seconds(self):
        """CPU time used so far (scheduler statistics: nanosecond resolution)."""
        try:
            with open(f"/proc/{self.pid}/schedstat") as f:
                return int(f.read().split()[0]) / 1e9
        except (OSError, ValueError, IndexError):
            with open(f"/proc/{self.pid}/stat") as f:
                fields = f.read().rsplit(")", 1)[1].split()
            return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")

    def close(self, sig=signal.SIGTERM, timeout=3.0):
        """Ends the program with `sig`; returns its exit status (or -signal)."""
        if self.status is None:
            try:
                os.kill(self.pid, sig)
            except ProcessLookupError:
                pass
            deadline = time.perf_counter() + timeout
            while self.status is None:
                done, status = os.waitpid(self.pid, os.WNOHANG)
                if done:
                    self.status = os.waitstatus_to_exitcode(status)
                elif time.perf_counter() > deadline:
                    os.kill(self.pid, signal.SIGKILL)
                    _, status = os.waitpid(self.pid, 0)
                    self.status = os.waitstatus_to_exitcode(status)
                else:
                    self._read(0.02)
        os.close(self.fd)
        return self.status

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        if self.status is None:
            self.close()
