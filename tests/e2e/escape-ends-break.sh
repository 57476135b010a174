#!/usr/bin/env bash
# Escape ends a break for good: the window goes and stays hidden, the music falls silent, and the
# program keeps running until the next interval. The interval is one minute, the shortest that
# leaves time to listen to the silence before the next break.
source "$(dirname "$0")/velunor-e2e.sh"

e2e_setup
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

xdotool key Escape
wait_for "! break_showing" 5 || fail "Escape did not hide the break window"
record_start "$DESKTOP_DIR/after.wav"
sleep 2
record_stop
rms=$(audio_rms "$DESKTOP_DIR/after.wav")
greater 0.0005 "$rms" || fail "the music went on after Escape (RMS $rms)"
! break_showing || fail "the break window came back before the next interval"
program_running || fail "the program ended with the break"

choose_from_tray_menu 1
wait_program_exit 10
((PROGRAM_STATUS == 0)) || fail "退出 did not end the program cleanly (status $PROGRAM_STATUS)"
wait_for tray_empty 5 || fail "the tray icon stayed after 退出"
echo "PASS"
