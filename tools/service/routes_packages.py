"""The package host: serves setup packages with ranges and switchable faults.

Paths:
  /pkg/files/NAME          the file NAME from the folder STATE/pkg-files (the tests fill it)
  /pkg/gen/SIZE/NAME       SIZE bytes of deterministic content (NAME only names it)
  /pkg/md5/SIZE            MD5 of the content /pkg/gen/SIZE/... serves without faults
  /pkg/hop/N/REST          302 to /pkg/hop/N-1/REST, and at 0 to /pkg/REST
  /pkg/loop/REST           302 to itself, for ever
  /pkg/moved/CODE/REST     CODE (301, 303, 307, 308, ...) to the relative location "/pkg/REST"
  /pkg/to/LOCATION         302 to LOCATION percent-decoded, whatever its scheme or form

State keys (all optional; /_control/reset clears them and ends stalls and throttled sends):
  pkg.status=CODE          answer CODE (404, 500, ...) instead of the content
  pkg.norange=1            ignore Range and send the whole content with 200
  pkg.nolength=1           send no Content-Length; the end of the data closes the connection
  pkg.truncate=K           announce the full length but close after K bytes of the body
  pkg.stall=K              after K bytes of the body send nothing for pkg.stall_seconds (30), then close
  pkg.throttle=RATE        send at most RATE bytes per second
  pkg.change=1             every request serves different content (as if the package changed)
  pkg.disposition=VALUE    send "Content-Disposition: VALUE"
  pkg.down_after=K         send K bytes of the body, then close and go down: the key is cleared and
                           pkg.down set, so that the test decides when the host comes back
  pkg.times=N              the faults above apply to the next N content requests only
  pkg.down=1               the host is down: every content request is closed unanswered (recorded
                           with "dropped": true) until the key is cleared (/_control/set?pkg.down=)

Every request under /pkg/ is recorded as kind "pkg" with its path, port and headers.
"""
import hashlib
import os
import random
import re
import time
import urllib.parse

BLOCK = 1 << 20
_BASE = random.Random(20261208).randbytes(BLOCK)
_TABLES = [bytes(b ^ k for b in range(256)) for k in range(256)]
_FAULT_KEYS = ("pkg.status", "pkg.norange", "pkg.nolength", "pkg.truncate", "pkg.stall",
               "pkg.throttle", "pkg.change", "pkg.disposition", "pkg.down_after")


class GeneratedContent:
    """Block j of variant v is the random base block with every byte xor-ed by (7j + 13v) mod 256,
    so that a piece placed at a wrong offset or taken from another variant never matches."""

    def __init__(self, size, variant):
        self.size = size
        self.variant = variant

    def read(self, start, length):
        out = []
        while length > 0:
            block, offset = divmod(start, BLOCK)
            take = min(length, BLOCK - offset)
            key = (7 * block + 13 * self.variant) & 0xFF
            out.append(_BASE[offset:offset + take].translate(_TABLES[key]))
            start += take
            length -= take
        return b"".join(out)


class FileContent:
    def __init__(self, path):
        self.path = path
        self.size = os.path.getsize(path)

    def read(self, start, length):
        with open(self.path, "rb") as f:
            f.seek(start)
            return f.read(length)


