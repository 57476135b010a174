#!/usr/bin/env bash
# Velunor.exe under Wine, from a program folder with a Chinese name, in one run: a first start opens
# 设置 with the tray icon following while it is open; the dialog's own controls store the interval,
# the break length and the logon entry (machine's Run key) and take the entry back; the music
# library deletes exactly the selected file; the break plays the MP3, WMA and MID left in Music and
# Escape silences them.
#
# Needs VELUNOR_EXE (the built Velunor.exe) and VELUNOR_SOURCE_DIR in the environment.
# shellcheck source=velunor-e2e.sh
source "$(dirname "$0")/velunor-e2e.sh"

RUN_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'

dialog_window() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1
}

# Keys for a dialog. Without a window manager only a click makes a Wine window the active one, so
# its caption is clicked first: the tray's docking and a message box that closed leave no window
# active.
keys_to() {
    # shellcheck disable=SC2034 # getwindowgeometry sets all five
    local window X Y WIDTH HEIGHT SCREEN
    window=$(dialog_window "$1") || true
    [[ -n $window ]] || fail "no window \"$1\" for keys $*"
    shift
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + 40)) $((Y + 8)) click 1
    sleep 0.3
    xdotool key --delay 80 "$@"
}

# Answers the message box and checks its text is gone with it.
press_ok_on_message() {
    wait_for "[[ -n \$(dialog_window Velunor) ]]" 5 || fail "no message box after $1"
    keys_to Velunor Return
    wait_for "[[ -z \$(dialog_window Velunor) ]]" 5 || fail "the message box after $1 stayed"
}

# The Orvanta line of the Run key as the registry editor exports it: UTF-16, which keeps the
# folder's Chinese name (the console output of `reg query` does not).
run_key_entry() {
    wine reg export "$RUN_KEY" "$DESKTOP_DIR/run.reg" /y >/dev/null 2>&1 || return 0
    iconv -f UTF-16 -t UTF-8 "$DESKTOP_DIR/run.reg" | tr -d '\r' | grep '^"Orvanta"=' || true
}

# A Unix path as a Windows program sees it, backslashes doubled as in an exported value.
windows_path() {
    local path="Z:${1//\//\\}"
    echo "${path//\\/\\\\}"
}

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

e2e_setup_wine
add_windows_music
write_config "BFirst=true" "BStart=false" "SetTime=30" "RunTime=5"
start_program

# A first run: the dialog during start-up, the icon about a second later while it is open.
wait_for "[[ -n \$(dialog_window 设置) ]]" 30 || fail "设置 did not open on a first run"
wait_for tray_has_icon 5 || fail "no tray icon while the first-run dialog is open"
[[ -n $(dialog_window 设置) ]] || fail "设置 closed by itself"
config_has BFirst=false

# Focus starts on 音乐设置; Tab twice reaches the check box, then the two minute fields (Tab
# selects their text) and 保存设置, which the edits enabled.
keys_to 设置 Tab Tab space Tab 1 Tab 2 Tab Return
press_ok_on_message "saving"
config_has BStart=true
config_has SetTime=1
config_has RunTime=2
wait_for "wine reg query '$RUN_KEY' /v Orvanta" 10 || fail "no Orvanta value under $RUN_KEY"
entry=$(run_key_entry)
[[ $entry == "\"Orvanta\"=\"$(windows_path "$PROGRAM_DIR/Velunor.exe")\"" ]] || fail "Orvanta does not name the program: $entry"

# Back to the check box, clear it, save again: the value goes.
keys_to 设置 shift+Tab shift+Tab shift+Tab space Tab Tab Tab Return
press_ok_on_message "saving without start at logon"
config_has BStart=false
wait_for "! wine reg query '$RUN_KEY' /v Orvanta" 10 || fail "Orvanta stayed after unticking"

# 音乐设置 opens the library; the first row selected and 删除 removes exactly its file.
keys_to 设置 shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab Return
wait_for "[[ -n \$(dialog_window 音乐编辑) ]]" 10 || fail "音乐设置 did not open the music library"
keys_to 音乐编辑 Down Tab Tab Return
press_ok_on_message "deleting"
[[ ! -e $PROGRAM_DIR/Music/鸟鸣.mp3 ]] || fail "the selected 鸟鸣.mp3 was not deleted"
left=("$PROGRAM_DIR"/Music/*)
((${#left[@]} == 3)) || fail "more than the selected file went: ${left[*]##*/}"
keys_to 音乐编辑 Escape
wait_for "[[ -z \$(dialog_window 音乐编辑) ]]" 5 || fail "Escape did not close the music library"
keys_to 设置 Escape
wait_for "[[ -z \$(dialog_window 设置) ]]" 5 || fail "Escape did not close 设置"

# Closing the library started the one-minute interval anew.
wait_for "break_showing" 75 || fail "no break a minute after the library closed"
record_start "$DESKTOP_DIR/break.wav"
sleep 6
record_stop
for band in "400 480 轻音乐.mp3" "620 700 二胡.wma" "840 920 c.mid"; do
    read -r low high name <<<"$band"
    rms=$(band_rms "$DESKTOP_DIR/break.wav" "$low" "$high")
    greater "$rms" 0.002 || fail "$name was not heard during the break (RMS $rms in $low-$high Hz)"
done

xdotool key --window "$(break_window)" Escape
wait_for "! break_showing" 5 || fail "Escape did not end the break"
record_start "$DESKTOP_DIR/after.wav"
sleep 2
record_stop
rms=$(audio_rms "$DESKTOP_DIR/after.wav")
greater 0.0005 "$rms" || fail "the music went on after Escape (RMS $rms)"
program_running || fail "the program ended with the break"
echo "PASS"
