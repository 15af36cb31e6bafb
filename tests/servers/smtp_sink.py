"""A loopback SMTP server for the tests.

Prints "PORT n" once it listens on 127.0.0.1 and saves each message it accepts as
NNNN.eml (the data as received) with NNNN.json (the envelope) in --dir.

Modes:
  accept      take every message (the default)
  slow        as accept, but answer the end of the data only after --delay seconds
  reject-rcpt answer every RCPT with 550
  refuse      listen nowhere: connections to the port printed are refused
  hang        accept connections and never say a word

--refuse-rcpt ADDRESS (repeatable) answers RCPT for that address with 550 in the modes that
take mail; the message still goes to the other recipients.
"""
import argparse
import asyncio
import json
import os
import signal
import socket
import sys
import time


def free_port():
    with socket.socket(socket.AF_INET, socket.SOCK_STREAM) as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def announce(port):
    print("PORT %d" % port, flush=True)


class Saver:
    def __init__(self, folder, mode, delay, refused):
        self.folder = folder
        self.mode = mode
        self.delay = delay
        self.refused = {address.lower() for address in refused}
        self.count = 0

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if self.mode == "reject-rcpt" or address.lower() in self.refused:
            return "550 5.1.1 <%s>: Recipient address rejected" % address
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        if self.mode == "slow":
            await asyncio.sleep(self.delay)
        self.count += 1
        base = os.path.join(self.folder, "%04d" % self.count)
        with open(base + ".json.part", "w") as f:
            json.dump({"mail_from": envelope.mail_from, "rcpt_tos": envelope.rcpt_tos}, f)
        os.replace(base + ".json.part", base + ".json")
        with open(base + ".eml.part", "wb") as f:
            f.write(envelope.original_content or envelope.content)
        os.replace(base + ".eml.part", base + ".eml")
        return "250 Message accepted for delivery"


def run_hang(port):
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", port))
    listener.listen(16)
    announce(listener.getsockname()[1])
    held = []
    while True:
        connection, _ = listener.accept()
        held.append(connection)  # kept open, never answered


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--dir", default=".")
    parser.add_argument("--mode", default="accept",
                        choices=["accept", "slow", "reject-rcpt", "refuse", "hang"])
    parser.add_argument("--delay", type=float, default=2.0)
    parser.add_argument("--refuse-rcpt", action="append", default=[])
    args = parser.parse_args()
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))

    try:
        if args.mode == "refuse":
            announce(args.port or free_port())
            while True:
                time.sleep(3600)
        if args.mode == "hang":
            run_hang(args.port)
            return

        from aiosmtpd.controller import Controller
        port = args.port or free_port()
        # Fail early and plainly when the port is taken or needs privileges.
        probe = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        probe.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        probe.bind(("127.0.0.1", port))
        probe.close()
        controller = Controller(Saver(args.dir, args.mode, args.delay, args.refuse_rcpt), hostname="127.0.0.1",
                                port=port, decode_data=False, data_size_limit=0)
        controller.start()
        announce(port)
        try:
            while True:
                time.sleep(3600)
        finally:
            controller.stop()
    except OSError as error:
        print("ERROR cannot listen on port %d: %s" % (args.port, error), flush=True)
        sys.exit(2)


if __name__ == "__main__":
    main()
