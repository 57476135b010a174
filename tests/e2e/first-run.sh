#!/usr/bin/env bash
# The program's start-ups and its tray, in one run.
#
# A first start with no config.ini: one icon comes to the tray and stays one while the schedule
# ticks re-add it, and no break shows. The tray icon's commands: a double-click and 设置 open the
# settings, 关于 and 帮助 open their dialogs, an open dialog leaves the tray menu usable, Escape
# closes a dialog, and 退出 ends the program, takes its icon away and writes nothing to config.ini.
#
# Then a first run (BFirst=true): the settings dialog opens at start-up, the tray icon follows
# with the first schedule tick while the dialog is still open, a save from the keyboard writes the
# file, the mark is cleared so that the next start opens no dialog, and SIGTERM ends the program
# while the dialog is open. A second start of the same program folder hands over to the running
# copy, which shows its settings, and ends. config.ini is UTF-16 LE ("Unicode") with its mark and
# CRLF line endings, as Windows editors save it, and stays so (the other encodings, and which
# values a save writes, are the core tests').
source "$(dirname "$0")/velunor-e2e.sh"

# Waits for the dialog with the name (failing with the message), presses Escape in it and sees it
# close.
close_with_escape() {
    local id
    wait_for "window_named '$1'" 10 || fail "$2"
    id=$(window_named "$1")
    xdotool windowfocus --sync "$id" key Escape
    wait_for "! window_viewable $id" 5 || fail "Escape did not close $1"
}

# The lines of config.ini; fails unless every line still ends in CRLF, the last one too, after the
# UTF-16 LE mark, and no single byte breaks the UTF-16.
config_lines() {
    local file=$PROGRAM_DIR/config.ini
    [[ $(head -c 2 "$file" | od -An -tx1 | tr -d ' \n') == fffe ]] &&
        tail -c +3 "$file" | iconv -f UTF-16LE -t UTF-8 | sed -n '/\r$/!q1; s/\r$//p'
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
# The open about box must not block the tray: its menu opens and 帮助 opens the second dialog.
choose_from_tray_menu 3
close_with_escape 音乐 "帮助 opened no music information dialog"
close_with_escape "关于 Velunor" "the about box went away"

icon=$(tray_icon_window)
eval "$(xdotool getwindowgeometry --shell "$icon")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click --repeat 2 --delay 80 1
close_with_escape 设置 "a double-click on the icon opened no settings"
choose_from_tray_menu 4
close_with_escape 设置 "设置 opened no settings"
program_running || fail "closing the dialogs ended the program"
# Opening the settings wrote BFirst; ending writes nothing more.
config=$(cat "$PROGRAM_DIR/config.ini")

choose_from_tray_menu 1
wait_program_exit 10
((PROGRAM_STATUS == 0)) || fail "退出 did not end the program cleanly (status $PROGRAM_STATUS)"
wait_for tray_empty 5 || fail "the tray icon stayed after 退出"
[[ $(cat "$PROGRAM_DIR/config.ini") == "$config" ]] || fail "退出 wrote config.ini"

# A first run, from a file as Windows editors save it.
{ printf '\xFF\xFE' && printf '%s\r\n' "[Option]" "BFirst=true" "BStart=false" "SetTime=30" \
    "RunTime=4" "[Other]" "Name=眼睛" | iconv -f UTF-8 -t UTF-16LE; } >"$PROGRAM_DIR/config.ini"
start_program
wait_for "window_named 设置" 15 || fail "the settings dialog did not open on a first run"
wait_for tray_has_icon 5 || fail "no tray icon while the first-run dialog is open"
window_named 设置 >/dev/null || fail "the settings dialog closed by itself"

# Saved from the keyboard with a new break length, in the file's own encoding. What else the save
# and the first run write is the settings tests'.
xdotool windowfocus --sync "$(window_named 设置)" key Tab Tab Tab Tab ctrl+a 7 Tab space
wait_for "config_lines | grep -qx RunTime=7" 5 || fail "nothing saved, or not as UTF-16 LE with CRLF"
wait_for "window_named Velunor" 5 || fail "no 保存成功"
xdotool key Return

kill -TERM "$PROGRAM_PID"
wait_program_exit 10
((PROGRAM_STATUS == 0)) || fail "SIGTERM with the dialog open did not end the program"
wait_for tray_empty 5 || fail "the tray icon stayed after SIGTERM with the dialog open"

# The second start shows no dialog.
start_program
wait_for tray_has_icon 15 || fail "no tray icon on the second start"
sleep 1.5
! window_named 设置 >/dev/null || fail "the settings dialog opened again on the second start"

# Another start of the same folder ends soon; the running copy shows its settings.
running=$PROGRAM_PID
start_program
wait_program_exit 5
PROGRAM_PID=$running
# Escape closes the dialog without storing anything; the program stays in the tray.
close_with_escape 设置 "a second start did not bring up the settings"
(($(tray_icon_count) == 1)) || fail "expected one tray icon, found $(tray_icon_count)"
program_running || fail "closing the settings dialog ended the program"
echo "PASS"
