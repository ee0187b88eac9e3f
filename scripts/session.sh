# Sourced: starts what a run under Wine needs and, on exit, stops exactly what it started: a display
# (Xvfb unless one is present or TAVRIN_HEADLESS=1 forces one), the wineserver of the build's own
# prefix, and the build's local test service on the ports chosen when the build was configured.
tavrin_session_pids=()
tavrin_session_owns_wineserver=0

tavrin_session_stop() {
    local pid
    for pid in "${tavrin_session_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    # With WINEPREFIX set, -k reaches only the wineserver of this build's prefix.
    if [ "$tavrin_session_owns_wineserver" = 1 ]; then
        wineserver -k >/dev/null 2>&1 || true
    fi
}

# The pids of the processes run by the wineserver of this shell's prefix, found by their environment.
tavrin_prefix_processes() { # pattern of the command line
    local pid
    for pid in $(pgrep -f "$1"); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$pid"
    done
}

# True while a wineserver serves this shell's prefix: its working folder is named after the
# prefix's device and inode.
tavrin_wineserver_running() {
    local key pid
    key="server-$(stat -c '%d %i' "$WINEPREFIX" | awk '{ printf "%x-%x", $1, $2 }')"
    for pid in $(pgrep wineserver); do
        [ "$(basename "$(readlink "/proc/$pid/cwd" 2>/dev/null)")" = "$key" ] && return 0
    done
    return 1
}

tavrin_session_start() {
    trap tavrin_session_stop EXIT
    TAVRIN_TIME_SCALE="$(tavrin_time_scale)"
    export TAVRIN_TIME_SCALE
    if [ -z "${DISPLAY:-}" ] || [ "${TAVRIN_HEADLESS:-0}" = 1 ]; then
        # Xvfb picks a free display number itself and writes it once it accepts connections, so two
        # sessions starting together never take the same one.
        local fifo; fifo="$(mktemp -u /tmp/tavrin-display.XXXXXX)"
        mkfifo "$fifo"
        Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 </dev/null &
        tavrin_session_pids+=($!)
        local number=""
        read -r -t 60 number <"$fifo" || true
        rm -f "$fifo"
        if [ -z "$number" ]; then echo "session: Xvfb did not start" >&2; return 1; fi
        export DISPLAY=":$number"
    fi
    # A wineserver left by an earlier wine call ends by itself within seconds; one that stays is
    # another session's persistent server on this prefix: it is used and left running.
    if tavrin_wineserver_running; then timeout 10 wineserver -w || true; fi
    if ! tavrin_wineserver_running; then
        wineserver -p >/dev/null 2>&1 </dev/null || true
        tavrin_session_owns_wineserver=1
    fi
    # Wine's system processes (services, the desktop's explorer) live as long as the wineserver and
    # keep the standard streams of the program whose start brought them up. Bring them up here on
    # closed streams, or the first test's output pipe stays open and ctest waits on it to time-out.
    wine cmd /c exit >/dev/null 2>&1 </dev/null
    wine explorer.exe /desktop >/dev/null 2>&1 </dev/null &
    for _ in $(seq 300); do
        [ -n "$(tavrin_prefix_processes 'system32.explorer.exe /desktop')" ] && break
        sleep 0.1
    done
    if [ -f "$TAVRIN_ROOT/tools/service/server.py" ]; then
        local ports="$TAVRIN_BUILD/service-ports.env"
        if [ ! -f "$ports" ]; then echo "session: $ports is missing: configure the build first" >&2; return 1; fi
        export TAVRIN_SERVICE_STATE="${TAVRIN_SERVICE_STATE:-$TAVRIN_BUILD/service-state}"
        mkdir -p "$TAVRIN_SERVICE_STATE"
        /usr/bin/python3 "$TAVRIN_ROOT/tools/service/server.py" --state "$TAVRIN_SERVICE_STATE" \
            --ports-file "$ports" >"$TAVRIN_SERVICE_STATE/server.log" 2>&1 </dev/null &
        local service=$!
        tavrin_session_pids+=($service)
        /usr/bin/python3 "$TAVRIN_ROOT/tools/service/server.py" --ports-file "$ports" --wait-ready
        # Whatever answered must be this session's service, not something else on a port taken since.
        if ! kill -0 "$service" 2>/dev/null; then
            echo "session: the test service ended; see $TAVRIN_SERVICE_STATE/server.log" >&2
            return 1
        fi
    fi
}
