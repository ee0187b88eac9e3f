#!/usr/bin/python3
"""Local stand-in for the maker's services, for the tests and the demo.

Serves 127.0.0.1 on the build's official port and test-host port (--ports, or the build folder's
service-ports.env file through --ports-file): each build folder has ports of its own, so builds
beside each other on one machine never meet in one service. Each module
routes_*.py beside this file defines register(app) and adds its routes with
app.route(method, path_regex, handler); a handler is called as handler(h, match) with the
request handler h (it writes the whole answer itself, or calls app.send_text(h, status, text))
and the re.Match of the path. app.state holds the switchable settings, app.record(kind, dict)
keeps what arrived, app.records(kind) reads it back, app.pause(seconds) waits in a handler (a release
or a reset cuts the wait short) and app.close_without_answer(h, seconds) drops a request unanswered after a wait.

Control endpoints for the tests (they never count as requests in flight):
  GET /_control/set?key=value[&...]   switch settings (app.state)
  GET /_control/reset                  end every wait of a handler, wait until no request is in flight,
                                       then clear settings and records: a late request of one test
                                       is never counted in the next
  GET /_control/release                ends every wait of a handler now (a held answer goes out)
  GET /_control/idle                   answers once no request is in flight, so that "nothing more
                                       arrived" is asked of the service rather than slept for
  GET /_control/records?kind=KIND      the records of one kind, as a JSON list
  GET /_control/ping                   answers "ok"
Both waits give up after SETTLE_SECONDS and then answer "busy".
"""
import argparse
import contextlib
import glob
import http.server
import importlib.util
import json
import os
import random
import re
import socket
import socketserver
import sys
import threading
import time
import urllib.parse
import urllib.request

HERE = os.path.dirname(os.path.abspath(__file__))
# Generous: the longest handler of a test (a throttled package) ends well within it on a loaded machine.
SETTLE_SECONDS = 120.0
# Ports are picked below Linux's ephemeral range, so that no outgoing connection takes one later.
PICK_RANGE = (20000, 32000)


class App:
    def __init__(self, state_dir, ports):
        self.state_dir = state_dir
        self.ports = ports  # the official port, then the test host's
        self.state = {}
        self._records = []
        self._routes = []
        self.lock = threading.Lock()
        self._settled = threading.Condition(self.lock)
        self._in_flight = 0
        self._wake = threading.Event()

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

    @contextlib.contextmanager
    def in_flight(self):
        with self.lock:
            self._in_flight += 1
        try:
            yield
        finally:
            with self.lock:
                self._in_flight -= 1
                self._settled.notify_all()

    def wait_idle(self):
        """True once no request is in flight; False when SETTLE_SECONDS pass first."""
        with self.lock:
            return self._settled.wait_for(lambda: self._in_flight == 0, SETTLE_SECONDS)

    def pause(self, seconds):
        """Waits in a handler; True when a release or a reset cut the wait short."""
        with self.lock:
            wake = self._wake
        return wake.wait(seconds)

    def release(self):
        """Ends every wait of a handler now; later waits run their full length again."""
        with self.lock:
            woken, self._wake = self._wake, threading.Event()
        woken.set()

    def reset(self):
        # Every wait, also one that begins during the reset, ends at once until the records are clear.
        with self.lock:
            wake = self._wake
        wake.set()
        idle = self.wait_idle()
        with self.lock:
            self.state.clear()
            self._records.clear()
            self._wake = threading.Event()
        return idle

    @staticmethod
    def send_text(h, status, text, content_type="text/plain; charset=utf-8"):
        send_text(h, status, text, content_type)

    def close_without_answer(self, h, seconds=0):
        """Keeps the client waiting for the given time, then drops the connection unanswered."""
        self.pause(seconds)
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
    # Answers change with the settings: no client cache may hand one test the answer of the one before.
    h.send_header("Cache-Control", "no-store")
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
        send_text(h, 200, "ok" if app.reset() else "busy")
    elif verb == "release":
        app.release()
        send_text(h, 200, "ok")
    elif verb == "idle":
        send_text(h, 200, "ok" if app.wait_idle() else "busy")
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
            counted = contextlib.nullcontext() if path.startswith("/_control/") else app.in_flight()
            try:
                with counted:
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


def wait_ready(ports, timeout=60.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        try:
            for port in ports:
                with urllib.request.urlopen("http://127.0.0.1:%d/_control/ping" % port, timeout=5) as r:
                    if r.read() != b"ok":
                        raise OSError("not the test service")
            return 0
        except OSError:
            time.sleep(0.1)
    sys.stderr.write("test service did not come up on ports %s\n" % (ports,))
    return 1


def pick_ports(count):
    """Ports free now, at random in PICK_RANGE, so that two builds configured together differ."""
    chosen = []
    rng = random.SystemRandom()
    while len(chosen) < count:
        port = rng.randrange(*PICK_RANGE)
        if port in chosen:
            continue
        with socket.socket() as probe:
            try:
                probe.bind(("127.0.0.1", port))
            except OSError:
                continue
        chosen.append(port)
    return chosen


def read_ports_file(path):
    """The official and test ports from a build folder's service-ports.env (NAME=VALUE lines)."""
    values = {}
    with open(path, encoding="utf-8") as ports:
        for line in ports:
            name, _, value = line.strip().partition("=")
            values[name] = value
    return [int(values["TAVRIN_SERVICE_PORT"]), int(values["TAVRIN_TEST_SERVICE_PORT"])]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--state", default=os.path.join(HERE, "..", "..", "build", "service-state"))
    parser.add_argument("--ports", type=int, nargs=2, metavar=("OFFICIAL", "TEST"))
    parser.add_argument("--ports-file", help="a build folder's service-ports.env")
    parser.add_argument("--wait-ready", action="store_true", help="wait until a running service answers")
    parser.add_argument("--pick-ports", type=int, metavar="COUNT", help="print COUNT free ports and end")
    args = parser.parse_args()
    if args.pick_ports:
        print(";".join(str(port) for port in pick_ports(args.pick_ports)))
        return 0
    ports = args.ports or (read_ports_file(args.ports_file) if args.ports_file else None)
    if not ports:
        parser.error("--ports or --ports-file is needed")
    if args.wait_ready:
        return wait_ready(ports)
    os.makedirs(args.state, exist_ok=True)
    app = App(args.state, ports)
    load_routes(app)
    servers = [Server(("127.0.0.1", port), make_handler(app)) for port in ports]
    for server in servers[1:]:
        threading.Thread(target=server.serve_forever, daemon=True).start()
    try:
        servers[0].serve_forever()
    except KeyboardInterrupt:
        pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
