#!/usr/bin/python3
"""A loopback FTP server for the tests (Debian's pyftpdlib).

Listens on 127.0.0.1 (port 0 picks a free one), prints "PORT <n>" once it listens, and
serves until it is killed. One user with full rights on the home folder.

  --user U --password P --home DIR   the account
  --port N                           a fixed port (a restart on the same port)
  --throttle BYTES                   uploads and downloads at this many bytes per second
  --stall-data                       data connections open but never carry a byte
  --silent                           accept connections and never answer (no greeting)
  --answer-stores N                  answer N uploads (STOR), then never answer anything
                                     again on any connection, new ones get no greeting
  --hang-after-login                 the same from the first successful log-in on
  --endless-list                     LIST sends listing lines without end (up to a safety
                                     cap of 512 MB, so a client that reads it all ends)
  --endless-mkd                      MKD is answered with a multi-line reply without end
                                     (the same cap)
  --events FILE                      appends HANG (it stops answering), CONNECT (a new
                                     connection while it does), CLOSED (a connection it
                                     left unanswered was closed) and SENT <bytes> (an
                                     endless reply ended: the bytes it had handed over)
"""
import argparse
import logging
import socket
import sys
import time


def serve_silent(port):
    sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    sock.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    sock.bind(("127.0.0.1", port))
    sock.listen(8)
    print("PORT %d" % sock.getsockname()[1], flush=True)
    held = []
    while True:
        conn, _ = sock.accept()
        held.append(conn)  # kept open, never written to


ENDLESS_CAP = 512 * 1024 * 1024


class EndlessProducer:
    """Lines without end (up to ENDLESS_CAP), counting what it handed over."""

    def __init__(self, line, on_end):
        self.chunk = line * 1000
        self.handed = 0
        self.on_end = on_end

    def more(self):
        if self.handed >= ENDLESS_CAP:
            self.end()
            return b""
        self.handed += len(self.chunk)
        return self.chunk

    def end(self):
        if self.on_end:
            self.on_end(self.handed)
            self.on_end = None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--user", default="user")
    parser.add_argument("--password", default="password")
    parser.add_argument("--home", default=".")
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--throttle", type=int, default=0)
    parser.add_argument("--stall-data", action="store_true")
    parser.add_argument("--silent", action="store_true")
    parser.add_argument("--answer-stores", type=int, default=-1)
    parser.add_argument("--hang-after-login", action="store_true")
    parser.add_argument("--endless-list", action="store_true")
    parser.add_argument("--endless-mkd", action="store_true")
    parser.add_argument("--events", default="")
    args = parser.parse_args()

    if args.silent:
        serve_silent(args.port)
        return

    from pyftpdlib.authorizers import DummyAuthorizer
    from pyftpdlib.handlers import DTPHandler, FTPHandler, ThrottledDTPHandler
    from pyftpdlib.servers import FTPServer

    logging.basicConfig(level=logging.WARNING, stream=sys.stderr)
    authorizer = DummyAuthorizer()
    authorizer.add_user(args.user, args.password, args.home, perm="elradfmwMT")

    dtp = DTPHandler
    if args.throttle > 0:
        class Throttled(ThrottledDTPHandler):
            read_limit = args.throttle
            write_limit = args.throttle
        dtp = Throttled
    if args.stall_data:
        class Stalled(DTPHandler):
            def push_with_producer(self, producer):
                pass  # listings and downloads never send a byte

            def readable(self):
                return False  # uploads are never read
        dtp = Stalled

    state = {"hung": False, "stores": 0}

    def event(text):
        if args.events:
            with open(args.events, "a") as events:
                events.write(text + "\n")

    def stop_answering():
        if not state["hung"]:
            state["hung"] = True
            event("HANG")

    class Handler(FTPHandler):
        unanswered = False

        def handle(self):
            if state["hung"]:
                self.unanswered = True
                event("CONNECT")
                return  # no greeting
            FTPHandler.handle(self)

        def found_terminator(self):
            if state["hung"]:
                self._in_buffer = []
                self._in_buffer_len = 0
                self.unanswered = True
                return
            FTPHandler.found_terminator(self)

        def ftp_STOR(self, file, mode="w"):
            if 0 <= args.answer_stores <= state["stores"]:
                stop_answering()
                self.unanswered = True
                return None
            state["stores"] += 1
            return FTPHandler.ftp_STOR(self, file, mode)

        def ftp_PASS(self, line):
            FTPHandler.ftp_PASS(self, line)
            if args.hang_after_login and self.authenticated:
                stop_answering()

        def ftp_LIST(self, path):
            if not args.endless_list:
                return FTPHandler.ftp_LIST(self, path)
            line = b"-rw-r--r--   1 owner    group      123456 Jan 01 00:00 000001picture.jpg\r\n"
            self.endless = EndlessProducer(line, lambda n: event("SENT %d" % n))
            self.push_dtp_data(self.endless, isproducer=True, cmd="LIST")
            return path

        def ftp_MKD(self, path):
            if not args.endless_mkd:
                return FTPHandler.ftp_MKD(self, path)
            self.endless = EndlessProducer(b"257-made, and there is more to say about it\r\n",
                                           lambda n: event("SENT %d" % n))
            self.push_with_producer(self.endless)

        def _on_dtp_close(self):
            if getattr(self, "endless", None):
                self.endless.end()
            FTPHandler._on_dtp_close(self)

        def close(self):
            if self.unanswered and not self._closed:
                event("CLOSED")
            if getattr(self, "endless", None):
                self.endless.end()
            FTPHandler.close(self)

    Handler.authorizer = authorizer
    Handler.dtp_handler = dtp
    Handler.banner = "TORVEK test server ready."
    Handler.permit_foreign_addresses = False

    server = FTPServer(("127.0.0.1", args.port), Handler)
    print("PORT %d" % server.address[1], flush=True)
    server.serve_forever(handle_exit=False)


if __name__ == "__main__":
    main()
