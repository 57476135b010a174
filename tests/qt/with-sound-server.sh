#!/usr/bin/env bash
# Runs a test program with a private sound server (a PulseAudio null sink), so that a player has a
# real output to play into, on machines with no sound hardware and no session.
set -euo pipefail
# shellcheck source=../e2e/lib/desktop-env.sh
source "$(dirname "$0")/../e2e/lib/desktop-env.sh"
desktop_start
export QT_QPA_PLATFORM=offscreen
status=0
"$@" || status=$?
desktop_stop
exit "$status"
