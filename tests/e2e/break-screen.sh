#!/usr/bin/env bash
# A break after the shortest interval (SetTime 0 counts as a minute): the break window covers the
# screen and shows the background picture and the clock, the three tunes of Music are heard one
# after the other, and SIGTERM during the break ends the program cleanly. (Escape is
# escape-ends-break.sh's.)
source "$(dirname "$0")/velunor-e2e.sh"

readonly SCREEN_W=1280 SCREEN_H=800

e2e_setup
write_config "SetTime=0" "RunTime=1"
add_music
start_program

wait_for break_showing 75 || fail "no break window showed"
window=$(break_window)
eval "$(xdotool getwindowgeometry --shell "$window")"
[[ "$X,$Y,$WIDTH,$HEIGHT" == "0,0,$SCREEN_W,$SCREEN_H" ]] ||
    fail "the break window does not cover the screen: ${WIDTH}x$HEIGHT at $X,$Y"

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

# The background is centred on the larger screen with the clock on it, and the margins keep the
# black the back buffer started with.
shot=$DESKTOP_DIR/break.png
screenshot "$shot"
scene_at "$shot" $(((SCREEN_W - 1024) / 2)) $(((SCREEN_H - 768) / 2)) || fail "no break scene centred"
colours_close "$(pixel_at "$shot" 10 400)" "0 0 0" 0 || fail "the margin left of the picture is not black"

break_showing || fail "the break ended before SIGTERM"
kill -TERM "$PROGRAM_PID"
wait_program_exit 10
((PROGRAM_STATUS == 0)) || fail "SIGTERM did not end the program cleanly (status $PROGRAM_STATUS)"
wait_for tray_empty 5 || fail "the tray icon stayed after the program ended"
echo "PASS"
