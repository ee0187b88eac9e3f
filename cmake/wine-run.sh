#!/usr/bin/env bash
# Runs one Windows executable of the build under Wine in the project's prefix; the exit code comes through.
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/env.sh"
exec wine "$@" </dev/null
