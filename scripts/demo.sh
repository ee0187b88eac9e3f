#!/usr/bin/env bash
# Builds everything, starts the local test service with a demo package, and runs a fresh install
# end to end under Wine (headless under Xvfb unless a display is present), then opens the upgrade
# window once. A screenshot of each of the four windows, and one of the gallery of skinned controls,
# is saved in build/demo/.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
"$TAVRIN_ROOT/scripts/build.sh"
tavrin_go_where_wine_runs "$0" "$@"
source "$TAVRIN_ROOT/scripts/session.sh"
tavrin_session_start
export TAVRIN_SOURCE_DIR="$TAVRIN_ROOT" TAVRIN_BINARY_DIR="$TAVRIN_BUILD"
/usr/bin/python3 - "$TAVRIN_BUILD/demo" <<'PYTHON'
import os
import sys

sys.path.insert(0, os.path.join(os.environ["TAVRIN_SOURCE_DIR"], "tests", "e2e"))
from installer_run import (ID_FINISH, ID_INSTALL, ID_MAIN_CANCEL, MAIN_CLASS, InstallerRun, install_window,
                           progress_window)

shots = sys.argv[1]


def step(ok, what):
    print(("ok    " if ok else "FAILED ") + what)
    if not ok:
        sys.exit(1)


run = InstallerRun("demo")
run.uninstall()
run.serve_package()
run.service.set(pkg__throttle="200000")  # slow enough to watch the progress
run.start()
step(run.ui("wait", *install_window(ID_INSTALL))[0], "install view shown")
step(run.shot(install_window(ID_INSTALL), "install_view", shots), "install view saved")
step(run.ui("click", *install_window(ID_INSTALL))[0], "install started")
step(run.ui("wait", *progress_window(2))[0], "progress view shown")
step(run.shot(progress_window(2), "progress_view", shots), "progress view saved")
step(run.ui("wait", *install_window(ID_FINISH), timeout_ms=120000)[0], "package checked and set up")
step(run.shot(install_window(ID_FINISH), "finish_view", shots), "finish view saved")
step(run.ui("click", *install_window(ID_FINISH))[0], "finished")
step(run.wait_exit(30) == 0, "installer ended")
print("setup ran with: " + " | ".join(run.record_lines("setup-runs.txt")))
print("report: " + " | ".join(r.get("query", "") for r in run.service.records("report")))
print("statistics events: " + ", ".join(category for category, _ in run.service.stat_events()))

# The product just installed is the newest the service knew: it now offers a later one, so that the
# upgrade window shows an upgrade.
upgrade = InstallerRun("demo_upgrade")
upgrade.serve_package(newest="2.6.0.100")
upgrade.start("-client")
main = ["--class", MAIN_CLASS, "--id", str(ID_MAIN_CANCEL)]
step(upgrade.ui("wait", *main)[0], "upgrade window shown")
step(upgrade.shot(main, "main_view", shots), "upgrade window saved")
step(upgrade.ui("click", *main)[0], "upgrade window closed")
upgrade.wait_exit(30)
print("screenshots in " + shots)
PYTHON
# The gallery: every skinned control kind in one window.
gallery_bmp="$TAVRIN_BUILD/demo/gallery.bmp"
if wine "$TAVRIN_BUILD/tools/gallery/tavrin_gallery.exe" --shot "Z:${gallery_bmp//\//\\}" </dev/null; then
    if command -v convert >/dev/null && convert "$gallery_bmp" "${gallery_bmp%.bmp}.png"; then
        rm -f "$gallery_bmp"
    fi
    echo "ok    gallery saved"
else
    echo "FAILED gallery"
    exit 1
fi
