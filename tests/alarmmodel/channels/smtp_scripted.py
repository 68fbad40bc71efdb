#!/usr/bin/python3
"""A small SMTP server that plays the cases a real server will not produce on demand.

    smtp_scripted.py --port N --dir FOLDER

Before connecting, a test writes the scenario's name into FOLDER/scenario:
  normal            every command accepted (AUTH LOGIN with 334 prompts)
  split             like normal, but a "220-" greeting of three lines and every reply sent in
                    pieces; bytes that arrive before a reply is complete are marked "!EARLY!"
  auth535           535 to the password
  rcpt550           a two-line 550 to RCPT TO
  close-after-data  the connection closes after the end of the data, without a reply
Every connection appends "=== connection\\n" and then every byte it receives to FOLDER/record.
"""
import argparse
import os
import select
import socket
import threading
import time


def scenario(folder):
    try:
        with open(os.path.join(folder, 'scenario')) as f:
            return f.read().strip()
    except OSError:
        return 'normal'


class Session:
    def __init__(self, conn, folder):
        self.conn = conn
        self.folder = folder
        self.mode = scenario(folder)
        self.buffer = b''

    def record(self, data):
        with open(os.path.join(self.folder, 'record'), 'ab') as f:
            f.write(data)

    def reply(self, text):
        data = text.encode('ascii')
        if self.mode != 'split':
            self.conn.sendall(data)
            return
        # Pieces a few bytes long, a pause after each: a client must wait for the final line.
        for i in range(0, len(data), 3):
            self.conn.sendall(data[i:i + 3])
            time.sleep(0.01)
            if i + 3 < len(data) and select.select([self.conn], [], [], 0)[0]:
                self.record(b'!EARLY!')

    def line(self):
        while b'\r\n' not in self.buffer:
            data = self.conn.recv(4096)
            if not data:
                return None
            self.record(data)
            self.buffer += data
        line, self.buffer = self.buffer.split(b'\r\n', 1)
        return line.decode('latin-1')

    def data(self):
        while b'\r\n.\r\n' not in self.buffer:
            data = self.conn.recv(65536)
            if not data:
                return False
            self.record(data)
            self.buffer += data
        self.buffer = self.buffer.split(b'\r\n.\r\n', 1)[1]
        return True

    def run(self):
        self.record(b'=== connection\n')
        if self.mode == 'split':
            self.reply('220-scripted.example ESMTP\r\n220-second line\r\n220 ready\r\n')
        else:
            self.reply('220 scripted.example ESMTP\r\n')
        while True:
            line = self.line()
            if line is None:
                return
            verb = line.upper()
            if verb == 'AUTH LOGIN':
                self.reply('334 VXNlcm5hbWU6\r\n')
                if self.line() is None:
                    return
                self.reply('334 UGFzc3dvcmQ6\r\n')
                if self.line() is None:
                    return
                if self.mode == 'auth535':
                    self.reply('535 5.7.8 Authentication credentials invalid\r\n')
                else:
                    self.reply('235 2.7.0 Authentication successful\r\n')
            elif verb.startswith('RCPT') and self.mode == 'rcpt550':
                self.reply('550-5.1.1 No such user\r\n550 5.1.1 Try another\r\n')
            elif verb == 'DATA':
                self.reply('354 End data with <CR><LF>.<CR><LF>\r\n')
                if not self.data():
                    return
                if self.mode == 'close-after-data':
                    return
                self.reply('250 2.0.0 Queued\r\n')
            elif verb == 'QUIT':
                self.reply('221 2.0.0 Bye\r\n')
                return
            else:
                self.reply('250 OK\r\n')


def serve(conn, folder):
    try:
        Session(conn, folder).run()
    except OSError:
        pass
    finally:
        conn.close()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--port', type=int, required=True)
    parser.add_argument('--dir', required=True)
    args = parser.parse_args()
    server = socket.socket()
    server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    server.bind(('127.0.0.1', args.port))
    server.listen(8)
    while True:
        conn, _ = server.accept()
        threading.Thread(target=serve, args=(conn, args.dir), daemon=True).start()


if __name__ == '__main__':
    main()
