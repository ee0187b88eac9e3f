#!/usr/bin/env bash
# Makes the browser stand-in the Wine prefix's handler of http and https URLs, so that a program's
# ShellExecute "open" of a URL is recorded instead of opening a browser. Idempotent; needs the build.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
recorder="$TAVRIN_BUILD/standins/browser/BrowserRecorder.exe"
if [ ! -f "$recorder" ]; then
    echo "register-browser: $recorder is not built" >&2
    exit 1
fi
command="\"$(winepath -w "$recorder" 2>/dev/null)\" \"%1\""
for scheme in http https; do
    wine reg add "HKCR\\$scheme\\shell\\open\\command" /ve /t REG_SZ /d "$command" /f >/dev/null 2>&1 </dev/null
    wine reg delete "HKCR\\$scheme\\shell\\open\\ddeexec" /f >/dev/null 2>&1 </dev/null || true
done
