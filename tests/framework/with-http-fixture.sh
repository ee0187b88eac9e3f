#!/usr/bin/env bash
# Runs a command with the canned HTTP answers of http_fixture.py served on a free local port,
# passed on in FRAMEWORK_HTTP_PORT; the server ends with the command.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
port_file="$(mktemp -u /tmp/framework-http-port.XXXXXX)"
/usr/bin/python3 "$here/http_fixture.py" --port-file "$port_file" </dev/null >/dev/null 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null || true; rm -f "$port_file"' EXIT
# Wait for the port, up to a minute (far more than a loaded machine needs), or until the server has died.
for _ in $(seq 1200); do
    [ -s "$port_file" ] && break
    kill -0 "$server" 2>/dev/null || break
    sleep 0.05
done
if [ ! -s "$port_file" ]; then
    echo "with-http-fixture: the HTTP fixture did not start" >&2
    exit 1
fi
FRAMEWORK_HTTP_PORT="$(cat "$port_file")"
export FRAMEWORK_HTTP_PORT
"$@"
