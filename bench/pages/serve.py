#!/usr/bin/env python3
"""Serves a folder on 18 loopback addresses (127.0.0.2 … 127.0.0.19) at one port, so each
chat page is a site of its own as the real services are; logs requests to stderr like
http.server.  Usage: serve.py DIR PORT"""
import functools
import http.server
import sys
import threading

FIRST_HOST, COUNT = 2, 18


def main():
    folder, port = sys.argv[1], int(sys.argv[2])
    handler = functools.partial(http.server.SimpleHTTPRequestHandler, directory=folder)
    servers = [http.server.ThreadingHTTPServer((f"127.0.0.{FIRST_HOST + i}", port), handler)
               for i in range(COUNT)]
    for server in servers[1:]:
        threading.Thread(target=server.serve_forever, daemon=True).start()
    servers[0].serve_forever()


if __name__ == "__main__":
    main()
