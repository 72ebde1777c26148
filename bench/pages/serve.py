#!/usr/bin/env python3
"""Serves a folder on 18 loopback addresses (127.0.0.2 … 127.0.0.19) at one port, so each
chat page is a site of its own as the real services are; logs requests to stderr like
http.server.

Streamed answers: GET /stream?page=N answers at once as text/event-stream (a plain text
stream would be held back by the engine's content sniffing) and then waits; GET
/stream-go?seconds=S starts every stream open at that moment, all on one clock: a token
every 50 ms for S seconds, then "[DONE]".
Usage: serve.py DIR PORT"""
import functools
import http.server
import json
import random
import sys
import threading
import time
import urllib.parse

FIRST_HOST, COUNT = 2, 18
TOKEN_SECONDS = 0.05
WORDS = ("the a model answer question token context window stream reply code table list "
         "function memory latency graph vector prompt system user assistant result value "
         "because therefore however example detail summary step first next finally").split()


class Go:
    """The latest start signal, shared by every address."""
    condition = threading.Condition()
    generation = 0
    started = 0.0
    seconds = 0.0


def tokens(page):
    """An answer as a model writes it: words, now and then bold or code, paragraphs, a
    code block every so often."""
    rng = random.Random(page)
    n = 0
    while True:
        n += 1
        if n % 150 == 0:
            yield "\n\n```\n"
            for j in range(6):
                yield f"let v{j} = compute({rng.randint(1, 99)});\n"
            yield "```\n\n"
        elif n % 40 == 0:
            yield ".\n\n"
        else:
            word = rng.choice(WORDS)
            r = rng.random()
            yield (f" **{word}**" if r < 0.05 else f" `{word}`" if r < 0.08 else f" {word}")


class Handler(http.server.SimpleHTTPRequestHandler):
    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        query = urllib.parse.parse_qs(url.query)
        if url.path == "/stream-go":
            self.go(float(query.get("seconds", ["30"])[0]))
        elif url.path == "/stream":
            self.stream(int(query.get("page", ["0"])[0]))
        else:
            super().do_GET()

    def go(self, seconds):
        with Go.condition:
            Go.generation += 1
            Go.started = time.monotonic()
            Go.seconds = seconds
            Go.condition.notify_all()
        self.send_response(204)
        self.end_headers()

    def stream(self, page):
        self.send_response(200)
        self.send_header("Content-Type", "text/event-stream")
        self.send_header("Cache-Control", "no-cache")
        self.end_headers()
        with Go.condition:
            waiting_for = Go.generation + 1
            Go.condition.wait_for(lambda: Go.generation >= waiting_for)
            started, seconds = Go.started, Go.seconds
        try:
            words = tokens(page)
            for k in range(int(seconds / TOKEN_SECONDS)):
                # one clock for every stream: a late write does not shift the ones after it
                delay = started + k * TOKEN_SECONDS - time.monotonic()
                if delay > 0:
                    time.sleep(delay)
                self.wfile.write(f"data: {json.dumps({'t': next(words)})}\n\n".encode())
            self.wfile.write(b"data: [DONE]\n\n")
        except (BrokenPipeError, ConnectionResetError):
            pass


def main():
    folder, port = sys.argv[1], int(sys.argv[2])
    handler = functools.partial(Handler, directory=folder)
    servers = [http.server.ThreadingHTTPServer((f"127.0.0.{FIRST_HOST + i}", port), handler)
               for i in range(COUNT)]
    for server in servers[1:]:
        threading.Thread(target=server.serve_forever, daemon=True).start()
    servers[0].serve_forever()


if __name__ == "__main__":
    main()
