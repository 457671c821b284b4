#!/usr/bin/env python3
"""Scripted HTTP/1.1 server for the downloader tests, on 127.0.0.1.

It binds an ephemeral port and writes the number to --port-file once it
listens. Requests may name the target in absolute form (as sent to a proxy);
only the path counts. Every request is counted by its path.

  /s/len/N                 N bytes with Content-Length
  /s/close/N               N bytes without Content-Length, ended by closing
  /s/chunked/N             N bytes in chunks of 1000
  /s/bad-length/N          N bytes, closed; Content-Length is not a number
  /s/redirect/CODE/PATH    CODE with Location http://127.0.0.1:PORT/PATH
  /s/status/CODE           CODE with a short body
  /s/flaky/KEY/F/N         the first F requests of KEY get 503, then /s/len/N
  /s/broken/KEY/N          the 2nd request of KEY announces N bytes, sends
                           half and closes; others get /s/len/N
  /s/gated/KEY/N           Content-Length N; the body waits for gate KEY-body,
                           after 4096 bytes the rest waits for gate KEY-rest
  /s/gated-close/KEY/N     the same without Content-Length, ended by closing
  /s/stall/KEY/N/S         the 2nd request of KEY announces N bytes, sends
                           4096, stalls and closes after S seconds; others
                           get /s/len/N
  /s/trickle/N             Content-Length N; 4096 bytes, then 100 bytes every
                           100 ms
  /s/silent/S              accepts, never answers, closes after S seconds
  /control/open/GATE       opens a gate
  /control/count/PATH      how many requests /PATH had so far
  anything else            the file under --root; a file PATH.status beside
                           it answers with that status code instead
"""
import argparse
import http.server
import os
import select
import threading
import time
import urllib.parse

BOUND_S = 60  # no request waits longer than this for a gate or a client

lock = threading.Lock()
counts = {}
gates = {}


def gate(name):
    with lock:
        return gates.setdefault(name, threading.Event())


def body_bytes(n):
    return bytes(i % 251 for i in range(n))


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def do_GET(self):
        path = urllib.parse.urlsplit(self.path).path
        with lock:
            counts[path] = counts.get(path, 0) + 1
            number = counts[path]
        parts = path.strip("/").split("/")
        try:
            if parts[0] == "control":
                self.control(parts[1:])
            elif parts[0] == "s":
                self.scenario(parts[1], parts[2:], number)
            else:
                self.static(path)
        except (BrokenPipeError, ConnectionResetError):
            self.close_connection = True

    def head(self, status, length=None, extra=()):
        self.send_response(status)
        if length is not None:
            self.send_header("Content-Length", str(length))
        for name, value in extra:
            self.send_header(name, value)
        self.end_headers()

    def answer(self, status, data, extra=()):
        self.head(status, len(data), extra)
        self.wfile.write(data)

    def control(self, args):
        if args[0] == "open":
            gate(args[1]).set()
            self.answer(200, b"open")
        else:
            with lock:
                count = counts.get("/" + "/".join(args[1:]), 0)
            self.answer(200, str(count).encode())

    def scenario(self, kind, args, number):
        if kind == "len":
            self.answer(200, body_bytes(int(args[0])))
        elif kind == "close":
            self.head(200, None, [("Connection", "close")])
            self.wfile.write(body_bytes(int(args[0])))
            self.close_connection = True
        elif kind == "chunked":
            data = body_bytes(int(args[0]))
            self.head(200, None, [("Transfer-Encoding", "chunked")])
            for at in range(0, len(data), 1000):
                piece = data[at:at + 1000]
                self.wfile.write(b"%x\r\n%s\r\n" % (len(piece), piece))
            self.wfile.write(b"0\r\n\r\n")
        elif kind == "bad-length":
            self.head(200, None, [("Content-Length", "lots"), ("Connection", "close")])
            self.wfile.write(body_bytes(int(args[0])))
            self.close_connection = True
        elif kind == "redirect":
            port = self.server.server_address[1]
            location = "http://127.0.0.1:%d/%s" % (port, "/".join(args[1:]))
            self.answer(int(args[0]), b"moved", [("Location", location)])
        elif kind == "status":
            self.answer(int(args[0]), b"status")
        elif kind == "flaky":
            if number <= int(args[1]):
                self.answer(503, b"busy")
            else:
                self.answer(200, body_bytes(int(args[2])))
        elif kind == "broken":
            data = body_bytes(int(args[1]))
            if number == 2:
                self.head(200, len(data), [("Connection", "close")])
                self.wfile.write(data[:len(data) // 2])
                self.wfile.flush()
                self.close_connection = True
            else:
                self.answer(200, data)
        elif kind in ("gated", "gated-close"):
            self.gated(args[0], int(args[1]), kind == "gated")
        elif kind == "trickle":
            self.trickle(int(args[0]))
        elif kind == "stall":
            data = body_bytes(int(args[1]))
            self.head(200, len(data))
            self.wfile.write(data if number != 2 else data[:4096])
            self.wfile.flush()
            if number == 2:
                self.hold(float(args[2]))
        elif kind == "silent":
            self.hold(float(args[0]))
        else:
            self.answer(400, b"unknown scenario")

    def hold(self, seconds):
        """Waits until the client goes away, at most seconds; then closes."""
        select.select([self.connection], [], [], seconds)
        self.close_connection = True

    def gated(self, key, n, with_length):
        data = body_bytes(n)
        if with_length:
            self.head(200, n)
        else:
            self.head(200, None, [("Connection", "close")])
            self.close_connection = True
        self.wfile.flush()
        gate(key + "-body").wait(BOUND_S)
        self.wfile.write(data[:4096])
        self.wfile.flush()
        gate(key + "-rest").wait(BOUND_S)
        self.wfile.write(data[4096:])

    def trickle(self, n):
        data = body_bytes(n)
        self.head(200, n)
        self.wfile.write(data[:4096])
        self.wfile.flush()
        for at in range(4096, n, 100):
            time.sleep(0.1)
            self.wfile.write(data[at:at + 100])
            self.wfile.flush()

    def static(self, path):
        local = os.path.join(self.server.root, path.lstrip("/"))
        if os.path.isfile(local + ".status"):
            with open(local + ".status") as f:
                self.answer(int(f.read().strip()), b"status")
        elif os.path.isfile(local):
            with open(local, "rb") as f:
                self.answer(200, f.read())
        else:
            self.answer(404, b"not found")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--port-file", required=True)
    options = parser.parse_args()
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    server.root = options.root
    with open(options.port_file + ".new", "w") as f:
        f.write(str(server.server_address[1]))
    os.rename(options.port_file + ".new", options.port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()
