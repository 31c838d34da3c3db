#!/usr/bin/python3
"""An SMTP server on 127.0.0.1 for the end-to-end send test.

Usage: smtp_sink.py PORT MAILBOX

Every message received is appended to MAILBOX as
    FROM <envelope sender>
    TO <recipient>            (one line per envelope recipient)
    DATA <length in bytes>
    <the message exactly as received>
and the server runs until it is sent SIGTERM.
"""
import signal
import sys
import threading

from aiosmtpd.controller import Controller


class Sink:
    def __init__(self, mailbox):
        self.mailbox = mailbox

    async def handle_DATA(self, server, session, envelope):
        content = envelope.original_content or envelope.content
        if isinstance(content, str):
            content = content.encode("latin-1", "replace")
        with open(self.mailbox, "ab") as out:
            out.write(b"FROM " + envelope.mail_from.encode() + b"\n")
            for rcpt in envelope.rcpt_tos:
                out.write(b"TO " + rcpt.encode() + b"\n")
            out.write(b"DATA %d\n" % len(content))
            out.write(content + b"\n")
        return "250 Message accepted"


def main():
    port, mailbox = int(sys.argv[1]), sys.argv[2]
    open(mailbox, "ab").close()
    controller = Controller(Sink(mailbox), hostname="127.0.0.1", port=port, decode_data=False)
    controller.start()
    stop = threading.Event()
    signal.signal(signal.SIGTERM, lambda *_: stop.set())
    signal.signal(signal.SIGINT, lambda *_: stop.set())
    print("listening", flush=True)
    stop.wait()
    controller.stop()


if __name__ == "__main__":
    main()
