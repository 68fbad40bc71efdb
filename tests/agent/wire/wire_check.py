#!/usr/bin/python3
"""Frames of the agent's classes (built under Wine) read by the outside collector, and a
request of the collector answered by them: the wire format is standard Blowfish and is the one
docs/protocol.md describes.

    wire_check.py ROOT PEER_EXE
"""
import json
import subprocess
import sys


def collector(root, *args):
    return [sys.executable, root + "/tools/quorvex-collector", "--timeout", "60", *args]


def wine(root, exe, *args):
    return [root + "/tools/wine-run", exe, *args]


def check_agent_frames(root, exe):
    listener = subprocess.Popen(collector(root, "listen", "--count", "5"), stdout=subprocess.PIPE, text=True)
    port = listener.stdout.readline().split()[1]
    peer = subprocess.run(wine(root, exe, "send", port), timeout=120)
    out, _ = listener.communicate(timeout=60)
    lines = out.splitlines()
    assert peer.returncode == 0, "peer failed with %d" % peer.returncode
    assert len(lines) == 5, lines
    long_text = "".join("line %d\n" % i for i in range(6000))
    expected = [
        ("0x80000002", 0, "{{ELM}}_HOST_ abc\n\u00c4rger \u4e2d \U0001F600"),
        ("0x80000003", 0, ""),
        ("0x80000004", 1, "Targets updated"),
        ("0x80000007", 1, long_text),
    ]
    for line, (msg_type, result, text) in zip(lines, expected):
        fields = line.split(" ", 5)
        assert fields[0] == "type=" + msg_type, line[:200]
        assert fields[2] == "checksum=ok", line[:200]
        assert fields[3] == "marker=1" and fields[4] == "result=%d" % result, line[:200]
        got = json.loads(fields[5][len("text="):]).encode("utf-16-le", "surrogatepass").decode("utf-16-le")
        assert got == text, (got[:80], text[:80])
    assert lines[4] == "type=0x00000014 length=33 checksum=ok", lines[4]


def check_request_reply(root, exe):
    peer = subprocess.Popen(wine(root, exe, "serve"), stdout=subprocess.PIPE, text=True)
    port = peer.stdout.readline().split()[1]
    text = "{{ZRAU:.\\user\t{{ZRA1:collector.example:7258\t\u00e9\u00e8"
    reply = subprocess.run(collector(root, "request", "127.0.0.1:" + port, "4", text),
                           capture_output=True, text=True, timeout=60)
    assert peer.wait(timeout=60) == 0, "peer failed"
    line = reply.stdout.strip()
    assert line.startswith("type=0x80000004 ") and " checksum=ok marker=1 result=1 " in line, line
    assert json.loads(line.split(" text=", 1)[1]) == text, line


def main():
    root, exe = sys.argv[1], sys.argv[2]
    check_agent_frames(root, exe)
    check_request_reply(root, exe)
    print("wire check passed")


if __name__ == "__main__":
    main()
