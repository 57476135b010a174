#!/usr/bin/env bash
# A break length of 0 (RunTime 0) ends every break on its first frame: with breaks due at every
# tick (SetTime 0) the window flashes up once a second and is hidden again straight away.
source "$(dirname "$0")/velunor-e2e.sh"

e2e_setup
write_config "SetTime=0" "RunTime=0"
watch_windows
start_program
wait_for "break_window" 15 || fail "no break window was ever made"
window=$(break_window)
wait_for '(($(window_event_count '"$window"' MapNotify) >= 3))' 15 ||
    fail "breaks did not follow each other: $(window_event_count "$window" MapNotify) shown"
maps=$(window_event_count "$window" MapNotify)
unmaps=$(window_event_count "$window" UnmapNotify)
((unmaps >= maps - 1)) || fail "shown $maps times but hidden only $unmaps times"
program_running || fail "the program ended"

kill -TERM "$PROGRAM_PID"
wait_program_exit 10
((PROGRAM_STATUS == 0)) || fail "SIGTERM did not end the program cleanly (status $PROGRAM_STATUS)"
echo "PASS"
