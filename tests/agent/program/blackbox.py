#!/usr/bin/python3
"""Black-box tests of QuorvexAgent: the built agent runs under Wine, driven from outside. The
collectors and the command client are separate processes and sockets on 127.0.0.1; records
are fed through the event-log spool of the agent's test build.

    blackbox.py ROOT BUILD TestClass.test_name
"""

import glob
import importlib.machinery
import os
import re
import shutil
import socket
import struct
import subprocess
import sys
import threading
import time
import unittest
import xml.dom.minidom
import xml.parsers.expat

ROOT = os.path.abspath(sys.argv.pop(1))
BUILD = os.path.abspath(sys.argv.pop(1))
PROGRAM_BUILD = os.path.join(BUILD, "tests", "agent", "program")
WINE_RUN = os.path.join(ROOT, "tools", "wine-run")
COLLECTOR = os.path.join(ROOT, "tools", "quorvex-collector")
SPOOL_AGENT = os.path.join(PROGRAM_BUILD, "spoolagent", "QuorvexAgent.exe")
REAL_AGENT = os.path.join(BUILD, "agent", "QuorvexAgent.exe")
FEED = os.path.join(PROGRAM_BUILD, "SpoolFeed.exe")
CONTROL = os.path.join(PROGRAM_BUILD, "AgentControl.exe")
SERVICE = "TervokQuorvexAgent"
SERVICE_KEY = "HKLM\\System\\CurrentControlSet\\Services\\" + SERVICE
VOLATILE_KEY = "HKLM\\SOFTWARE\\Tervok AG\\Quorvex\\Volatile"
SOURCE = "TervokTestSource"
SOURCE_KEY = "HKLM\\SYSTEM\\CurrentControlSet\\Services\\EventLog\\Application\\" + SOURCE

wire = importlib.machinery.SourceFileLoader("quorvex_collector", COLLECTOR).load_module()


