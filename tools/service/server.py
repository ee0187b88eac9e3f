#!/usr/bin/python3
"""Local stand-in for the maker's services, for the tests and the demo.

Serves 127.0.0.1 on the official port (8731) and the test-host port (8732). Each module
routes_*.py beside this file defines register(app) and adds its routes with
app.route(method, path_regex, handler); a handler is called as handler(h, match) with the
request handler h (it writes the whole answer itself, or calls app.send_text(h, status, text))
and the re.Match of the path. app.state holds the switchable settings, app.record(kind, dict)
keeps what arrived, app.records(kind) reads it back, and app.close_without_answer(h, seconds)
drops a request unanswered after a wait.

Control endpoints for the tests:
  GET /_control/set?key=value[&...]   switch settings (app.state)
  GET /_control/reset                  clear settings and records
  GET /_control/records?kind=KIND      the records of one kind, as a JSON list
  GET /_control/ping                   answers "ok"
"""
import argparse
import glob
import http.server
import importlib.util
import json
import os
import re
import socket
import socketserver
import sys
import threading
import time
import urllib.parse
import urllib.request

PORTS = (8731, 8732)
HERE = os.path.dirname(os.path.abspath(__file__))


class App:
    def __init__(self, state_dir):
        self.state_dir = state_dir
        self.state = {}
        self._records = []
        self._routes = []
        self.lock = threading.Lock()

    def route(self, method, pattern, handler):
        self._routes.append((method, re.compile(pattern), handler))

    def record(self, kind, fields):
        entry = dict(fields, kind=kind, time=time.time())
        with self.lock:
            self._records.append(entry)
            with open(os.path.join(self.state_dir, "records.jsonl"), "a", encoding="utf-8") as log:
                log.write(json.dumps(entry, ensure_ascii=False) + "\n")

    def records(self, kind):
        with self.lock:
            return [r for r in self._records if r["kind"] == kind]

    def reset(self):
        with self.lock:
            self.state.clear()
            self._records.clear()

    @staticmethod
    def send_text(h, status, text, content_type="text/plain; charset=utf-8"):
        send_text(h, status, text, content_type)

    @staticmethod
    def close_without_answer(h, seconds=0):
        """Keeps the client waiting for the given time, then drops the connection unanswered."""
        time.sleep(seconds)
        h.close_connection = True
        try:
            h.connection.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass

    def find(self, method, path):
        for route_method, pattern, handler in self._routes:
            if route_method == method:
                match = pattern.match(path)
                if match:
                    return handler, match
        return None, None


def send_text(h, status, text, content_type="text/plain; charset=utf-8"):
    body = text.encode("utf-8") if isinstance(text, str) else text
    h.send_response(status)
    h.send_header("Content-Type", content_type)
    h.send_header("Content-Length", str(len(body)))
    h.end_headers()
    h.wfile.write(body)


def control(app, h, match):
    query = urllib.parse.parse_qs(urllib.parse.urlsplit(h.path).query, keep_blank_values=True)
    verb = match.group(1)
    if verb == "set":
        with app.lock:
            for key, values in query.items():
                app.state[key] = values[-1]
        send_text(h, 200, "ok")
    elif verb == "reset":
        app.reset()
        send_text(h, 200, "ok")
    elif verb == "records":
        kind = query.get("kind", [""])[-1]
        send_text(h, 200, json.dumps(app.records(kind), ensure_ascii=False), "application/json")
    elif verb == "ping":
        send_text(h, 200, "ok")
    else:
        send_text(h, 404, "unknown control verb")


def make_handler(app):
    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"
        server_version = "TavrinTestService/1.0"

        def log_message(self, fmt, *args):
            sys.stderr.write("%s %s\n" % (self.server.server_port, fmt % args))

        def dispatch(self):
            path = urllib.parse.urlsplit(self.path).path
            handler, match = app.find(self.command, path)
            if handler is None:
                send_text(self, 404, "not found")
                return
            try:
                handler(self, match)
            except (BrokenPipeError, ConnectionResetError):
                pass

        def do_GET(self):
            self.dispatch()

        def do_HEAD(self):
            self.dispatch()

        def do_POST(self):
            self.dispatch()

    return Handler


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def load_routes(app):
    app.route("GET", r"^/_control/(\w+)$", lambda h, m: control(app, h, m))
    for path in sorted(glob.glob(os.path.join(HERE, "routes_*.py"))):
        name = os.path.splitext(os.path.basename(path))[0]
        spec = importlib.util.spec_from_file_location(name, path)
        module = importlib.util.module_from_spec(spec)
        spec.loader.exec_module(module)
        module.register(app)


def wait_ready(timeout=20.0):
    deadline = time.time() + timeout
    while time.time() < deadline:
        try:
            with urllib.request.urlopen("http://127.0.0.1:%d/_control/ping" % PORTS[0], timeout=1) as r:
                if r.read() == b"ok":
                    return 0
        except OSError:
            time.sleep(0.1)
    sys.stderr.write("test service did not come up\n")
    return 1


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--state", default=os.path.join(HERE, "..", "..", "build", "service-state"))
    parser.add_argument("--wait-ready", action="store_true", help="wait until a running service answers")
    args = parser.parse_args()
    if args.wait_ready:
        return wait_ready()
    os.makedirs(args.state, exist_ok=True)
    app = App(args.state)
    load_routes(app)
    servers = [Server(("127.0.0.1", port), make_handler(app)) for port in PORTS]
    for server in servers[1:]:
        threading.Thread(target=server.serve_forever, daemon=True).start()
    try:
        servers[0].serve_forever()
    except KeyboardInterrupt:
        pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
