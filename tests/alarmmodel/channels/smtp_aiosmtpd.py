#!/usr/bin/python3
"""Debian's aiosmtpd on loopback, storing what it receives.

    smtp_aiosmtpd.py --port N --dir FOLDER

Every message becomes FOLDER/mail-K.eml (the raw data), FOLDER/mail-K.body (the decoded body,
LF line ends) and FOLDER/mail-K.envelope (MAIL FROM, then each RCPT TO, one per line).
aiosmtpd offers AUTH only after EHLO; the client greets with HELO, so its AUTH LOGIN is refused.
"""
import argparse
import email
import itertools
import os
import signal
import time

from aiosmtpd.controller import Controller

counter = itertools.count(1)


class Store:
    def __init__(self, folder):
        self.folder = folder

    async def handle_DATA(self, server, session, envelope):
        k = next(counter)
        base = os.path.join(self.folder, 'mail-%d' % k)
        message = email.message_from_bytes(envelope.original_content)
        body = message.get_payload(decode=True).replace(b'\r\n', b'\n')
        with open(base + '.body', 'wb') as f:
            f.write(body)
        with open(base + '.envelope', 'w') as f:
            f.write('\n'.join([envelope.mail_from] + envelope.rcpt_tos) + '\n')
        # Written last: the test waits for it.
        with open(base + '.eml', 'wb') as f:
            f.write(envelope.original_content)
        return '250 Message accepted for delivery'


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--port', type=int, required=True)
    parser.add_argument('--dir', required=True)
    args = parser.parse_args()
    controller = Controller(Store(args.dir), hostname='127.0.0.1', port=args.port)
    controller.start()
    signal.signal(signal.SIGTERM, lambda *a: (controller.stop(), os._exit(0)))
    while True:
        time.sleep(3600)


if __name__ == '__main__':
    main()
