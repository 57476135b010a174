#!/usr/bin/env bash
# Velunor.exe under Wine, from a program folder whose name holds Chinese characters and a space, in
# one run. It imports only DLLs of Windows itself and stays small. Without config.ini the icon docks
# and the file stays absent; a second start of the same folder opens the running one's settings and
# ends; the about box closes from its 确定, clicked or pressed with Enter; 退出 in the tray menu
# ends the program and takes the icon away. A first run (BFirst=true)
# opens 设置 with the tray icon following while it is open; the dialog's own controls store the
# interval, the break length and the logon entry (machine's Run key) and take the entry back; the
# music library deletes exactly the selected file. A minute after the library closed, while another
# program's window is being typed into, a break covers the screen with its scene and plays the MP3,
# WMA and MID left in Music; half a minute before it the tray icon shows its notice. The keys stay
# with the break even when that window gets the focus again: letters and Enter reach nothing and
# leave the break; Escape hides it and silences the music, the icon stays, and the keys go to that
# window again. A close request to the hidden window (taskkill) ends the program as 退出 does.
# Started again with one-minute breaks, it shows none behind a session locked as Windows says it
# (a session change to its hidden window) for longer than a break, and the unlock starts the work
# interval anew: no break at once, the notice half a minute later. A click on that notice (as the
# shell reports one) postpones the break: it does not come at its time; two postpones from a shell
# follow, and a fourth is refused with status 1; a malformed --pause is status 2 and changes
# nothing; --break-now brings a break. 暂停提醒's 30分钟 keeps notice and break away past the
# interval, 继续提醒 brings the notice back at once and the break half a minute later; --quit ends
# the program, and a request with none running fails with status 1.
# shellcheck source=velunor-e2e.sh
source "$(dirname "$0")/velunor-e2e.sh"

readonly SCREEN_W=1280 SCREEN_H=800
readonly SYSTEM_DLLS=' advapi32 comctl32 comdlg32 dsound gdi32 gdiplus imm32 kernel32 msvcrt ole32 oleaut32 shell32 shlwapi user32 wtsapi32 '
RUN_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'

# Keys for a dialog. Without a window manager only a click makes a Wine window the active one, so
# its caption is clicked first: the tray's docking and a message box that closed leave no window
# active.
keys_to() {
    # shellcheck disable=SC2034 # getwindowgeometry sets all five
    local window X Y WIDTH HEIGHT SCREEN
    window=$(window_named "$1") || true
    [[ -n $window ]] || fail "no window \"$1\" for keys $*"
    shift
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + 40)) $((Y + 8)) click 1
    sleep 0.3
    xdotool key --delay 80 "$@"
}

# Answers the message box and checks its text is gone with it.
press_ok_on_message() {
    wait_for "window_named Velunor" 5 || fail "no message box after $1"
    keys_to Velunor Return
    wait_for "! window_named Velunor" 5 || fail "the message box after $1 stayed"
}

# The Orvanta line of the Run key as the registry editor exports it: UTF-16, which keeps the
# folder's Chinese name (the console output of `reg query` does not).
run_key_entry() {
    wine reg export "$RUN_KEY" "$DESKTOP_DIR/run.reg" /y >/dev/null 2>&1 || return 0
    iconv -f UTF-16 -t UTF-8 "$DESKTOP_DIR/run.reg" | tr -d '\r' | grep '^"Orvanta"=' || true
}

# Tells the program the session was locked (7) or unlocked (8), or its balloon clicked (click), as
# Windows would.
session_event() { wine "$VELUNOR_SESSION_EVENT" "$1" || fail "no Velunor window took session event $1"; }

# Runs Velunor.exe with the arguments as a shell user would; prints its exit status.
velunor_cli() {
    local status=0
    wine "$PROGRAM_DIR/Velunor.exe" "$@" >"$DESKTOP_DIR/cli.txt" 2>&1 || status=$?
    echo "$status"
}

