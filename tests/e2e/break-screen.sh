#!/usr/bin/env bash
# A break due at once (SetTime 0): the break window covers the screen and shows the background
# picture and the clock, the three tunes of Music are heard one after the other, Escape hides the
# window, and SIGTERM during a break ends the program cleanly.
source "$(dirname "$0")/velunor-e2e.sh"

readonly SCREEN_W=1280 SCREEN_H=800
readonly BACKGROUND=$VELUNOR_SOURCE_DIR/res/background.jpg
readonly CLOCK_BLUE='#3366CC'

e2e_setup
write_config "SetTime=0" "RunTime=1"
add_music
watch_windows
start_program

wait_for break_showing 15 || fail "no break window showed"
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

# The background is centred on the larger screen, the clock is drawn at (420, 370) in its blue, and
# the margins keep the black the back buffer started with.
shot=$DESKTOP_DIR/break.png
screenshot "$shot"
left=$(((SCREEN_W - 1024) / 2))
top=$(((SCREEN_H - 768) / 2))
for point in "900 60" "600 700" "60 740" "1000 400"; do
    read -r x y <<<"$point"
    colours_close "$(pixel_at "$shot" $((left + x)) $((top + y)))" "$(pixel_at "$BACKGROUND" "$x" "$y")" ||
        fail "screen pixel at $((left + x)),$((top + y)) is not the background's pixel at $x,$y"
done
colours_close "$(pixel_at "$shot" 10 400)" "0 0 0" 0 || fail "the margin left of the picture is not black"
clock_pixels=$(convert "$shot" -crop 200x40+420+370 +repage txt:- | grep -ci "$CLOCK_BLUE" || true)
((clock_pixels > 50)) || fail "no clock in its blue at (420, 370): $clock_pixels pixels"

unmaps_before=$(window_event_count "$window" UnmapNotify)
xdotool key Escape
wait_for '(($(window_event_count '"$window"' UnmapNotify) > unmaps_before))' 5 ||
    fail "Escape did not hide the break window"

wait_for break_showing 5 || fail "the next break did not come at the next tick"
kill -TERM "$PROGRAM_PID"
wait_program_exit 10
((PROGRAM_STATUS == 0)) || fail "SIGTERM did not end the program cleanly (status $PROGRAM_STATUS)"
wait_for tray_empty 5 || fail "the tray icon stayed after the program ended"
echo "PASS"
