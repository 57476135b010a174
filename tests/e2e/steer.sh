#!/usr/bin/env bash
# shellcheck disable=SC2119 # menu_window's one argument is optional
# The user steers the breaks, on a wall clock ten times fast (a break every three minutes comes
# after eighteen seconds). From the tray menu, clicked as a user would, a pause of 30 minutes
# keeps the due break away and 继续提醒 brings it. The notification service
# shows buttons: the notice carries 推迟5分钟, and its click moves the break five minutes on,
# while a recording of what the speakers play holds nothing. A real recording from a microphone
# holds the due break until it ends. Then the same from a shell with no display, and its errors.
source "$(dirname "$0")/velunor-e2e.sh"

# Clicks the ROWth item of a menu window, in rows as high as the pause submenu's.
click_row() {
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + ROW * $2 - ROW / 2)) click 1
}

# The notice that came after the time T: "number actions" when it carries buttons.
notice_after() { awk -F'\t' -v t="$1" '$1 > t { print $4, $5 }' "$NOTICES" | tail -n1 | grep .; }

# Runs the program from a shell with no display; fails unless it ends with STATUS.
cli() {
    local want=$1 status=0
    shift
    env -u DISPLAY "$PROGRAM_DIR/velunor" "$@" 2>>"$DESKTOP_DIR/cli.log" || status=$?
    ((status == want)) || fail "velunor $* ended with $status, not $want: $(tail -n1 "$DESKTOP_DIR/cli.log")"
}

paused() { grep -q '^PauseUntil=' "$PROGRAM_DIR/config.ini"; }

escape_break() {
    xdotool key Escape
    wait_for "! break_showing" 5 || fail "Escape did not end the break"
}

e2e_setup
write_config "SetTime=3" "RunTime=1"
start_desktop_services actions
FAKETIME="+0 x10" FAKETIME_DONT_FAKE_MONOTONIC=1 \
    LD_PRELOAD=$(echo /usr/lib/*/faketime/libfaketime.so.1) start_program
due=$((SECONDS + 18))
wait_for tray_has_icon 15 || fail "no tray icon appeared"

open_tray_menu
menu=$(menu_window)
ROW=20 click_row "$menu" 1
pause_menu=
# shellcheck disable=SC2016 # wait_for evaluates it
wait_for 'pause_menu=$(menu_window "$menu")' 3 || fail "暂停提醒 opened no submenu"
eval "$(xdotool getwindowgeometry --shell "$pause_menu")"
ROW=$((HEIGHT / 4))
click_row "$pause_menu" 1
wait_for paused 3 || fail "30分钟 kept no pause in config.ini"
no_break_until $((due + 5)) "a break showed during the pause"
open_tray_menu
click_row "$(menu_window)" 2
wait_for break_showing 6 || fail "no break after 继续提醒"

escape_break
record_start "$DESKTOP_DIR/speakers.wav"
ended=$EPOCHREALTIME
wait_for "notice_after $ended" 20 || fail "no notice before the break: did the speakers' recording hold it?"
read -r notice actions <<<"$(notice_after "$ended")"
[[ $actions == "postpone 推迟5分钟" ]] || fail "the notice offered '$actions'"
dbus-send --session --print-reply=literal --dest=org.freedesktop.Notifications /org/freedesktop/Notifications \
    org.freedesktop.Notifications.Click "uint32:$notice" string:postpone
no_break_until $((SECONDS + 25)) "the break came before the five minutes 推迟5分钟 gave"
wait_for break_showing 8 || fail "no break five minutes after 推迟5分钟, or the speakers' recording held it"
record_stop

escape_break
pactl load-module module-null-source source_name=microphone >/dev/null
parecord --device=microphone /dev/null &
call=$!
desktop_track_pid $call
no_break_until $((SECONDS + 25)) "a break showed during a call"
kill $call
hung_up=$EPOCHREALTIME
{ wait_for break_showing 3 && greater 2 "$(since "$hung_up")"; } ||
    fail "the break came $(since "$hung_up") s after the call, not within 2"

escape_break
for bad in abc 0 1441; do cli 2 --pause $bad; done
paused && fail "a bad --pause paused"
cli 0 --pause 30
paused || fail "--pause 30 kept no pause"
cli 0 --resume
paused && fail "--resume left the pause"
# A postpone within the second of the last one moves the break no further, and does not count.
for _ in 1 2 3; do sleep 0.2 && cli 0 --postpone; done
cli 1 --postpone
cli 0 --break-now
wait_for break_showing 3 || fail "--break-now showed no break"
cli 1 --postpone
cli 0 --quit
wait_program_exit 10
cli 1 --resume
echo "PASS"
