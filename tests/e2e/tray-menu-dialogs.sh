#!/usr/bin/env bash
# A first start with no config.ini: one icon comes to the tray and stays one while the schedule
# ticks re-add it, and no break shows. The tray icon's commands: a double-click and 设置 open the
# settings, 关于 and 帮助 open their dialogs, an open dialog leaves the tray menu usable, Escape
# closes a dialog, and 退出 ends the program, takes its icon away and writes nothing to config.ini.
source "$(dirname "$0")/velunor-e2e.sh"

window_named() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1
}

close_with_escape() {
    local id=$1
    xdotool windowfocus --sync "$id" key Escape
    wait_for "! window_viewable $id" 5 || fail "Escape did not close the dialog"
}

e2e_setup
start_program
wait_for tray_has_icon 15 || fail "no tray icon appeared"
sleep 2.5
(($(tray_icon_count) == 1)) || fail "expected one tray icon, found $(tray_icon_count)"
! break_showing || fail "a break showed although the work interval is ten minutes"
[[ ! -e $PROGRAM_DIR/config.ini ]] || fail "the program wrote config.ini at start-up"

choose_from_tray_menu 2
wait_for 'window_named "关于 Velunor"' 10 || fail "关于 opened no about box"
about=$(window_named "关于 Velunor")

# The open about box must not block the tray: its menu opens and 帮助 opens the second dialog.
choose_from_tray_menu 3
wait_for 'window_named "音乐"' 10 || fail "帮助 opened no music information dialog"
music=$(window_named "音乐")

close_with_escape "$music"
close_with_escape "$about"

icon=$(tray_icon_window)
eval "$(xdotool getwindowgeometry --shell "$icon")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click --repeat 2 --delay 80 1
wait_for 'window_named "设置"' 10 || fail "a double-click on the icon opened no settings"
close_with_escape "$(window_named "设置")"
choose_from_tray_menu 4
wait_for 'window_named "设置"' 10 || fail "设置 opened no settings"
close_with_escape "$(window_named "设置")"
program_running || fail "closing the dialogs ended the program"
# Opening the settings wrote BFirst; ending writes nothing more.
config=$(cat "$PROGRAM_DIR/config.ini")

choose_from_tray_menu 1
wait_program_exit 10
((PROGRAM_STATUS == 0)) || fail "退出 did not end the program cleanly (status $PROGRAM_STATUS)"
wait_for tray_empty 5 || fail "the tray icon stayed after 退出"
[[ $(cat "$PROGRAM_DIR/config.ini") == "$config" ]] || fail "退出 wrote config.ini"
echo "PASS"
