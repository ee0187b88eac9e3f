# Sourced: starts what a run under Wine needs and stops it on exit: a display (Xvfb unless one is
# present or TAVRIN_HEADLESS=1 forces one), a warm wineserver, and the local test service.
tavrin_session_pids=()
tavrin_session_stop() {
    local pid
    for pid in "${tavrin_session_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wineserver -k >/dev/null 2>&1 || true
}
tavrin_session_start() {
    trap tavrin_session_stop EXIT
    if [ -z "${DISPLAY:-}" ] || [ "${TAVRIN_HEADLESS:-0}" = 1 ]; then
        local n=99
        while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
        Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 </dev/null &
        tavrin_session_pids+=($!)
        export DISPLAY=":$n"
        for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
    fi
    # A wineserver started by an earlier wine call must end first, or the persistent one cannot start;
    # one that is already persistent (another session's) is simply used.
    timeout 10 wineserver -w || true
    wineserver -p >/dev/null 2>&1 </dev/null || true
    # Wine's system processes (services, the desktop's explorer) live as long as the wineserver and
    # keep the standard streams of the program whose start brought them up. Bring them up here on
    # closed streams, or the first test's output pipe stays open and ctest waits on it to time-out.
    wine cmd /c exit >/dev/null 2>&1 </dev/null
    wine explorer.exe /desktop >/dev/null 2>&1 </dev/null &
    for _ in $(seq 100); do pgrep -f 'system32.explorer.exe /desktop' >/dev/null && break; sleep 0.1; done
    if [ -f "$TAVRIN_ROOT/tools/service/server.py" ]; then
        export TAVRIN_SERVICE_STATE="${TAVRIN_SERVICE_STATE:-$TAVRIN_BUILD/service-state}"
        mkdir -p "$TAVRIN_SERVICE_STATE"
        /usr/bin/python3 "$TAVRIN_ROOT/tools/service/server.py" --state "$TAVRIN_SERVICE_STATE" \
            >"$TAVRIN_SERVICE_STATE/server.log" 2>&1 </dev/null &
        tavrin_session_pids+=($!)
        /usr/bin/python3 "$TAVRIN_ROOT/tools/service/server.py" --wait-ready
    fi
}
