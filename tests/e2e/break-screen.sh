#!/usr/bin/env bash
# The life of a break, on a screen split into two monitors side by side, the left one primary, with
# the desktop painted a colour of its own. After a one-minute interval the break window covers the
# primary monitor and shows the background picture centred with the clock on it, the other monitor
# is covered too, and the three tunes of Music are heard one after the other. When the primary
# monitor shrinks during the break the scene and the covers follow and the break goes on. Escape
# ends the break: the windows go, the desktop shows on both monitors again and the program keeps
# running until the next interval, whose break SIGTERM ends together with the program. That every
# end of a break stops its music, and that a stop ends the player, are the core and player tests'.
export DESKTOP_SCREEN=3200x1080x24 DESKTOP_MONITORS="1920x1080+0+0 1280x1024+1920+0"
source "$(dirname "$0")/velunor-e2e.sh"

readonly DESKTOP_COLOUR='#FF00FF'

# How many pixels of each monitor show the desktop's colour.
desktop_pixels() {
    local shot=$DESKTOP_DIR/screen.png monitor counts=()
    screenshot "$shot"
    for monitor in $DESKTOP_MONITORS; do
        counts+=("$(colour_count "$shot" "$monitor" "$DESKTOP_COLOUR")")
    done
    echo "${counts[*]}"
}

e2e_setup
xsetroot -solid "$DESKTOP_COLOUR"
write_config "SetTime=1" "RunTime=1"
add_music
start_program
wait_for tray_has_icon 15 || fail "no tray icon appeared"

wait_for break_showing 75 || fail "no break window showed after one minute of work"
eval "$(xdotool getwindowgeometry --shell "$(break_window)")"
[[ "$X,$Y,$WIDTH,$HEIGHT" == "0,0,1920,1080" ]] ||
    fail "the break window does not cover the primary monitor: ${WIDTH}x$HEIGHT at $X,$Y"
shown=$(desktop_pixels)
[[ $shown == "0 0" ]] || fail "the desktop shows during the break: $shown pixels"
scene_at "$DESKTOP_DIR/screen.png" 448 156 || fail "no break scene centred on the primary monitor"

# Each tune is told apart by its pitch; short recordings are taken until all three were heard.
heard=()
for ((chunk = 0; chunk < 12 && ${#heard[@]} < 3; chunk++)); do
    record_start "$DESKTOP_DIR/chunk.wav"
    sleep 1.5
    record_stop
    for band in "a.mp3 420 460" "b.wma 640 680" "c.mid 860 900"; do
        read -r name low high <<<"$band"
        [[ " ${heard[*]} " == *" $name "* ]] && continue
        rms=$(band_rms "$DESKTOP_DIR/chunk.wav" "$low" "$high")
        greater "$rms" 0.005 && heard+=("$name")
    done
done
((${#heard[@]} == 3)) || fail "of the Music files only these were heard: ${heard[*]:-none}"

# The primary monitor shrinks during the break: the scene and the covers follow, the break goes on.
xrandr --delmonitor monitor0 && xrandr --setmonitor '*monitor0' 1600/300x900/200+0+0 none
wait_for '[[ $(xdotool getwindowgeometry --shell "$(break_window)") == *WIDTH=1600?HEIGHT=900* ]]' 5 ||
    fail "the break window did not follow the primary monitor"
wait_for '[[ $(desktop_pixels) == "0 0" ]]' 5 || fail "the desktop shows after the primary monitor changed"
scene_at "$DESKTOP_DIR/screen.png" 288 66 || fail "no break scene centred on the changed primary monitor"

xdotool key Escape
wait_for "! break_showing" 5 || fail "Escape did not hide the break window"
program_running || fail "the program ended with the break"
# The right monitor shows the tray as well.
read -r left right <<<"$(desktop_pixels)"
((left == 1920 * 1080 && right > 1280 * 1024 * 9 / 10)) ||
    fail "the desktop did not come back on both monitors: $left and $right pixels"

wait_for break_showing 75 || fail "no second break after another minute of work"
kill -TERM "$PROGRAM_PID"
wait_program_exit 10
((PROGRAM_STATUS == 0)) || fail "SIGTERM during a break did not end the program cleanly (status $PROGRAM_STATUS)"
wait_for tray_empty 5 || fail "the tray icon stayed after the program ended"
echo "PASS"