def register(app):
    state_files = os.path.join(app.state_dir, "pkg-files")
    os.makedirs(state_files, exist_ok=True)

    def setting(key, default=""):
        with app.lock:
            return app.state.get(key, default)

    def next_request_number():
        with app.lock:
            number = int(app.state.get("pkg.served", "0"))
            app.state["pkg.served"] = str(number + 1)
            return number

    def record(h, dropped=False):
        app.record("pkg", {"path": h.path, "port": h.server.server_port, "method": h.command,
                           "headers": {k: v for k, v in h.headers.items()}, "dropped": dropped})

    def faults():
        number = next_request_number()
        with app.lock:
            times = app.state.get("pkg.times")
            if times:
                if int(times) <= 0:
                    return {"number": number}
                app.state["pkg.times"] = str(int(times) - 1)
            active = {k: app.state[k] for k in _FAULT_KEYS if app.state.get(k)}
        active["number"] = number
        return active

    def plain(h, status, text, extra=()):
        body = text.encode()
        h.send_response(status)
        for name, value in extra:
            h.send_header(name, value)
        h.send_header("Content-Type", "text/plain")
        h.send_header("Content-Length", str(len(body)))
        h.end_headers()
        if h.command != "HEAD":
            h.wfile.write(body)

    def redirect(h, target):
        host = "http://127.0.0.1:%d" % h.server.server_port
        plain(h, 302, "moved", [("Location", host + target)])

    def parse_range(header, size):
        """(start, end) of a "bytes=S-[E]" range, None without one, "bad" when unsatisfiable."""
        match = re.fullmatch(r"\s*bytes\s*=\s*(\d+)-(\d*)\s*", header or "")
        if not match:
            return None
        start = int(match.group(1))
        end = int(match.group(2)) if match.group(2) else size - 1
        if start >= size or end < start:
            return "bad"
        return start, min(end, size - 1)

    def send_body(h, content, start, length, fault):
        limit = length
        if "pkg.truncate" in fault:
            limit = min(limit, int(fault["pkg.truncate"]))
        down_at = int(fault["pkg.down_after"]) if "pkg.down_after" in fault else None
        if down_at is not None:
            limit = min(limit, down_at)
        stall_at = int(fault["pkg.stall"]) if "pkg.stall" in fault else None
        rate = int(fault["pkg.throttle"]) if "pkg.throttle" in fault else 0
        piece = max(1024, min(65536, rate // 20)) if rate else 256 * 1024
        began = time.monotonic()
        sent = 0
        while sent < limit:
            if stall_at is not None and sent >= stall_at:
                h.wfile.flush()
                app.pause(float(setting("pkg.stall_seconds", "30")))
                break
            take = min(piece, limit - sent)
            if stall_at is not None and sent < stall_at:
                take = min(take, stall_at - sent)
            h.wfile.write(content.read(start + sent, take))
            sent += take
            if rate:
                ahead = sent / rate - (time.monotonic() - began)
                if ahead > 0 and app.pause(ahead):
                    break  # a reset ends the transfer: the next test must not wait for it
        h.wfile.flush()
        if down_at is not None and sent >= down_at:
            # Down before the client sees the close, so that its next try finds the host away.
            with app.lock:
                app.state.pop("pkg.down_after", None)
                app.state["pkg.down"] = "1"
        if sent < length:
            h.close_connection = True

    def serve(h, content):
        if setting("pkg.down"):
            record(h, dropped=True)
            app.close_without_answer(h)
            return
        record(h)
        fault = faults()
        if "pkg.status" in fault:
            plain(h, int(fault["pkg.status"]), "fault")
            return
        if "pkg.change" in fault and isinstance(content, GeneratedContent):
            content = GeneratedContent(content.size, fault["number"] + 1)
        size = content.size
        wanted = None if "pkg.norange" in fault else parse_range(h.headers.get("Range"), size)
        if wanted == "bad":
            plain(h, 416, "range not satisfiable", [("Content-Range", "bytes */%d" % size)])
            return
        start, end = wanted if wanted else (0, size - 1)
        length = max(0, end - start + 1)
        h.send_response(206 if wanted else 200)
        h.send_header("Content-Type", "application/octet-stream")
        h.send_header("Accept-Ranges", "bytes")
        if wanted:
            h.send_header("Content-Range", "bytes %d-%d/%d" % (start, end, size))
        if "pkg.nolength" in fault:
            h.send_header("Connection", "close")
            h.close_connection = True
        else:
            h.send_header("Content-Length", str(length))
        if "pkg.disposition" in fault:
            h.send_header("Content-Disposition", fault["pkg.disposition"])
        h.end_headers()
        if h.command != "HEAD":
            send_body(h, content, start, length, fault)

    def files(h, match):
        name = match.group(1)
        path = os.path.join(state_files, name)
        if "/" in name or "\\" in name or name in ("", ".", "..") or not os.path.isfile(path):
            record(h)
            plain(h, 404, "no such package")
            return
        serve(h, FileContent(path))

    def generated(h, match):
        serve(h, GeneratedContent(int(match.group(1)), 0))

    def md5(h, match):
        content = GeneratedContent(int(match.group(1)), 0)
        digest = hashlib.md5()
        for start in range(0, content.size, BLOCK):
            digest.update(content.read(start, min(BLOCK, content.size - start)))
        plain(h, 200, digest.hexdigest())

    def hop(h, match):
        record(h)
        count, rest = int(match.group(1)), match.group(2)
        redirect(h, "/pkg/hop/%d/%s" % (count - 1, rest) if count > 0 else "/pkg/" + rest)

    def moved(h, match):
        record(h)
        plain(h, int(match.group(1)), "moved", [("Location", "/pkg/" + match.group(2))])

    def to(h, match):
        record(h)
        plain(h, 302, "moved", [("Location", urllib.parse.unquote(match.group(1)))])

    def loop(h, match):
        record(h)
        redirect(h, match.group(0))

    for method in ("GET", "HEAD"):
        app.route(method, r"^/pkg/files/([^/]*)$", files)
        app.route(method, r"^/pkg/gen/(\d+)/[^/]+$", generated)
        app.route(method, r"^/pkg/hop/(\d+)/(.+)$", hop)
        app.route(method, r"^/pkg/loop/.+$", loop)
        app.route(method, r"^/pkg/moved/(\d+)/(.+)$", moved)
        app.route(method, r"^/pkg/to/(.+)$", to)
    app.route("GET", r"^/pkg/md5/(\d+)$", md5)
