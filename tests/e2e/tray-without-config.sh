#!/usr/bin/env bash
# A first start with no config.ini: the icon comes to the tray, no break screen shows, and SIGTERM
# ends the program the way 退出 does, taking the icon away and writing nothing.
source "$(dirname "$0")/velunor-e2e.sh"

e2e_setup
start_program
wait_for tray_has_icon 15 || fail "no tray icon appeared"
(($(tray_icon_count) == 1)) || fail "expected one tray icon, found $(tray_icon_count)"
# Two schedule ticks re-add the icon; neither may add a second one or show the break window.
sleep 2.5
(($(tray_icon_count) == 1)) || fail "the re-added icon doubled: $(tray_icon_count)"
! break_showing || fail "a break showed although the work interval is ten minutes"

kill -TERM "$PROGRAM_PID"
wait_program_exit 10
((PROGRAM_STATUS == 0)) || fail "SIGTERM did not end the program cleanly (status $PROGRAM_STATUS)"
wait_for tray_empty 5 || fail "the tray icon stayed after the program ended"
[[ ! -e $PROGRAM_DIR/config.ini ]] || fail "the program wrote config.ini"
echo "PASS"
