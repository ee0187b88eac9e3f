#!/usr/bin/python3
"""Canned HTTP answers for the Internet-class tests: serves 127.0.0.1 on a free port, writes the
port number to the file named by --port-file, and serves until killed."""
import argparse
import http.server
import os

BIG = bytes(i % 251 for i in range(100000))
ANSWERS = {
    "/lines": b"first\r\nsecond line\nthird",
    "/utf8": "1`2.5.1.300`安装包.exe\r\n".encode("utf-8"),
    "/empty": b"",
    "/big": BIG,
}


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def do_GET(self):
        body = ANSWERS.get(self.path)
        if body is None:
            self.send_response(404)
            body = b"not here"
        else:
            self.send_response(200)
        self.send_header("Content-Type", "text/plain")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port-file", required=True)
    args = parser.parse_args()
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    temporary = args.port_file + ".part"
    with open(temporary, "w") as f:
        f.write(str(server.server_address[1]))
    os.replace(temporary, args.port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()
