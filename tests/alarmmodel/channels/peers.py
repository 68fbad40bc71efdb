#!/usr/bin/python3
"""Starts the real peers of the channel tests outside Wine, runs a test program, stops them.

    peers.py [--modem comN=MODE]... [--scripted-smtp] [--aiosmtpd [--port25]] -- COMMAND...

- a modem is modem_sim.py behind a socat pseudo-terminal, linked into the Wine prefix as COMn;
  the test program finds it in TERVOK_MODEM_<MODE>_PORT (COMn) and the bytes the modem
  received in the file TERVOK_MODEM_<MODE>_RECORD;
- the scripted SMTP server (smtp_scripted.py) and aiosmtpd listen on free loopback ports,
  given in TERVOK_SMTP_SCRIPTED_PORT / TERVOK_SMTP_AIOSMTPD_PORT; --port25 puts aiosmtpd on
  127.0.0.1:25 instead (the test holds a resource lock for it). Their records lie in the
  folders TERVOK_SMTP_SCRIPTED_DIR / TERVOK_SMTP_AIOSMTPD_DIR.
Paths are handed over as Windows paths on Wine's Z: drive.
"""
import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.abspath(os.path.join(HERE, '..', '..', '..'))
PYTHON = '/usr/bin/python3'


def wine_path(path):
    return 'Z:' + path.replace('/', '\\')


def wait_for(predicate, what, seconds=10.0):
    deadline = time.time() + seconds
    while time.time() < deadline:
        if predicate():
            return
        time.sleep(0.05)
    raise RuntimeError('peer did not start: ' + what)


def listening(port):
    try:
        with socket.create_connection(('127.0.0.1', port), timeout=0.5):
            return True
    except OSError:
        return False


def free_port():
    with socket.socket() as s:
        s.bind(('127.0.0.1', 0))
        return s.getsockname()[1]


class Peers:
    def __init__(self):
        self.processes = []
        self.links = []
        self.work = tempfile.mkdtemp(prefix='tervok-peers-')
        self.env = dict(os.environ)
        self.prefix = os.environ.get('WINE_RUN_PREFIX') or subprocess.run(
            [os.path.join(ROOT, 'tools', 'width'), 'TERVOK_PREFIX'], stdout=subprocess.PIPE,
            text=True, check=True).stdout.strip()

    def start(self, argv):
        proc = subprocess.Popen(argv, stdin=subprocess.DEVNULL, start_new_session=True)
        self.processes.append(proc)
        return proc

    def ensure_prefix(self):
        if not os.path.isdir(os.path.join(self.prefix, 'dosdevices')):
            subprocess.run([os.path.join(ROOT, 'tools', 'wine-run'), 'cmd', '/c', 'exit'],
                           stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, check=False)

    def modem(self, com, mode):
        self.ensure_prefix()
        pty = os.path.join(self.work, com + '.pty')
        # Not "com5.rec": Windows takes any name COMn.* for the device itself.
        record = os.path.join(self.work, 'record-' + com + '.bin')
        open(record, 'wb').close()
        sim = '%s %s %s %s' % (PYTHON, os.path.join(HERE, 'modem_sim.py'), mode, record)
        self.start(['socat', 'pty,raw,echo=0,link=' + pty, 'EXEC:' + sim])
        wait_for(lambda: os.path.exists(pty), 'modem on ' + com)
        link = os.path.join(self.prefix, 'dosdevices', com.lower())
        if os.path.lexists(link):
            os.remove(link)
        os.symlink(pty, link)
        self.links.append(link)
        key = 'TERVOK_MODEM_' + mode.upper().replace('-', '_')
        self.env[key + '_PORT'] = com.upper()
        self.env[key + '_RECORD'] = wine_path(record)

    def smtp(self, name, argv, port):
        folder = os.path.join(self.work, name)
        os.mkdir(folder)
        self.start(argv + ['--port', str(port), '--dir', folder])
        wait_for(lambda: listening(port), name)
        key = 'TERVOK_SMTP_' + name.upper()
        self.env[key + '_PORT'] = str(port)
        self.env[key + '_DIR'] = wine_path(folder)

    def stop(self):
        for proc in self.processes:
            if proc.poll() is None:
                os.killpg(proc.pid, signal.SIGTERM)
        for proc in self.processes:
            try:
                proc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                os.killpg(proc.pid, signal.SIGKILL)
        for link in self.links:
            if os.path.lexists(link):
                os.remove(link)
        shutil.rmtree(self.work, ignore_errors=True)


def main(argv):
    split = argv.index('--')
    options, command = argv[:split], argv[split + 1:]
    peers = Peers()
    try:
        i = 0
        while i < len(options):
            opt = options[i]
            if opt == '--modem':
                com, mode = options[i + 1].split('=')
                peers.modem(com, mode)
                i += 1
            elif opt == '--scripted-smtp':
                peers.smtp('scripted', [PYTHON, os.path.join(HERE, 'smtp_scripted.py')], free_port())
            elif opt == '--aiosmtpd':
                port = 25 if '--port25' in options else free_port()
                peers.smtp('aiosmtpd', [PYTHON, os.path.join(HERE, 'smtp_aiosmtpd.py')], port)
            elif opt != '--port25':
                raise SystemExit('unknown option ' + opt)
            i += 1
        return subprocess.run(command, env=peers.env, stdin=subprocess.DEVNULL).returncode
    finally:
        peers.stop()


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
