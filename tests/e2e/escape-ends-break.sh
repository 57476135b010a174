#!/usr/bin/env bash
# Escape ends a break for good: the window goes and stays hidden, the music falls silent, and the
# program keeps running until the next interval. The interval is one minute, the shortest that
# leaves time to listen to the silence before the next break.
#
# The screen is split into two monitors side by side, the left one primary, and the desktop is
# painted a colour of its own: the break shows its scene on the left monitor and covers all of both,
# also after the left monitor shrinks during the break, and after Escape the desktop shows on both
# again.
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
! break_showing || fail "a break showed before the interval had passed"

wait_for break_showing 75 || fail "no break window showed after one minute of work"
record_start "$DESKTOP_DIR/during.wav"
sleep 2
record_stop
rms=$(audio_rms "$DESKTOP_DIR/during.wav")
greater "$rms" 0.005 || fail "no music during the break (RMS $rms)"

eval "$(xdotool getwindowgeometry --shell "$(break_window)")"
[[ "$X,$Y,$WIDTH,$HEIGHT" == "0,0,1920,1080" ]] ||
    fail "the break window does not cover the primary monitor: ${WIDTH}x$HEIGHT at $X,$Y"
shown=$(desktop_pixels)
[[ $shown == "0 0" ]] || fail "the desktop shows during the break: $shown pixels"
scene_at "$DESKTOP_DIR/screen.png" 448 156 || fail "no break scene centred on the primary monitor"

# The primary monitor shrinks during the break: the scene and the covers follow, the break goes on.
xrandr --delmonitor monitor0 && xrandr --setmonitor '*monitor0' 1600/300x900/200+0+0 none
wait_for '[[ $(xdotool getwindowgeometry --shell "$(break_window)") == *WIDTH=1600?HEIGHT=900* ]]' 5 ||
    fail "the break window did not follow the primary monitor"
wait_for '[[ $(desktop_pixels) == "0 0" ]]' 5 || fail "the desktop shows after the primary monitor changed"
scene_at "$DESKTOP_DIR/screen.png" 288 66 || fail "no break scene centred on the changed primary monitor"

xdotool key Escape
wait_for "! break_showing" 5 || fail "Escape did not hide the break window"
record_start "$DESKTOP_DIR/after.wav"
sleep 2
record_stop
rms=$(audio_rms "$DESKTOP_DIR/after.wav")
greater 0.0005 "$rms" || fail "the music went on after Escape (RMS $rms)"
! break_showing || fail "the break window came back before the next interval"
program_running || fail "the program ended with the break"
# The right monitor shows the tray as well.
read -r left right <<<"$(desktop_pixels)"
((left == 1920 * 1080 && right > 1280 * 1024 * 9 / 10)) ||
    fail "the desktop did not come back on both monitors: $left and $right pixels"

choose_from_tray_menu 1
wait_program_exit 10
((PROGRAM_STATUS == 0)) || fail "退出 did not end the program cleanly (status $PROGRAM_STATUS)"
wait_for tray_empty 5 || fail "the tray icon stayed after 退出"
echo "PASS"
