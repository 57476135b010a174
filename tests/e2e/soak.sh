#!/usr/bin/env bash
# A long run of real breaks leaves nothing behind. With breaks due after the shortest interval
# (SetTime 0, which counts as a minute) on a wall clock forty times fast, and ending on their first
# frame (RunTime 0), each break shows the window, starts and stops the music and hides the window
# again, about every two seconds: the window is mapped anew for every break, which it cannot be
# unless the break before hid it. Between an early point and the end of the run
# the program's memory, threads, open files, sound-server connections and windows must not grow.
#
# The memory allowance is for the allocator keeping freed blocks for reuse, which levels off after
# the first breaks; something kept per break grows without levelling off and crosses it.
source "$(dirname "$0")/velunor-e2e.sh"

# shellcheck disable=SC2034 # read by the conditions that wait_for evaluates
readonly early_breaks=30 last_breaks=150
readonly soak_seconds=330
readonly allowed_growth_kb=2048

# How often the break window was mapped since the start.
breaks() {
    grep -A1 '^MapNotify event, serial [0-9]*, synthetic NO' "$DESKTOP_DIR/xev.log" |
        grep -c "window $(printf '0x%x' "$window")," || true
}
window_count() { xwininfo -root -children | grep -c '("velunor" "velunor")' || true; }

# "resident threads files sound windows" of the program: each the least of a few looks a fifth
# of a second apart, so that what a break holds only while it shows (its music stream, the file
# it plays, the player's threads) is not taken for something left behind. Qt names the program's
# top-level windows' class after it.
resources() {
    local i proc=/proc/$PROGRAM_PID
    # shellcheck disable=SC2012 # the names in /proc are plain numbers
    for ((i = 0; i < 8; i++)); do
        echo "$(awk '/^VmRSS:/ { print $2 }' "$proc/status") $(ls "$proc/task" | wc -l)" \
            "$(ls "$proc/fd" | wc -l) $(pactl list clients | grep -c "application.process.id = \"$PROGRAM_PID\"")" \
            "$(window_count)"
        sleep 0.2
    done | awk '{ for (f = 1; f <= NF; f++) if (NR == 1 || $f < least[f]) least[f] = $f }
                END { print least[1], least[2], least[3], least[4], least[5] }'
}

e2e_setup
write_config "SetTime=0" "RunTime=0"
add_music
xev -root -event substructure </dev/null >"$DESKTOP_DIR/xev.log" 2>&1 &
desktop_track_pid $!
# Only the wall clock runs fast; the timers keep real time, so a tick brings forty seconds.
FAKETIME="+0 x40" FAKETIME_DONT_FAKE_MONOTONIC=1 \
    LD_PRELOAD=$(echo /usr/lib/*/faketime/libfaketime.so.1) start_program
wait_for tray_has_icon 15 || fail "no tray icon appeared"
wait_for break_window 15 || fail "no break window was ever made"
window=$(break_window)

# A loaded machine may run the breaks slower than one every two seconds; it must still run them.
# shellcheck disable=SC2016 # wait_for evaluates the condition anew each time
wait_for '(($(breaks) >= early_breaks))' 120 || fail "only $(breaks) breaks in two minutes"
read -r -a early <<<"$(resources)"
# shellcheck disable=SC2016
wait_for '(($(breaks) >= last_breaks))' "$soak_seconds" || true
done_breaks=$(breaks)
((done_breaks >= early_breaks + 60)) ||
    fail "breaks stopped coming: $done_breaks in all, $((done_breaks - early_breaks)) after the first $early_breaks"
program_running || fail "the program ended during the breaks"
read -r -a late <<<"$(resources)"

((late[0] - early[0] < allowed_growth_kb)) ||
    fail "memory grew by $((late[0] - early[0])) kB over $((done_breaks - early_breaks)) breaks"
# Qt and GStreamer keep a few worker threads that come and go.
((late[1] <= early[1] + 4)) || fail "threads grew from ${early[1]} to ${late[1]}"
((late[2] <= early[2] + 2)) || fail "open files grew from ${early[2]} to ${late[2]}"
((late[3] <= early[3])) || fail "sound server connections grew from ${early[3]} to ${late[3]}"
((late[4] <= early[4])) || fail "windows grew from ${early[4]} to ${late[4]}"

echo "PASS"
