#!/usr/bin/env python3
"""Black-box tests of Sendrix.dll: a host program under Wine raises alarms, a listener here
outside Wine captures the frames and checks them byte for byte.

    sendrix_test.py HOST_EXE CASE
"""
import os
import socket
import struct
import subprocess
import sys
import threading
import time

MAGIC = bytes.fromhex("C0DEFEEDC0DEFEED")
ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
WINE_RUN = os.path.join(ROOT, "tools", "wine-run")


class Listener:
    """Accepts connections on a free loopback port and collects whole frames per connection."""

    def __init__(self, close_after_frames=None, port=0, reply=None):
        self.sock = socket.socket()
        self.sock.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        self.sock.bind(("127.0.0.1", port))
        self.sock.listen(8)
        self.sock.settimeout(0.2)
        self.port = self.sock.getsockname()[1]
        self.close_after = close_after_frames
        self.reply = reply  # sent back after each frame
        self.connections = []  # one list of frames per accepted connection
        self.stop = False
        self.thread = threading.Thread(target=self.run, daemon=True)
        self.thread.start()

    def run(self):
        while not self.stop:
            try:
                conn, _ = self.sock.accept()
            except socket.timeout:
                continue
            frames = []
            self.connections.append(frames)
            threading.Thread(target=self.serve, args=(conn, frames), daemon=True).start()

    def serve(self, conn, frames):
        conn.settimeout(30)
        buf = b""
        try:
            while True:
                if len(buf) >= 12:
                    total = struct.unpack_from("<I", buf, 8)[0]
                    if len(buf) >= total:
                        frames.append(buf[:total])
                        buf = buf[total:]
                        if self.reply:
                            conn.sendall(self.reply)
                        if self.close_after and len(frames) >= self.close_after:
                            break
                        continue
                data = conn.recv(65536)
                if not data:
                    break
                buf += data
        except OSError:
            pass
        conn.close()

    def close(self):
        self.stop = True
        self.thread.join()
        self.sock.close()

    def frames(self):
        return [f for c in self.connections for f in c]


def run_host_lines(*args):
    out = subprocess.run([WINE_RUN, HOST] + [str(a) for a in args], stdout=subprocess.PIPE,
                         stdin=subprocess.DEVNULL, timeout=180, check=True).stdout.decode("utf-8")
    return out.replace("\r", "").splitlines()


def run_host(*args):
    results = []
    for line in run_host_lines(*args):
        key, _, value = line.partition("=")
        if key == "result":
            results.append({"result": value})
        elif results and key in ("error", "record"):
            results[-1][key] = value
    return results


def wait_for(cond, seconds=10):
    end = time.time() + seconds
    while time.time() < end and not cond():
        time.sleep(0.05)
    return cond()


def check(cond, what):
    if not cond:
        raise AssertionError(what)


def record_lines(frame):
    """The record lines of an alarm's frame, after checking its header, marker and framing."""
    check(frame[:8] == MAGIC, "magic bytes")
    total, checksum, mtype, marker, result = struct.unpack_from("<IIIII", frame, 8)
    check(total == len(frame), "total length %d of %d bytes" % (total, len(frame)))
    zeroed = frame[:12] + b"\0\0\0\0" + frame[16:]
    check(checksum == sum(zeroed) % 2**32, "checksum")
    check(mtype == 20 and marker == 1 and result == 0, "type 20, marker 1, result 0")
    payload = frame[28:-1]
    check(frame[-1] == 0, "closing zero byte")
    check(payload.endswith(b"\0\0\0\0"), "double NUL end of the multi-string")
    lines = payload[:-4].decode("utf-16-le").split("\0")
    check(lines[:5] == ["#++", "#", "#   Following data will be sent to the alarms service",
                        "#   for futher processing.", "#"], "fixed head lines")
    check(lines[7] == "#--" and lines[-1] == "EOR", "head and end lines")
    check(lines[8] == "CLASS=1" and lines[9].startswith("FROM=SendrixHost version 1.0 build ") and lines[10].startswith("TIME="),
          "class, origin and time lines: %r" % lines[8:11])
    check(abs(int(lines[10][5:]) - time.time()) < 300, "time is now")
    check(total == 28 + len(payload) + 1, "length rule")
    return lines


def check_frame(frame, fields):
    """The frame of an alarm record: header, marker, record lines as a UTF-16 multi-string."""
    lines = record_lines(frame)
    pairs = lines[11:-1]
    expected = []
    for i in range(fields):
        expected += ["FIELD=Name%d" % i, "VALUE=Value%d \u00e9\u20ac\U0001F600" % i]
    check(pairs == expected, "field lines %r" % pairs)
    return lines


