#!/usr/bin/env bash
# A first run (BFirst=true): the settings dialog opens at start-up, the tray icon follows with the
# first schedule tick while the dialog is still open, the mark is cleared so that the next start
# opens no dialog, and SIGTERM ends the program while the dialog is open. A second start of the
# same program folder hands over to the running copy, which shows its settings, and ends.
source "$(dirname "$0")/velunor-e2e.sh"

settings_showing() {
    xdotool search --onlyvisible --name '^设置$' >/dev/null 2>&1
}

e2e_setup
write_config "BFirst=true" "SetTime=30"
start_program
wait_for settings_showing 15 || fail "the settings dialog did not open on a first run"
wait_for tray_has_icon 5 || fail "no tray icon while the first-run dialog is open"
settings_showing || fail "the settings dialog closed by itself"
grep -qx 'BFirst=false' "$PROGRAM_DIR/config.ini" || fail "BFirst was not cleared: $(cat "$PROGRAM_DIR/config.ini")"
grep -qx 'SetTime=30' "$PROGRAM_DIR/config.ini" || fail "the other settings were not kept"

kill -TERM "$PROGRAM_PID"
wait_program_exit 10
((PROGRAM_STATUS == 0)) || fail "SIGTERM with the dialog open did not end the program cleanly"
wait_for tray_empty 5 || fail "the tray icon stayed after SIGTERM with the dialog open"

# The second start shows no dialog.
start_program
wait_for tray_has_icon 15 || fail "no tray icon on the second start"
sleep 1.5
! settings_showing || fail "the settings dialog opened again on the second start"

# Another start of the same folder ends soon; the running copy shows its settings.
running=$PROGRAM_PID
start_program
wait_program_exit 5
PROGRAM_PID=$running
wait_for settings_showing 5 || fail "a second start did not bring up the running copy's settings"
(($(tray_icon_count) == 1)) || fail "expected one tray icon, found $(tray_icon_count)"

# Escape closes the dialog without storing anything; the program stays in the tray.
xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^设置$' | head -n1)" key Escape
wait_for "! settings_showing" 5 || fail "Escape did not close the settings dialog"
program_running || fail "closing the settings dialog ended the program"
kill -TERM "$PROGRAM_PID"
wait_program_exit 10
echo "PASS"