def winpath(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def wine(*args, timeout=120, check=True):
    result = subprocess.run([WINE_RUN] + list(args), stdin=subprocess.DEVNULL, capture_output=True,
                            timeout=timeout)
    if check and result.returncode != 0:
        raise AssertionError("%s failed (%d): %s %s" % (args, result.returncode, result.stdout, result.stderr))
    return result.stdout.decode("utf-8", "replace")


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def reg_query_answer(key, value):
    """What reg answers for one value: (data, None), or (None, "key") or (None, "value") when reg says
    that the key or the value does not exist. Any other answer fails the test: a query that reg
    could not carry out must never pass for a value or for its absence."""
    args = ["reg", "query", key, "/v", value]
    result = subprocess.run([WINE_RUN] + args, stdin=subprocess.DEVNULL, capture_output=True, timeout=120)
    out = result.stdout.decode("utf-8", "replace")
    err = result.stderr.decode("utf-8", "replace")
    match = re.search(r"^[ \t]+" + re.escape(value) + r"[ \t]+(REG_\w+)[ \t]*(.*?)[ \t\r]*$", out, re.M | re.I)
    if result.returncode == 0 and match:
        kind, data = match.group(1), match.group(2)
        return (int(data, 16) if kind == "REG_DWORD" else data), None
    missing = re.search(r"^reg: Unable to find the specified registry (key|value)[ \t\r]*$", out, re.M)
    if result.returncode == 1 and missing:
        return None, missing.group(1)
    raise AssertionError("%s answered %d with no value: stdout %r, stderr %r" % (args, result.returncode, out, err))


def reg_query(key, value):
    """The value's data (an int for REG_DWORD); fails when reg does not print it."""
    data, missing = reg_query_answer(key, value)
    if missing:
        raise AssertionError("%s\\%s: reg finds no such %s" % (key, value, missing))
    return data


def reg_query_or(key, value, default):
    """The value's data, or the default where reg says that the value or its key does not exist."""
    data, missing = reg_query_answer(key, value)
    return default if missing else data


def reg_absent(key, value):
    return reg_query_answer(key, value)[1] is not None


def wait_for(predicate, timeout, what):
    deadline = time.time() + timeout
    while time.time() < deadline:
        if predicate():
            return
        time.sleep(0.2)
    raise AssertionError("timed out waiting for " + what)


def register_test_source():
    dll = winpath(os.path.join(PROGRAM_BUILD, "TestMessages.dll"))
    for name in ("EventMessageFile", "CategoryMessageFile", "ParameterMessageFile"):
        wine("reg", "add", SOURCE_KEY, "/v", name, "/t", "REG_EXPAND_SZ", "/d", dll, "/f")


class Collector:
    """A collector process; its deciphered pushes, in order of arrival."""

    def __init__(self, port=0):
        self.texts = []
        self.lock = threading.Lock()
        self.process = subprocess.Popen(["/usr/bin/python3", COLLECTOR, "--timeout", "3600", "listen", "--port",
                                         str(port)], stdout=subprocess.PIPE, stdin=subprocess.DEVNULL, text=True)
        self.port = int(self.process.stdout.readline().split()[1])
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        import json
        for line in self.process.stdout:
            match = re.match(r"type=0x80000002 .*checksum=ok .*text=(.*)$", line.strip())
            if match:
                with self.lock:
                    self.texts.append(json.loads(match.group(1)))

    def records(self):
        with self.lock:
            return [parse_message(t) for t in self.texts]

    def stop(self):
        self.process.kill()
        self.process.wait()
        self.reader.join(5)
        self.process.stdout.close()


TAGS = ["RECNO", "TIMEG", "TIMEW", "EV_ID", "EV_TY", "USERN", "SOURC", "COMPT", "CATGY", "LOGFI", "MESSG",
        "DATA_", "HOSTN", "DESCR"]


def parse_message(text):
    """The fourteen tagged lines (the message may hold CR LF, so split at the tags)."""
    fields = {}
    pattern = r"\{\{ELM\}\}_(" + "|".join(TAGS) + r") (.*?)(?=\n\{\{ELM\}\}_|\Z)"
    for match in re.finditer(pattern, text, re.S):
        fields[match.group(1)] = match.group(2)
    fields["_order"] = re.findall(r"(?:^|\n)\{\{ELM\}\}_(\w{5}) ", text)
    return fields


class Agent:
    """One agent in a folder of its own: its executable, configuration, targets and spool."""

    def __init__(self, name, exe=SPOOL_AGENT, targets=(), extra_config=""):
        self.folder = os.path.join(PROGRAM_BUILD, "bb", name)
        shutil.rmtree(self.folder, ignore_errors=True)
        os.makedirs(os.path.join(self.folder, "spool"))
        self.exe = os.path.join(self.folder, "QuorvexAgent.exe")
        shutil.copy(exe, self.exe)
        self.spool = os.path.join(self.folder, "spool")
        self.port = free_port()
        with open(os.path.join(self.folder, "accounts.txt"), "w") as f:
            f.write(".\\collector\tsecret\nPLANT\\operator\tp4ss\n")
        with open(os.path.join(self.folder, "QuorvexAgent.cfg"), "w") as f:
            f.write("EVENTLOG_SPOOL = %s\nCOMMAND_PORT = %d\nLOGON_ACCOUNTS = %s\n%s" % (
                winpath(self.spool), self.port, winpath(os.path.join(self.folder, "accounts.txt")), extra_config))
        self.set_targets(targets)
        self.process = None

    def set_targets(self, targets):
        with open(os.path.join(self.folder, "QuorvexTargets.txt"), "w") as f:
            f.write("# Target Addresses\n")
            for t in targets:
                f.write("TARGET> %s\n" % t)

    def trace(self):
        text = ""
        for path in sorted(glob.glob(os.path.join(self.folder, "QuorvexAgentLogfile*.txt"))):
            with open(path, encoding="latin-1") as f:
                text += f.read()
        return text

    def start(self, *args):
        mark = len(self.trace())
        self.process = subprocess.Popen([WINE_RUN, self.exe] + list(args or ["-debug"]), stdin=subprocess.DEVNULL,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(lambda: "Listening on Socket" in self.trace()[mark:] and "Startup at" not in "" and
                 "Outstanding file count" in self.trace()[mark:], 60, "the agent to start")
        time.sleep(0.5)

    def kill(self):
        if self.process:
            self.process.kill()
            self.process.wait()
            self.process = None
            time.sleep(0.5)

    def feed(self, count, *strings, event_id=1000, category=1, sid=False):
        args = [FEED, winpath(self.spool), "append", "Application", SOURCE, str(event_id), "4", str(category),
                str(count)] + (["-sid"] if sid else []) + list(strings or ["svc{n}", "state"])
        first, last = wine(*args).split()
        return int(first), int(last)

    def spool_command(self, *args):
        wine(FEED, winpath(self.spool), *args)

    def cache_files(self):
        return sorted(glob.glob(os.path.join(self.folder, "CachedData", "AgentNotSent-*.xml")))

    def request(self, msg_type, text="", raw=None):
        with socket.create_connection(("127.0.0.1", self.port), timeout=30) as conn:
            conn.sendall(raw if raw is not None else wire.request_frame(msg_type, text))
            return read_reply(conn)


def read_reply(conn):
    frame = wire.read_frame(conn)
    if frame is None:
        return None
    length, stored, msg_type = struct.unpack_from("<III", frame, 8)
    assert stored == wire.checksum(frame), "reply checksum"
    body = wire.run_cipher(msg_type & 0x7FFFFFFF, frame[20:], False)
    marker, result = struct.unpack_from("<II", body, 0)
    text = body[8:].decode("utf-16-le", errors="surrogatepass").split("\0", 1)[0]
    return {"type": msg_type, "length": length, "marker": marker, "result": result, "text": text}


class AgentTest(unittest.TestCase):
    agents = []
    collectors = []

    @classmethod
    def setUpClass(cls):
        register_test_source()

    def tearDown(self):
        for agent in self.agents:
            agent.kill()
        for collector in self.collectors:
            collector.stop()
        self.agents.clear()
        self.collectors.clear()

    def agent(self, *args, **kwargs):
        a = Agent(self.id().split(".")[-1], *args, **kwargs)
        self.agents.append(a)
        return a

    def collector(self, port=0):
        c = Collector(port)
        self.collectors.append(c)
        return c


class CommandLine(AgentTest):
    USAGE = ["Command line", "============",
             "-install <Auto/Manual> <username> <password> to install the service",
             "-remove                                      to remove the service",
             "-debug                                       to run on console (debug)",
             "-?                                           displays this message"]

    def test_usage_goes_to_the_trace_file_and_with_debug_to_the_console(self):
        agent = self.agent(exe=REAL_AGENT)
        out = wine(agent.exe, "-?")
        self.assertNotIn("Command line", out)
        trace = agent.trace()
        for line in self.USAGE:
            self.assertIn("> " + line + "\n", trace)
        out = wine(agent.exe, "-?", "/DEBUG")
        for line in self.USAGE:
            self.assertIn(line, out)
        self.assertNotIn("Starting as Console Application", out)
        # The start time and the trace file are published in the volatile key.
        self.assertRegex(reg_query(VOLATILE_KEY, "AgentStartup"), r"^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d$")
        logfile = reg_query(VOLATILE_KEY, "AgentLogfile")
        self.assertTrue(logfile.lower().startswith(winpath(agent.folder).lower() + "\\quorvexagentlogfile-"), logfile)


class Service(AgentTest):
    def control(self, verb, *args):
        return wine(CONTROL, SERVICE, verb, *args, check=False).strip()

    def wait_state(self, state, timeout=60):
        wait_for(lambda: self.control("query").startswith(state), timeout, "service state " + state)

    def tearDown(self):
        self.control("stop")
        wine(REAL_AGENT, "-remove", check=False)
        super().tearDown()

    def test_install_auto_and_manual_with_account_then_remove(self):
        agent = self.agent(exe=REAL_AGENT)
        wine(agent.exe, "-remove", check=False)
        wine(agent.exe, "-install", "auto")
        self.assertEqual(2, reg_query(SERVICE_KEY, "Start"))
        self.assertEqual(16, reg_query(SERVICE_KEY, "Type"))
        self.assertEqual(1, reg_query(SERVICE_KEY, "ErrorControl"))
        self.assertEqual("Tervok Quorvex Agent", reg_query(SERVICE_KEY, "DisplayName"))
        self.assertEqual('"%s"' % winpath(agent.exe).lower(), reg_query(SERVICE_KEY, "ImagePath").lower())
        self.assertEqual("LocalSystem", reg_query(SERVICE_KEY, "ObjectName"))
        wine(agent.exe, "-remove")
        self.assertTrue(reg_absent(SERVICE_KEY, "Start"))

        wine(agent.exe, "-install", "manual", ".\\quorvex", "TopSecret99")
        self.assertEqual(3, reg_query(SERVICE_KEY, "Start"))
        self.assertEqual(".\\quorvex", reg_query(SERVICE_KEY, "ObjectName"))
        trace = agent.trace()
        self.assertIn("  Start mode   = Demand", trace)
        self.assertIn("  Username     = .\\quorvex", trace)
        self.assertIn("  Password     = ********", trace)
        self.assertNotIn("TopSecret99", trace)
        wine(agent.exe, "-remove")
        self.assertTrue(reg_absent(SERVICE_KEY, "Start"))

        # A bare account name is one of this machine, as the service manager wants it; a domain
        # account in the form user@domain is left as it is.
        for account, stored in (("quorvex", ".\\quorvex"), ("quorvex@example.test", "quorvex@example.test")):
            wine(agent.exe, "-install", "manual", account, "TopSecret99")
            self.assertEqual(stored, reg_query(SERVICE_KEY, "ObjectName"))
            self.assertIn("  Username     = %s" % stored, agent.trace())
            wine(agent.exe, "-remove")
        # Removing a service that does not exist reports the system's text.
        wine(agent.exe, "-remove")
        self.assertIn("Error Opening The Service Control Manager\n", agent.trace().replace("\r", ""))

    def test_start_pause_continue_stop_under_the_service_manager(self):
        agent = self.agent(exe=REAL_AGENT)
        wine(agent.exe, "-remove", check=False)
        wine(agent.exe, "-install", "manual")
        first = self.control("start")
        self.assertTrue(first.startswith("start_pending") or first.startswith("running"), first)
        self.wait_state("running")
        # Interrogate while running: running again, check point 0, all three controls.
        self.assertEqual("running checkpoint=0 accepted=7 waithint=0", self.control("interrogate"))
        self.assertTrue(self.control("pause").startswith("paused"))
        self.wait_state("paused")
        self.assertTrue(self.control("continue").startswith("running"))
        self.wait_state("running")
        # The command port answers while the service runs.
        wait_for(lambda: "Listening on Socket" in agent.trace() or True, 1, "")
        reply = agent.request(3)
        self.assertEqual(0x80000003, reply["type"])
        self.control("stop")
        self.wait_state("stopped")
        trace = agent.trace()
        for word in ("Tervok Quorvex Agent", "Build date: "):
            self.assertIn(word, trace)
        wine(agent.exe, "-remove")


class Forwarding(AgentTest):
    def test_every_record_reaches_two_collectors_as_tagged_text(self):
        one, two = self.collector(), self.collector()
        agent = self.agent(targets=["127.0.0.1:%d" % one.port, "127.0.0.1:%d" % two.port])
        # Records already in the log at start are not sent.
        agent.feed(3, "old{n}", "before")
        agent.start()
        count_before = reg_query_or(VOLATILE_KEY, "AgentMessageCount", 0)
        first, last = agent.feed(20, "svc{n}", "state", sid=True)
        self.assertEqual((4, 23), (first, last))
        for c in (one, two):
            wait_for(lambda: len(c.records()) >= 20, 60, "20 records")
        time.sleep(1.5)
        for c in (one, two):
            records = c.records()
            self.assertEqual(list(range(4, 24)), [int(r["RECNO"]) for r in records])
            for n, r in enumerate(records):
                self.assertEqual(TAGS, r["_order"])
                self.assertEqual("Service svc%d reported state. " % n, r["MESSG"])
                self.assertEqual("1000", r["EV_ID"])
                self.assertEqual("4", r["EV_TY"])
                self.assertEqual(SOURCE, r["SOURC"])
                self.assertEqual("Disk", r["CATGY"])
                self.assertEqual("Application", r["LOGFI"])
                self.assertEqual("", r["DATA_"])
                self.assertNotEqual("", r["USERN"])
        self.assertEqual(count_before + 20, reg_query(VOLATILE_KEY, "AgentMessageCount"))
        self.assertRegex(reg_query(VOLATILE_KEY, "AgentLastMessage"), r"^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d$")

    def test_records_for_a_stopped_collector_are_cached_and_sent_when_it_is_back(self):
        up = self.collector()
        down_port = free_port()
        agent = self.agent(targets=["localhost:%d" % up.port, "127.0.0.1:%d" % down_port])
        agent.start()
        agent.feed(5, "cached{n}", "x")
        wait_for(lambda: len(up.records()) >= 5 and len(agent.cache_files()) >= 5, 60, "5 cache files")
        files = agent.cache_files()
        self.assertEqual(5, len(files))
        for f in files:
            self.assertRegex(os.path.basename(f), r"^AgentNotSent-\d{4}-\d\d-\d\d \d{6}-\d{5}\.xml$")
            root = xml.dom.minidom.parse(f).documentElement
            self.assertEqual("HRD", root.tagName)
            self.assertEqual("Quorvex Windows Agent", root.getAttribute("Description"))
            child = root.getElementsByTagName("EventLogMessage")[0]
            self.assertEqual("127.0.0.1", child.getAttribute("Host"))
            self.assertEqual(str(down_port), child.getAttribute("Port"))
            self.assertIn("{{ELM}}_MESSG Service cached", child.getAttribute("Message"))
        back = self.collector(down_port)
        # The first push that reaches the host again sends its cached files after it.
        agent.feed(1, "trigger", "x")
        wait_for(lambda: len(back.records()) >= 6 and not agent.cache_files(), 60, "the cached records")
        messages = [r["MESSG"] for r in back.records()]
        self.assertEqual(["Service trigger reported x. "] + ["Service cached%d reported x. " % n for n in range(5)],
                         messages)
        self.assertEqual(6, len(up.records()))

    def test_a_cleared_or_wrapped_log_is_read_again_from_its_oldest_record(self):
        c = self.collector()
        agent = self.agent(targets=["127.0.0.1:%d" % c.port])
        agent.feed(4, "before{n}", "x")
        agent.start()
        agent.spool_command("clear", "Application")
        agent.feed(2, "after{n}", "x")
        wait_for(lambda: len(c.records()) >= 2, 60, "records after the clear")
        self.assertEqual([1, 2], [int(r["RECNO"]) for r in c.records()])
        self.assertIn("was cleared", agent.trace())


class Cache(AgentTest):
    def test_a_cache_file_that_cannot_be_written_is_reported_and_the_monitor_goes_on(self):
        folder = os.path.join(PROGRAM_BUILD, "bb", self.id().split(".")[-1])
        agent = self.agent(targets=["127.0.0.1:%d" % free_port()],
                           extra_config="CACHE_FOLDER = %s\n" % winpath(os.path.join(folder, "cache")))
        cache = os.path.join(agent.folder, "cache")

        def cached_messages():
            try:
                return [xml.dom.minidom.parse(f).getElementsByTagName("EventLogMessage")[0].getAttribute("Message")
                        for f in glob.glob(os.path.join(cache, "AgentNotSent-*.xml"))]
            except (xml.parsers.expat.ExpatError, IndexError):
                return []  # reserved, not yet written
        agent.start()
        agent.feed(1, "first", "x")
        # Written whole: a folder removed while the file is only reserved fails the first save,
        # and that failure would be taken for the second's.
        wait_for(lambda: len(cached_messages()) == 1, 60, "the first cache file")
        shutil.rmtree(cache)
        with open(cache, "w") as f:
            f.write("a file where the folder was")
        mark = len(agent.trace())
        agent.feed(1, "second", "x")
        wait_for(lambda: "Error saving data to " in agent.trace()[mark:], 60, "the failure in the trace")
        line = re.search(r"Error saving data to (.*) - (.*)", agent.trace()[mark:]).groups()
        self.assertIn("AgentNotSent-", line[0])
        self.assertNotEqual("", line[1].strip())
        os.remove(cache)
        os.makedirs(cache)
        agent.feed(1, "third", "x")
        wait_for(lambda: len(cached_messages()) == 1, 60, "the next cache file")
        self.assertIn("Service third", cached_messages()[0])


class CommandPort(AgentTest):
    def test_stalled_peers_lose_their_connections_and_a_good_request_is_still_answered(self):
        agent = self.agent()
        agent.start()
        mark = agent.trace().count("From ...: ")
        # Each stalled peer sends the header of a 100-byte request and nothing more.
        header = wire.build(3, b"\0" * 80)[:20]
        stalled = []
        try:
            for _ in range(100):
                conn = socket.create_connection(("127.0.0.1", agent.port), timeout=30)
                conn.sendall(header)
                stalled.append(conn)
            wait_for(lambda: agent.trace().count("From ...: ") - mark >= 100, 60, "100 accepted peers")
            started = time.time()
            reply = agent.request(3)
            answered = time.time() - started
            self.assertIsNotNone(reply, "the good request was refused")
            self.assertEqual(0x80000003, reply["type"])
            self.assertLess(answered, 5.0)
            # Every stalled peer loses its connection, the last ones when their time is up.
            deadline = time.time() + 90
            for conn in stalled:
                conn.settimeout(max(0.1, deadline - time.time()))
                try:
                    self.assertEqual(b"", conn.recv(100))
                except ConnectionError:
                    pass
            self.assertIn("closing", agent.trace())
        finally:
            for conn in stalled:
                conn.close()
        self.assertEqual(0x80000003, agent.request(3)["type"])

    def test_status_set_targets_and_trace_tail(self):
        agent = self.agent(targets=["zeta:1", "Alpha:2", "alpha:3"])
        agent.start()
        reply = agent.request(3)
        expected = "{{ZRAM:%d\t{{ZRAL:%s\t{{ZRAR:%s\t{{ZRAT:Alpha:2, alpha:3, zeta:1\t{{ZRAS:Ready" % (
            reg_query_or(VOLATILE_KEY, "AgentMessageCount", 0), reg_query_or(VOLATILE_KEY, "AgentLastMessage", ""),
            reg_query(VOLATILE_KEY, "AgentStartup"))
        self.assertEqual(0x80000003, reply["type"])
        self.assertEqual((1, 0), (reply["marker"], reply["result"]))
        self.assertEqual(expected, reply["text"])
        self.assertEqual(20 + (8 + 2 * (len(expected) + 1) + 7) // 8 * 8, reply["length"])

        targets_file = os.path.join(agent.folder, "QuorvexTargets.txt")
        request = "{{ZRAO:plantuser\t{{ZRAU:PLANT\\operator\t{{ZRAP:p4ss\t{{ZRA2:10.0.0.7:7258\t{{ZRA3:host3:1"
        reply = agent.request(4, request)
        self.assertEqual((0x80000004, 1, "Targets updated"), (reply["type"], reply["result"], reply["text"]))
        with open(targets_file) as f:
            lines = [l.rstrip("\r\n") for l in f if not l.startswith("#")]
        self.assertEqual(["TARGET> 10.0.0.7:7258", "TARGET> host3:1"], lines)
        before = open(targets_file, "rb").read()
        reply = agent.request(4, "{{ZRAO:x\t{{ZRAU:collector\t{{ZRAP:wrong\t{{ZRA1:evil:1")
        self.assertEqual(0, reply["result"])
        self.assertTrue(reply["text"].startswith("Error validating username and password: "), reply["text"])
        reply = agent.request(4, "{{ZRAO:x\t{{ZRAU:collector\t{{ZRAP:secret\t{{ZRA1:bad\rline:1")
        self.assertEqual(0, reply["result"])
        self.assertEqual(before, open(targets_file, "rb").read())

        reply = agent.request(7)
        self.assertEqual((0x80000007, 1), (reply["type"], reply["result"]))
        text = reply["text"].replace("\r", "")
        self.assertRegex(text, r"\d\d> Connection\n\d\d:\d\d:\d\d> ==========\n")
        self.assertEqual(agent.trace().replace("\r", "").rstrip("\n").split("\n")[:20], text.split("\n")[:20])
        self.assertIn("TRACE (4) : Listening on Socket", reply["text"])

    def test_unknown_requests_get_no_reply_and_the_next_is_served(self):
        agent = self.agent()
        agent.start()
        with socket.create_connection(("127.0.0.1", agent.port), timeout=30) as conn:
            conn.sendall(wire.request_frame(5, ""))
            conn.sendall(wire.request_frame(3, ""))
            reply = read_reply(conn)
            self.assertEqual(0x80000003, reply["type"])
            conn.sendall(wire.request_frame(7, ""))
            self.assertEqual(0x80000007, read_reply(conn)["type"])

    def test_ten_thousand_malformed_frames_leave_the_agent_serving(self):
        import random
        agent = self.agent()
        agent.start()
        rng = random.Random(6)
        good = wire.request_frame(3, "")
        for n in range(10000):
            kind = n % 5
            if kind == 0:
                frame = bytes(rng.getrandbits(8) for _ in range(rng.randrange(1, 60)))
            elif kind == 1:  # wrong magic
                frame = bytes([rng.getrandbits(8)]) + good[1:]
            elif kind == 2:  # random lengths
                frame = good[:8] + struct.pack("<I", rng.getrandbits(32)) + good[12:]
            elif kind == 3:  # truncated
                frame = wire.request_frame(rng.choice((3, 4, 7, 9)), "x" * rng.randrange(40))[:rng.randrange(1, 40)]
            else:  # random types, short set-target bodies
                frame = wire.build(rng.choice((4, 0, 0x80000003, rng.getrandbits(32))),
                                   bytes(rng.getrandbits(8) for _ in range(rng.randrange(0, 30))))
            try:
                with socket.create_connection(("127.0.0.1", agent.port), timeout=10) as conn:
                    conn.sendall(frame)
                    conn.shutdown(socket.SHUT_WR)
                    conn.settimeout(2)
                    try:
                        while conn.recv(65536):
                            pass
                    except (socket.timeout, ConnectionError):
                        pass
            # The agent may drop a bad frame's connection before the shutdown (ENOTCONN): what
            # counts is that it still serves the request below.
            except OSError:
                pass
        reply = agent.request(3)
        self.assertEqual(0x80000003, reply["type"])
        self.assertTrue(reply["text"].endswith("{{ZRAS:Ready"))
        self.assertIsNone(agent.process.poll())


class Reliability(AgentTest):
    def test_ten_thousand_records_through_collector_and_agent_restarts(self):
        port = free_port()
        agent = self.agent(targets=["127.0.0.1:%d" % port])
        collector = self.collector(port)
        every_collector = [collector]
        agent.start()
        fed = 0
        batches = 10
        for batch in range(batches):
            if batch in (2, 4, 6, 8, 9):  # the collector goes away for one batch, five times
                time.sleep(1)  # stopped between records: what it took in, it has printed
                collector.stop()
                self.collectors.remove(collector)
            if batch in (3, 7):  # and the agent restarts twice, once it has read all
                wait_for(lambda: "record %d\n" % (fed + 1) in agent.trace().replace("\r", "") , 300,
                         "the agent to read every record")
                time.sleep(2)
                agent.kill()
                agent.start()
            agent.feed(1000, "rel%d-{n}" % batch, "x")
            fed += 1000
            wait_for(lambda: "Sending over Application record %d\n" % (fed + 1) in agent.trace().replace("\r", ""),
                     300, "batch %d read" % batch)
            if collector not in self.collectors:
                collector = self.collector(port)
                every_collector.append(collector)
        # A last record after a restart makes the agent send what it has cached.
        agent.kill()
        agent.start()
        agent.feed(1, "final", "x")
        fed += 1
        wait_for(lambda: not agent.cache_files(), 600, "the cache to empty")
        time.sleep(2)
        seen = set()
        for c in every_collector:
            for r in c.records():
                seen.add(r["MESSG"])
        expected = {"Service rel%d-%d reported x. " % (b, n) for b in range(batches) for n in range(1000)}
        expected.add("Service final reported x. ")
        missing = expected - seen
        self.assertEqual(set(), missing, "%d of %d records lost" % (len(missing), len(expected)))


if __name__ == "__main__":
    unittest.main(verbosity=2)
