#!/usr/bin/python3
"""A GSM modem in PDU mode on standard input and output, for socat to put behind a pty.

It echoes what it receives (as a modem does after ATZ), answers the AT commands of the SMS
dialogue and appends every byte it receives to the record file.

    modem_sim.py MODE RECORD_FILE
    MODE: ok (a working modem), silent (never answers), cmgs-error (ERROR at AT+CMGS)
"""
import os
import sys

MODE, RECORD = sys.argv[1], sys.argv[2]


def send(text):
    os.write(1, text.encode('ascii'))


def record(data):
    with open(RECORD, 'ab') as f:
        f.write(data)


def answer(line, state):
    if line == 'ATZ' or line == 'AT+CMGF=0':
        return '\r\nOK\r\n'
    if line == 'AT+CMGF=?':
        return '\r\n+CMGF: (0,1)\r\n\r\nOK\r\n'
    if line == 'AT+CSMS=0':
        return '\r\n+CSMS: 1,1,1\r\n\r\nOK\r\n'
    if line.startswith('AT+CMGS='):
        if MODE == 'cmgs-error':
            return '\r\nERROR\r\n'
        state['announced'] = int(line[8:])
        state['pdu'] = ''
        return '\r\n> '
    return '\r\nERROR\r\n'


def pdu_answer(pdu, state):
    """+CMGS when the announced length is the length after the SMSC field, ERROR otherwise."""
    state['pdu'] = None
    pdu = pdu.strip('\r\n')
    if len(pdu) % 2 or len(pdu) < 2:
        return '\r\nERROR\r\n'
    smsc = int(pdu[0:2], 16)
    if len(pdu) // 2 - 1 - smsc != state['announced']:
        return '\r\nERROR\r\n'
    state['sent'] += 1
    return '\r\n+CMGS: %d\r\n\r\nOK\r\n' % state['sent']


def main():
    state = {'pdu': None, 'sent': 0}
    line = ''
    while True:
        data = os.read(0, 4096)
        if not data:
            return
        record(data)
        if MODE == 'silent':
            continue
        for byte in data:
            ch = chr(byte)
            send(ch)  # echo
            if state['pdu'] is not None:
                if ch == '\x1a':
                    send(pdu_answer(state['pdu'], state))
                elif ch == '\x1b':
                    state['pdu'] = None
                else:
                    state['pdu'] += ch
                continue
            if ch == '\r':
                if line:
                    send(answer(line.strip(), state))
                line = ''
            elif ch != '\n':
                line += ch


if __name__ == '__main__':
    main()
