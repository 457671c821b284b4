#!/usr/bin/env python3
"""Scripted HTTP/1.1 server on 127.0.0.1 (port to stdout) serving the folder
given; its count/PATH holds how many requests PATH had, with "_" for "/" (the
query does not count). Bodies of N bytes hold i % 251. /s/close/N: no length;
/s/flaky/KEY/F/N: 503 for the first F requests; /s/broken/KEY/N: the 2nd request
breaks off after half; /s/redirect/CODE/PATH: to /PATH; /s/trickle/N: 4096
bytes, then 100 every 100 ms. Anything else is a served file."""
import http.server
import os
import pathlib
import sys
import threading
import time
import urllib.parse

lock = threading.Lock()
counts = {}


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):  # quiet
        pass

    def do_GET(self):
        path = urllib.parse.urlsplit(self.path).path
        with lock:
            counts[path] = number = counts.get(path, 0) + 1
            with open(os.path.join(self.server.root, "count", path.replace("/", "_")), "w") as f:
                f.write(str(number))
        kind, *args = path.split("/")[2:] if path.startswith("/s/") else ["file"]
        data = bytes(i % 251 for i in range(int(args[-1]) if args and args[-1].isdigit() else 0))
        local = os.path.join(self.server.root, path.lstrip("/"))
        try:
            if kind == "file" and os.path.isfile(local):
                self.answer(200, pathlib.Path(local).read_bytes())
            elif kind == "file":
                self.answer(404, b"not found")
            elif kind == "flaky" and number <= int(args[1]):
                self.answer(503, b"busy")
            elif kind == "flaky" or kind == "broken" and number != 2:
                self.answer(200, data)
            elif kind == "redirect":
                port = self.server.server_address[1]
                location = "http://127.0.0.1:%d/%s" % (port, "/".join(args[1:]))
                self.answer(int(args[0]), b"moved", [("Location", location)])
            else:  # close, broken (the 2nd request) and trickle, in pieces
                self.close_connection = True
                self.answer(200, data, [("Connection", "close")], sized=kind != "close", ends={
                    "close": [len(data)], "broken": [len(data) // 2],
                    "trickle": range(4096, len(data) + 100, 100)}[kind])
        except (BrokenPipeError, ConnectionResetError):
            self.close_connection = True

    def answer(self, status, data, headers=(), sized=True, ends=None):
        self.send_response(status)
        for name, value in [("Content-Length", str(len(data)))] * sized + list(headers):
            self.send_header(name, value)
        self.end_headers()
        sent = 0
        for end in ends or [len(data)]:  # 100 ms between pieces
            time.sleep(0.1 if sent else 0)
            self.wfile.write(data[sent:end])
            self.wfile.flush()
            sent = end


server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
server.daemon_threads, server.root = True, sys.argv[1]
os.makedirs(os.path.join(server.root, "count"))
print(server.server_address[1], flush=True)
server.serve_forever()
