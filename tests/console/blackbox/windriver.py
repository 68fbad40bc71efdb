#!/usr/bin/python3
"""The black-box session of the console tests and the client of WindowDriver.exe.

A session is one Xvfb and one Wine prefix, both given by the environment that CMake sets:
TERVOK_ROOT (the source tree, for tools/wine-run), TERVOK_BLACKBOX_STATE (the session's state
folder) and TERVOK_BLACKBOX_PREFIX. Programs run there through tools/wine-run.

    windriver.py start|stop       start or stop the session (the CTest fixture)

Run by hand, a test module starts a session of its own when none runs, and stops it after.
"""

import json
import os
import selectors
import struct
import subprocess
import sys
import time
import unittest
import zlib

ROOT = os.environ.get("TERVOK_ROOT", os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", "..")))
STATE = os.environ.get("TERVOK_BLACKBOX_STATE", "")
PREFIX = os.environ.get("TERVOK_BLACKBOX_PREFIX", "")
WINE_RUN = os.path.join(ROOT, "tools", "wine-run")
WINESERVER = subprocess.run([os.path.join(ROOT, "tools", "width"), "TERVOK_WINESERVER"], stdout=subprocess.PIPE,
                            text=True, check=True).stdout.strip()

WM_CLOSE = 0x0010
WM_MDIGETACTIVE = 0x0229


def winpath(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def wait_for(predicate, timeout, what):
    """Polls until predicate() gives a true value, which is returned."""
    deadline = time.time() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.time() > deadline:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(0.2)


class Session:
    """Xvfb on a free display and the prefix whose desktop lives on it."""

    def __init__(self, state=STATE, prefix=PREFIX):
        if not state or not prefix:
            raise RuntimeError("TERVOK_BLACKBOX_STATE and TERVOK_BLACKBOX_PREFIX must name the session")
        self.state = state
        self.prefix = prefix

    def _file(self, name):
        return os.path.join(self.state, name)

    def display(self):
        try:
            with open(self._file("display")) as f:
                return f.read().strip()
        except FileNotFoundError:
            return None

    def env(self):
        env = dict(os.environ, WINE_RUN_PREFIX=self.prefix)
        env["DISPLAY"] = self.display() or ""
        return env

    def start(self):
        os.makedirs(self.state, exist_ok=True)
        self.stop()
        for n in range(150, 300):
            if os.path.exists("/tmp/.X11-unix/X%d" % n) or os.path.exists("/tmp/.X%d-lock" % n):
                continue
            xvfb = subprocess.Popen(["Xvfb", ":%d" % n, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                    stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                    start_new_session=True)
            try:
                wait_for(lambda: os.path.exists("/tmp/.X11-unix/X%d" % n) or xvfb.poll() is not None, 5, "Xvfb")
            except AssertionError:
                pass
            if xvfb.poll() is not None or not os.path.exists("/tmp/.X11-unix/X%d" % n):
                xvfb.kill()
                continue
            with open(self._file("display"), "w") as f:
                f.write(":%d" % n)
            with open(self._file("xvfb.pid"), "w") as f:
                f.write(str(xvfb.pid))
            # Creates the prefix when needed and starts its desktop on this display, detached from
            # our pipes: the desktop outlives the call. No window manager runs: Wine would wait for
            # one whenever a framed window is hidden.
            subprocess.run([WINE_RUN, "wineboot"], env=self.env(), stdin=subprocess.DEVNULL,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=240)
            self.wine("reg", "add", "HKCU\\Software\\Wine\\X11 Driver", "/v", "Managed", "/d", "N", "/f")
            return
        raise RuntimeError("no free display")

    def stop(self):
        if os.path.exists(self.prefix):
            for flag in ("-k", "-w"):
                subprocess.run([WINESERVER, flag], env=dict(os.environ, WINEPREFIX=self.prefix),
                               stdin=subprocess.DEVNULL, capture_output=True)
        try:
            with open(self._file("xvfb.pid")) as f:
                os.kill(int(f.read()), 15)
        except (FileNotFoundError, ProcessLookupError, ValueError):
            pass
        for name in ("xvfb.pid", "display"):
            if os.path.exists(self._file(name)):
                os.remove(self._file(name))

    def wine(self, *args, timeout=120, check=True):
        """Runs a Windows program to its end; its output."""
        result = subprocess.run([WINE_RUN] + [str(a) for a in args], env=self.env(), stdin=subprocess.DEVNULL,
                                capture_output=True, timeout=timeout)
        if check and result.returncode != 0:
            raise AssertionError("%s failed (%d): %s %s" % (args, result.returncode, result.stdout, result.stderr))
        return result.stdout.decode("utf-8", "replace")

    def spawn(self, *args, **kwargs):
        """Starts a Windows program in the background."""
        kwargs.setdefault("stdin", subprocess.DEVNULL)
        kwargs.setdefault("stdout", subprocess.DEVNULL)
        kwargs.setdefault("stderr", subprocess.DEVNULL)
        return subprocess.Popen([WINE_RUN] + [str(a) for a in args], env=self.env(), **kwargs)


class OwnSession:
    """For a test module: the running session, or one of its own while the module runs."""

    def __init__(self):
        self.session = Session()
        self.owned = False

    def __enter__(self):
        if not self.session.display():
            self.session.start()
            self.owned = True
        return self.session

    def __exit__(self, *exc):
        if self.owned:
            self.session.stop()


class SessionCase(unittest.TestCase):
    """Test cases that run programs in the session."""

    @classmethod
    def setUpClass(cls):
        cls.own = OwnSession()
        cls.session = cls.own.__enter__()

    @classmethod
    def tearDownClass(cls):
        cls.own.__exit__(None, None, None)


class DriverError(Exception):
    pass


class Bitmap:
    """A 24-bit bottom-up BMP as the driver writes it."""

    def __init__(self, path):
        with open(path, "rb") as f:
            data = f.read()
        offset, = struct.unpack_from("<I", data, 10)
        self.width, self.height, _, bits = struct.unpack_from("<iiHH", data, 18)
        if bits != 24 or self.height <= 0:
            raise ValueError("not a bottom-up 24-bit bitmap: " + path)
        self.stride = (self.width * 3 + 3) & ~3
        self.data = data[offset:]
        self.rect = [0, 0, self.width, self.height]

    def pixel(self, x, y):
        """(red, green, blue) at x, y counted from the top left."""
        i = (self.height - 1 - y) * self.stride + x * 3
        b, g, r = self.data[i:i + 3]
        return r, g, b

    def count(self, predicate, box=None):
        left, top, right, bottom = box or (0, 0, self.width, self.height)
        return sum(1 for y in range(max(0, top), min(self.height, bottom))
                   for x in range(max(0, left), min(self.width, right)) if predicate(self.pixel(x, y)))

    def write_png(self, path):
        rows = b"".join(b"\0" + bytes(c for x in range(self.width) for c in self.pixel(x, y))
                        for y in range(self.height))

        def chunk(kind, body):
            return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))

        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0))
                    + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


