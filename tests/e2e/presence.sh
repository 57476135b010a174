#!/usr/bin/env bash
# Breaks wait while nobody can see them, under a real window manager with a screen saver and a
# notification service on the session bus. The idle time the program reads is the X server's: it
# grows while nothing happens and drops at a click. A screen saver that starts before the first
# break is due and runs for a minute and a half keeps every break away, silently, and no notice
# comes meanwhile; the interval then starts anew, and its break comes after a minute, half a minute
# after a notice from the tray icon. Then another program full-screen on the monitor holds the
# next due break back, silently, for as long as it stays; when it goes the break comes at once.
source "$(dirname "$0")/velunor-e2e.sh"

readonly SAVER=org.freedesktop.ScreenSaver

# The program's reading of the time since the last input.
idle_seconds() { "$VELUNOR_BUILD_DIR/tests/e2e/velunor-idle-probe"; }

screen_saver() {
    dbus-send --session --print-reply --dest=$SAVER /org/freedesktop/ScreenSaver $SAVER.SetActive \
        "boolean:$1" >/dev/null || fail "the screen saver did not answer"
}

# Succeeds when RECORDING holds silence.
silent() { greater 0.0005 "$(audio_rms "$1")"; }

e2e_setup
write_config "SetTime=1" "RunTime=1"
add_music
window_manager_start || fail "the window manager did not start"
# shellcheck disable=SC2119 # a notification service with no buttons
start_desktop_services

start_program
wait_for tray_has_icon 15 || fail "no tray icon appeared"
before=$(idle_seconds)
sleep 2
still=$(idle_seconds)
xdotool mousemove 640 400 click 1
((still > before && $(idle_seconds) < still)) ||
    fail "the idle time did not grow and drop at a click: $before, $still, $(idle_seconds)"

screen_saver true
locked=$EPOCHREALTIME
record_start "$DESKTOP_DIR/locked.wav"
no_break_until $((SECONDS + 90)) "a break showed while the screen saver ran"
record_stop
silent "$DESKTOP_DIR/locked.wav" || fail "music played while the screen saver ran"
screen_saver false
back=$EPOCHREALTIME
no_break_until $((SECONDS + 55)) "a break showed sooner than a new interval after the screen saver"
wait_for break_showing 10 || fail "no break a minute after the screen saver ended"
shown=$EPOCHREALTIME

# Notices: arrival time, title, text.
awk -F'\t' -v from="$locked" -v to="$back" '$1 > from && $1 < to { exit 1 }' "$NOTICES" ||
    fail "a notice came while the screen saver ran"
notice=$(awk -F'\t' -v from="$back" '$1 > from' "$NOTICES")
IFS=$'\t' read -r at title text <<<"$notice"
[[ $notice != *$'\n'* && $title == Velunor && $text =~ ^[0-9]+秒后开始休息$ ]] ||
    fail "not one notice before the break: $notice"
ahead=$(since "$at" "$shown")
awk -v s="$ahead" 'BEGIN { exit !(s > 25 && s < 35) }' || fail "the notice came $ahead s before the break, not 30"

# The break window stays the same window between breaks; watching it alone keeps the look quick.
window=$(break_window)
xdotool key Escape
wait_for "! window_viewable $window" 5 || fail "Escape did not end the break"
due=$((SECONDS + 60))
xev -name slides >/dev/null 2>&1 &
desktop_track_pid $!
slides=$!
wait_for "wmctrl -r slides -b add,fullscreen && wmctrl -a slides" 10 || fail "no window to show full-screen"
record_start "$DESKTOP_DIR/full-screen.wav"
no_break_until $((due + 32)) "a break showed over a full-screen program"
record_stop
silent "$DESKTOP_DIR/full-screen.wav" || fail "music played over a full-screen program"
kill "$slides"
gone=$EPOCHREALTIME
wait_for "window_viewable $window" 3 || fail "no break after the full-screen program went"
greater 2 "$(since "$gone")" || fail "the break came $(since "$gone") s after the full-screen program went"
echo "PASS"