def case_reuse():
    listener = Listener()
    try:
        results = run_host("config", "127.0.0.1", listener.port, "send", 1, 2, "send", 1, 3)
        check(wait_for(lambda: len(listener.frames()) == 2), "two frames arrive")
        check(len(listener.connections) == 1, "one connection for both alarms")
        check_frame(listener.frames()[0], 2)
        lines = check_frame(listener.frames()[1], 3)
        for r in results:
            check(r["result"] == "1" and r["error"] == "", "sent without error: %r" % r)
        check(results[1]["record"] == "|".join(lines), "record text handed back")
    finally:
        listener.close()


def case_peer_closed():
    listener = Listener(close_after_frames=1)
    try:
        results = run_host("config", "127.0.0.1", listener.port, "send", 1, 1, "sleep", 500, "send", 1, 2)
        check(wait_for(lambda: len(listener.frames()) == 2), "the second alarm arrives too")
        check(len(listener.connections) == 2, "a new connection after the peer closed")
        check_frame(listener.frames()[1], 2)
        check(all(r["error"] == "" for r in results), "no error reported: %r" % results)
    finally:
        listener.close()


def case_threads():
    """Threads of one host raise alarms at once, each frame longer than one send call, while the
    peer answers every frame (which ends the library's watch of the connection each time): every
    alarm arrives whole and once, over the one kept connection."""
    threads, per_thread, padding = 6, 20, 20000
    listener = Listener(reply=b"K")
    try:
        # The host stays a while: a process that ends with the peer's replies unread resets its
        # connection, and what it had still in flight would be lost.
        lines = run_host_lines("config", "127.0.0.1", listener.port, "threads", threads, per_thread, padding,
                               "sleep", 3000)
        wait_for(lambda: len(listener.frames()) >= threads * per_thread, 30)
        time.sleep(0.5)
        seen = []
        for frame in listener.frames():
            fields = record_lines(frame)[11:-1]
            check(len(fields) == 4 and fields[0] == "FIELD=Alarm" and fields[2] == "FIELD=Padding",
                  "field names %r" % fields[:3])
            thread, n = (int(x) for x in fields[1][len("VALUE=t"):].split("-"))
            letter = chr(ord("a") + (thread * per_thread + n) % 26)
            check(fields[3] == "VALUE=" + letter * padding, "the padding of alarm t%d-%d" % (thread, n))
            seen.append((thread, n))
        check("threads sent=%d failed=0" % (threads * per_thread) in lines, "every call succeeds: %r" % lines)
        expected = [(t, n) for t in range(threads) for n in range(per_thread)]
        check(sorted(seen) == expected, "each alarm once: %d frames, %d distinct of %d" %
              (len(seen), len(set(seen)), len(expected)))
        check(len(listener.connections) == 1, "one connection: %d" % len(listener.connections))
    finally:
        listener.close()


def case_refused():
    probe = socket.socket()
    probe.bind(("127.0.0.1", 0))
    port = probe.getsockname()[1]
    probe.close()  # nothing listens there now
    results = run_host("config", "127.0.0.1", port, "send", 1, 1)
    err = results[0]["error"].split("|")
    check(err[0] == "Error sending alarm to 127.0.0.1:%d -" % port, "first error line %r" % err)
    check(err[1].startswith("Error connecting to 127.0.0.1 port %d - " % port), "connect error %r" % err)
    check(err[2] == "---" and len(err) == 3, "closing error line")
    check(results[0]["record"].endswith("|EOR"), "the record is built all the same")

    # Within the pause no connection is tried: a listener that appears after the first failure
    # sees nothing, and the second call fails with the same text at once.
    host = subprocess.Popen([WINE_RUN, HOST, "config", "127.0.0.1", str(port), "send", "1", "1", "sleep", "1500",
                             "send", "1", "1"], stdout=subprocess.PIPE, stdin=subprocess.DEVNULL, text=True)
    errors, listener = [], None
    try:
        for line in host.stdout:
            if line.startswith("error="):
                errors.append(line.strip())
            if line.startswith("record=") and listener is None:
                listener = Listener(port=port)
        host.wait(timeout=120)
        check(len(errors) == 2 and errors[0] == errors[1], "the same text within the pause: %r" % errors)
        check(listener is not None and listener.connections == [], "no connection attempt within the pause")
    finally:
        if listener:
            listener.close()


def case_bad_settings():
    results = run_host("config", "127.0.0.1", "70000", "send", 1, 1, "config", "127.0.0.1", "x1", "send", 1, 1,
                       "nulls")
    check("not a number from 1 to 65535" in results[0]["error"], "port out of range refused")
    check("not a number from 1 to 65535" in results[1]["error"], "port without digits refused")
    check(results[2]["result"] == "1", "null arguments survive")


if __name__ == "__main__":
    HOST = sys.argv[1]
    globals()["case_" + sys.argv[2]]()
    print("ok")