class Driver:
    """WindowDriver.exe running in the session: one command a call."""

    def __init__(self, session, exe=os.environ.get("TERVOK_WINDOW_DRIVER")):
        self.process = session.spawn(exe, stdin=subprocess.PIPE, stdout=subprocess.PIPE)
        self.selector = selectors.DefaultSelector()
        self.selector.register(self.process.stdout, selectors.EVENT_READ)
        self.pending = b""

    def close(self):
        if self.process.stdout.closed:
            return
        if self.process.poll() is None:
            self.process.stdin.write(b"quit\n")
            self.process.stdin.close()
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        self.process.stdout.close()

    def _readline(self, timeout):
        deadline = time.time() + timeout
        while b"\n" not in self.pending:
            left = deadline - time.time()
            if left <= 0 or not self.selector.select(left):
                raise DriverError("the driver did not answer")
            chunk = os.read(self.process.stdout.fileno(), 65536)
            if not chunk:
                raise DriverError("the driver ended")
            self.pending += chunk
        line, self.pending = self.pending.split(b"\n", 1)
        return line

    def call(self, *fields, timeout=60):
        self.process.stdin.write("\t".join(str(f) for f in fields).encode("utf-8") + b"\n")
        self.process.stdin.flush()
        answer = json.loads(self._readline(timeout))
        if not answer["ok"]:
            raise DriverError("%s: %s" % (fields[0], answer["error"]))
        return answer["value"]

    def find(self, cls="", title="", parent=0):
        return self.call("find", parent, cls, title)

    def visible(self, cls="", title="", parent=0):
        """The matching windows that are visible; windows that vanish meanwhile are left out."""
        shown = []
        for hwnd in self.find(cls, title, parent):
            try:
                if self.info(hwnd)["visible"]:
                    shown.append(hwnd)
            except DriverError:
                pass
        return shown

    def wait_window(self, cls="", title="", parent=0, timeout=60):
        """The first visible window that matches, once there is one."""
        return wait_for(lambda: self.visible(cls, title, parent)[:1], timeout,
                        "a window %r %r" % (cls, title))[0]

    def info(self, hwnd):
        return self.call("info", hwnd)

    def text(self, hwnd):
        return self.call("text", hwnd)

    def panes(self, hwnd):
        return self.call("panes", hwnd)

    def listview(self, hwnd, most=1000, columns=None):
        """{"rows": cell texts of each row (of the given columns only, when named), "rects": their
        client rectangles, "selected": indexes}"""
        fields = ["listview", hwnd, most] + ([",".join(str(c) for c in columns)] if columns else [])
        return self.call(*fields, timeout=180)

    def menu(self, hwnd):
        return self.call("menu", hwnd)

    def send(self, hwnd, msg, wparam=0, lparam=0):
        return self.call("send", hwnd, msg, wparam, lparam)

    def post(self, hwnd, msg, wparam=0, lparam=0):
        return self.call("post", hwnd, msg, wparam, lparam)

    def activate(self, hwnd):
        return self.call("activate", hwnd)

    def foreground(self):
        return self.call("foreground")

    def key(self, chord):
        return self.call("key", chord)

    def type(self, text):
        return self.call("type", text)

    def click(self, hwnd, x, y, button="left"):
        return self.call("click", hwnd, x, y, button)

    def drag(self, hwnd, x, y, to_hwnd, to_x, to_y):
        """A drag with the left button from a client point of one window to one of another."""
        return self.call("drag", hwnd, x, y, to_hwnd, to_x, to_y)

    def screenshot(self, hwnd, path):
        """The window (0: the screen) as a Bitmap whose rect is the part of the screen it shows;
        the file stays at path."""
        rect = self.call("screenshot", hwnd, winpath(path))
        picture = Bitmap(path)
        picture.rect = rect
        return picture


def main():
    command = sys.argv[1] if len(sys.argv) == 2 else ""
    if command == "start":
        Session().start()
    elif command == "stop":
        Session().stop()
    else:
        print(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main())
