#!/usr/bin/env bash
# Checks desktop-env.sh itself: every piece starts as the current user (root in CI), sound reaches the
# null sink, the tray docks an icon, and nothing is left running afterwards.
# Usage: selftest.sh [QT_TRAY_PROGRAM]   (a program that shows a tray icon until it is killed; optional)
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/e2e/lib/desktop-env.sh
source "$here/desktop-env.sh"

# Results go to fd 3 so that a check whose command is silenced still reports.
exec 3>&1
passed=0
failed=0
check() {
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
        echo "ok   $what" >&3
    else
        failed=$((failed + 1))
        echo "FAIL $what" >&3
    fi
}

work=$(mktemp -d)
home=${HOME-}
desktop_start
dir=$DESKTOP_DIR

check "DISPLAY answers" xdpyinfo -display "$DISPLAY" >/dev/null
check "session bus answers" dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
    org.freedesktop.DBus.ListNames >/dev/null
check "null sink is the default sink" test "$(pactl get-default-sink)" = "$DESKTOP_SINK"
check "tray is empty at first" test "$(tray_icon_count)" = 0

sox -n -r 44100 -c 2 "$work/tone.wav" synth 1 sine 440 vol 0.5
record_start "$work/heard.wav"
paplay "$work/tone.wav"
record_stop
rms=$(audio_rms "$work/heard.wav")
check "a played tone is recorded (rms $rms)" awk -v r="$rms" 'BEGIN { exit !(r > 0.1) }'

record_start "$work/quiet.wav"
sleep 0.5
record_stop
quiet=$(audio_rms "$work/quiet.wav")
check "silence is silent (rms $quiet)" awk -v r="$quiet" 'BEGIN { exit !(r < 0.001) }'

screenshot "$work/screen.png"
check "screenshot has the screen's size" test "$(identify -format %wx%h "$work/screen.png")" = 1280x800

if (($# > 0)); then
    "$@" &
    desktop_track_pid $!
    check "a program's tray icon docks" wait_for tray_has_icon 10
fi

servers=$(cat /proc/[0-9]*/environ 2>/dev/null | tr '\0' '\n' | grep -c "^DESKTOP_DIR=$dir" || true)
desktop_stop
sleep 0.5
left=""
for pid in $(pgrep -f 'Xvfb|trayer|pulseaudio|dbus-daemon|parecord' || true); do
    if grep -qs "$dir" "/proc/$pid/cmdline" "/proc/$pid/environ" && [[ $(awk '{print $3}' "/proc/$pid/stat") != Z ]]; then
        left+=" $pid"
    fi
done
check "nothing left running (${servers} processes saw the desktop)" test -z "$left"
check "the temporary folder is gone" test ! -e "$dir"
check "HOME is the caller's again" test "${HOME-}" = "$home"
rm -rf "$work"

echo "$passed passed, $failed failed"
((failed == 0))
