#!/usr/bin/python3
"""A stand-in for the online picture service, for the tests.

Listens on 127.0.0.1 (port 0 unless --port), prints "PORT n" and then appends one JSON line
per request to --log: method, path, headers and the multipart parts in order (name, file
name, content type or null, bytes as hex). Modes: ok (auth answers --gallery and sets a
cookie), failed ("FAILED!"), empty (empty body), error500, slow (never answers in time),
hang (no request is ever answered), hang-uploads (auth as ok, uploads never answered),
endless (the answer never ends). --drop-uploads N (with hang-uploads): the first N uploads
are closed at once without an answer, the later ones held. --events FILE gets CLOSED each time a client gives up on a
request that was never answered.
"""
import argparse
import email.parser
import email.policy
import json
import select
import sys
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer


def parse_parts(content_type, body):
    if not content_type.startswith("multipart/"):
        return []
    message = email.parser.BytesParser(policy=email.policy.HTTP).parsebytes(
        b"Content-Type: " + content_type.encode() + b"\r\n\r\n" + body)
    parts = []
    for part in message.iter_parts():
        parts.append({
            "name": part.get_param("name", header="content-disposition"),
            "filename": part.get_filename(),
            "content_type": part.get("Content-Type"),
            "hex": part.get_payload(decode=True).hex(),
        })
    return parts


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--log", required=True)
    parser.add_argument("--mode", default="ok")
    parser.add_argument("--gallery", default="galleries/test user")
    parser.add_argument("--events", default="")
    parser.add_argument("--drop-uploads", type=int, default=0)
    args = parser.parse_args()
    dropped = [0]

    def wait_for_close(connection):
        # Never answers; returns once the client has closed its side.
        while True:
            readable, _, _ = select.select([connection], [], [], 1.0)
            if readable and not connection.recv(65536):
                break
        if args.events:
            with open(args.events, "a") as events:
                events.write("CLOSED\n")

    class Handler(BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.0"

        def log_message(self, *unused):
            pass

        def do_POST(self):
            length = int(self.headers.get("Content-Length", "0"))
            body = self.rfile.read(length)
            entry = {
                "method": "POST",
                "path": self.path,
                "headers": {k: v for k, v in self.headers.items()},
                "parts": parse_parts(self.headers.get("Content-Type", ""), body),
            }
            with open(args.log, "a") as log:
                log.write(json.dumps(entry) + "\n")
            if args.mode == "hang-uploads" and not self.path.endswith("auth.php") and dropped[0] < args.drop_uploads:
                dropped[0] += 1
                return  # HTTP/1.0: the connection closes with no reply at all
            if args.mode == "hang" or (args.mode == "hang-uploads" and not self.path.endswith("auth.php")):
                wait_for_close(self.connection)
                return
            if args.mode == "endless":
                self.send_response(200)
                self.end_headers()
                chunk = b"x" * 65536
                try:
                    while True:
                        self.wfile.write(chunk)
                except OSError:
                    return
            if args.mode == "slow":
                time.sleep(30)
                return
            if args.mode == "error500":
                self.send_response(500)
                self.end_headers()
                self.wfile.write(b"broken")
                return
            if args.mode == "failed":
                answer = b"FAILED!"
            elif args.mode == "empty":
                answer = b""
            elif self.path.endswith("auth.php"):
                answer = args.gallery.encode()
            else:
                answer = b"Picture received"
            self.send_response(200)
            if self.path.endswith("auth.php"):
                self.send_header("Set-Cookie", "session=z4test; Path=/")
            self.send_header("Content-Length", str(len(answer)))
            self.end_headers()
            self.wfile.write(answer)

    server = ThreadingHTTPServer(("127.0.0.1", args.port), Handler)
    server.daemon_threads = True
    print("PORT %d" % server.server_address[1], flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    sys.exit(main())