# Picks 暂停提醒's Nth choice (1 is 30分钟) from the submenu left of the menu.
pause_from_tray_menu() {
    local id left=99999 sub=
    click_tray_menu_item 1
    sleep 0.5
    for id in $(xdotool search --onlyvisible --classname '^velunor\.exe$' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        ((X < left)) && [[ $(xwininfo -id "$id") == *'Override Redirect State: yes'* ]] && left=$X sub=$id
    done
    [[ -n $sub ]] || fail "暂停提醒 opened no choices"
    eval "$(xdotool getwindowgeometry --shell "$sub")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + 20 * $1 - 7)) click 1
}

paused() { grep -q '^PauseUntil=' "$PROGRAM_DIR/config.ini"; }

# The codes of the keys that the recorder (KeyRecorder.exe) got, in one line.
keys_recorded() { tr -d '\r' <"$DESKTOP_DIR/keys.txt" | paste -sd' '; }

config_has() {
    grep -qx "$1" "$PROGRAM_DIR/config.ini" || fail "config.ini lacks $1: $(tr '\n' ' ' <"$PROGRAM_DIR/config.ini")"
}

# Tunes of distinct pitch, Chinese names among them, played in byte order: c.mid, 二胡.wma, then
# 轻音乐.mp3, long enough to be still playing when Escape comes. The list shows the names in
# descending byte order, so 鸟鸣.mp3 is its first row.
add_windows_music() {
    local music=$PROGRAM_DIR/Music
    add_music
    rm "$music/a.mp3"
    mv "$music/b.wma" "$music/二胡.wma"
    ffmpeg -loglevel error -nostdin -f lavfi -i "sine=frequency=440:duration=12" -ac 2 \
        -c:a libmp3lame "$music/轻音乐.mp3"
    cp "$music/轻音乐.mp3" "$music/鸟鸣.mp3"
}

for dll in $(x86_64-w64-mingw32-objdump -p "$VELUNOR_EXE" | awk '/DLL Name:/ { print tolower($3) }'); do
    [[ $SYSTEM_DLLS == *" ${dll%.dll} "* ]] || fail "Velunor.exe needs $dll, which Windows does not bring"
done
x86_64-w64-mingw32-strip -o "${TMPDIR:-/tmp}/Velunor-stripped.$$.exe" "$VELUNOR_EXE"
size=$(stat -c %s "${TMPDIR:-/tmp}/Velunor-stripped.$$.exe")
rm -f "${TMPDIR:-/tmp}/Velunor-stripped.$$.exe"
((size <= 3 * 1024 * 1024)) || fail "the stripped Velunor.exe has $size bytes, more than 3 MB"

e2e_setup_wine
add_windows_music
start_program
wait_for tray_has_icon 30 || fail "no tray icon appeared"
sleep 2.5 # two schedule ticks re-add the icon: it must not double
(($(tray_icon_count) == 1)) || fail "expected one tray icon, found $(tray_icon_count)"
! break_showing || fail "a break showed although the work interval is ten minutes"
[[ ! -e $PROGRAM_DIR/config.ini ]] || fail "the program wrote config.ini"

timeout 20 "${PROGRAM_COMMAND[@]}" </dev/null >/dev/null 2>&1 || fail "a second start did not end"
wait_for "window_named 设置" 10 || fail "a second start opened no settings"
(($(tray_icon_count) == 1)) || fail "a second start left $(tray_icon_count) tray icons"
xdotool windowfocus "$(window_named 设置)" key Escape
wait_for "! window_named 设置" 5 || fail "Escape did not close 设置"

for press in click Return; do
    click_tray_menu_item -2
    wait_for "window_named '关于 Velunor'" 10 || fail "关于 in the tray menu opened no about box"
    if [[ $press == click ]]; then # 确定, at the top right
        eval "$(xdotool getwindowgeometry --shell "$(window_named '关于 Velunor')")"
        xdotool mousemove $((X + WIDTH * 84 / 100)) $((Y + HEIGHT * 35 / 100)) click 1
    else
        keys_to '关于 Velunor' Return
    fi
    wait_for "! window_named '关于 Velunor'" 5 || fail "$press on 确定 did not close the about box"
done

click_tray_menu_item -1
wait_program_exit 15
wait_for tray_empty 5 || fail "the tray icon stayed after 退出"

# A first run: the dialog during start-up, the icon about a second later while it is open.
write_config "BFirst=true" "BStart=false" "SetTime=30" "RunTime=5"
start_program
wait_for "window_named 设置" 30 || fail "设置 did not open on a first run"
wait_for tray_has_icon 5 || fail "no tray icon while the first-run dialog is open"
window_named 设置 >/dev/null || fail "设置 closed by itself"
config_has BFirst=false

# Focus starts on 音乐设置; Tab twice reaches the check box, then the two minute fields (Tab
# selects their text) and 保存设置, which the edits enabled.
keys_to 设置 Tab Tab space Tab 1 Tab 2 Tab Return
press_ok_on_message "saving"
for line in BStart=true SetTime=1 RunTime=2; do config_has "$line"; done
wait_for "wine reg query '$RUN_KEY' /v Orvanta" 10 || fail "no Orvanta value under $RUN_KEY"
entry=$(run_key_entry)
# The program's path as a Windows program sees it, backslashes doubled as in an exported value.
exe="Z:${PROGRAM_DIR//\//\\}\\Velunor.exe"
[[ $entry == "\"Orvanta\"=\"${exe//\\/\\\\}\"" ]] || fail "Orvanta does not name the program: $entry"

# Back to the check box, clear it, save again: the value goes.
keys_to 设置 shift+Tab shift+Tab shift+Tab space Tab Tab Tab Return
press_ok_on_message "saving without start at logon"
config_has BStart=false
wait_for "! wine reg query '$RUN_KEY' /v Orvanta" 10 || fail "Orvanta stayed after unticking"

# 音乐设置 opens the library; the first row selected and 删除 removes exactly its file.
keys_to 设置 shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab Return
wait_for "window_named 音乐编辑" 10 || fail "音乐设置 did not open the music library"
keys_to 音乐编辑 Down Tab Tab Return
press_ok_on_message "deleting"
[[ ! -e $PROGRAM_DIR/Music/鸟鸣.mp3 ]] || fail "the selected 鸟鸣.mp3 was not deleted"
left=("$PROGRAM_DIR"/Music/*)
((${#left[@]} == 3)) || fail "more than the selected file went: ${left[*]##*/}"
keys_to 音乐编辑 Escape
wait_for "! window_named 音乐编辑" 5 || fail "Escape did not close the music library"
keys_to 设置 Escape
wait_for "! window_named 设置" 5 || fail "Escape did not close 设置"

# Closing the library started the one-minute interval anew. Meanwhile a second Windows program,
# whose window records the keys it gets, is clicked on and typed into until the break comes; the
# notice comes half a minute before it.
(cd "$DESKTOP_DIR" && exec wine "$KEY_RECORDER_EXE") </dev/null >/dev/null 2>&1 &
wait_for "window_named 'Key recorder'" 10 || fail "the key recorder did not start"
keys_to 'Key recorder' a
noticed=
for ((i = 0; i < 300; i++)); do
    break_showing && break
    [[ -n $noticed ]] || ! wine_notice_window >/dev/null || noticed=$SECONDS
    xdotool key a sleep 0.25
done
break_showing || fail "no break a minute after the library closed"
[[ -n $noticed ]] || fail "no notice from the tray icon before the break"
((SECONDS - noticed >= 25 && SECONDS - noticed <= 35)) ||
    fail "the notice came $((SECONDS - noticed)) s before the break, not 30"
window=$(break_window)
eval "$(xdotool getwindowgeometry --shell "$window")"
[[ "$X,$Y,$WIDTH,$HEIGHT" == "0,0,$SCREEN_W,$SCREEN_H" ]] ||
    fail "the break window does not cover the screen: ${WIDTH}x$HEIGHT at $X,$Y"
record_start "$DESKTOP_DIR/break.wav"
sleep 0.5
screenshot "$DESKTOP_DIR/break.png"
scene_at "$DESKTOP_DIR/break.png" $(((SCREEN_W - 1024) / 2)) $(((SCREEN_H - 768) / 2)) ||
    fail "no break scene centred"
# The keyboard stays with the break although the recorder is given the focus again, as Windows'
# foreground lock would leave it: letters and Enter reach nothing and do nothing.
before=$(keys_recorded)
[[ $before == *41* ]] || fail "the recorder did not get the keys typed before the break: $before"
xdotool windowfocus "$(window_named 'Key recorder')" sleep 0.5 type --delay 80 xyz
xdotool key Return
! wait_for "! window_viewable $window" 3 || fail "Enter ended the break"
sleep 2
record_stop
for band in "400 480 轻音乐.mp3" "620 700 二胡.wma" "840 920 c.mid"; do
    read -r low high name <<<"$band"
    rms=$(band_rms "$DESKTOP_DIR/break.wav" "$low" "$high")
    greater "$rms" 0.002 || fail "$name was not heard during the break (RMS $rms in $low-$high Hz)"
done
xdotool key Escape
wait_for "! window_viewable $window" 5 || fail "Escape did not hide the break window"
[[ $(keys_recorded) == "$before" ]] || fail "keys of the break reached the recorder: $(keys_recorded)"
# Afterwards the keys go to the recorder again.
xdotool sleep 0.5 type --delay 80 ok
# shellcheck disable=SC2016 # wait_for evaluates it anew each time
wait_for '[[ $(keys_recorded) == "$before 4F 4B" ]]' 5 ||
    fail "the recorder did not get the keys after the break: $(keys_recorded)"
record_start "$DESKTOP_DIR/after.wav"
sleep 2
record_stop
rms=$(audio_rms "$DESKTOP_DIR/after.wav")
greater 0.0005 "$rms" || fail "the music went on after Escape (RMS $rms)"
(($(tray_icon_count) == 1)) || fail "the tray icon went with the break"

wine taskkill /im Velunor.exe >/dev/null 2>&1
wait_program_exit 15
wait_for tray_empty 5 || fail "the tray icon stayed after a close request"

# Away: a lock a little longer than the break (and the minute) holds the due break back.
write_config "SetTime=1" "RunTime=1"
start_program
wait_for tray_has_icon 30 || fail "no tray icon after the restart"
session_event 7
! wait_for break_showing 65 || fail "a break showed while the session was locked"
session_event 8
unlocked=$SECONDS
wait_for wine_notice_window 40 || fail "no notice in the interval after the unlock"
((SECONDS - unlocked >= 25)) || fail "the notice came $((SECONDS - unlocked)) s after the unlock"
! break_showing || fail "a break showed at the unlock"

session_event click
! wait_for break_showing 35 || fail "the break came although its notice was clicked"
for expected in 0 0 1; do
    [[ $(velunor_cli --postpone) == "$expected" ]] || fail "--postpone: not status $expected: $(<"$DESKTOP_DIR/cli.txt")"
    sleep 1.1
done
for args in "--pause abc" "--pause 0" "--pause 1441"; do
    # shellcheck disable=SC2086 # one argument a word
    [[ $(velunor_cli $args) == 2 && $(<"$DESKTOP_DIR/cli.txt") == *'--pause needs the minutes'* ]] ||
        fail "$args: not status 2 with its reason: $(<"$DESKTOP_DIR/cli.txt")"
done
! paused || fail "a malformed --pause paused"
[[ $(velunor_cli --break-now) == 0 ]] || fail "--break-now failed: $(<"$DESKTOP_DIR/cli.txt")"
wait_for break_showing 10 || fail "--break-now showed no break"
xdotool key Escape
wait_for "! break_showing" 10 || fail "Escape did not end the break asked for"

pause_from_tray_menu 1
wait_for paused 5 || fail "30分钟 did not pause"
! wait_for "break_showing || wine_notice_window" 65 || fail "a notice or break came during the pause"
click_tray_menu_item 2
wait_for "! paused" 5 || fail "继续提醒 did not end the pause"
wait_for wine_notice_window 5 || fail "no notice when the pause ended"
resumed=$SECONDS
wait_for break_showing 40 || fail "no break after the pause ended"
((SECONDS - resumed >= 25)) || fail "the break came $((SECONDS - resumed)) s after the pause ended"
xdotool key Escape
wait_for "! break_showing" 10 || fail "Escape did not end the break after the pause"

[[ $(velunor_cli --quit) == 0 ]] || fail "--quit failed: $(<"$DESKTOP_DIR/cli.txt")"
wait_program_exit 5
[[ $(velunor_cli --resume) == 1 ]] || fail "--resume with none running did not fail"
echo "PASS"
