#!/usr/bin/env bash
# A first run (BFirst=true): the settings dialog opens at start-up with the file's values, the tray
# icon follows with the first schedule tick while the dialog is still open, the mark is cleared so
# that the next start opens no dialog, and SIGTERM ends the program while the dialog is open. A
# second start of the same program folder hands over to the running copy, which shows its settings,
# and ends. config.ini comes as each kind of file users' editors save: plain bytes, UTF-8 with a
# byte-order mark, and UTF-16 LE ("Unicode") with its mark and CRLF line endings; whatever the
# program writes keeps the file as it was stored.
source "$(dirname "$0")/velunor-e2e.sh"

settings_showing() {
    xdotool search --onlyvisible --name '^设置$' >/dev/null 2>&1
}

# config.ini holding these lines, stored as ENCODING.
save_config() {
    local encoding=$1
    shift
    case $encoding in
    bytes) printf '%s\n' "$@" ;;
    utf8-mark) printf '\xEF\xBB\xBF' && printf '%s\n' "$@" ;;
    utf16le) printf '\xFF\xFE' && printf '%s\r\n' "$@" | iconv -f UTF-8 -t UTF-16LE ;;
    esac >"$PROGRAM_DIR/config.ini"
}

# The lines of config.ini; fails unless the file is still stored as ENCODING throughout.
config_lines() {
    local encoding=$1 file=$PROGRAM_DIR/config.ini mark
    mark=$(head -c 3 "$file" | od -An -tx1 | tr -d ' \n')
    case $encoding in
    bytes) [[ $mark != efbbbf && $mark != fffe* ]] && cat "$file" ;;
    utf8-mark) [[ $mark == efbbbf ]] && tail -c +4 "$file" ;;
    # Every line ends in CRLF, the last one too, and no single byte breaks the UTF-16.
    utf16le) [[ $mark == fffe* ]] && tail -c +3 "$file" | iconv -f UTF-16LE -t UTF-8 |
        sed -n '/\r$/!q1; s/\r$//p' ;;
    esac
}

expect_config() {
    local encoding=$1 what=$2 text
    shift 2
    text=$(config_lines "$encoding") || fail "$encoding: config.ini is no longer $encoding"
    [[ $text == "$(printf '%s\n' "$@")" ]] || fail "$encoding: $what: $text"
}

e2e_setup
for encoding in bytes utf8-mark utf16le; do
    save_config "$encoding" "[Option]" "BFirst=true" "BStart=false" "SetTime=30" "RunTime=4" \
        "[Other]" "Name=眼睛"
    start_program
    wait_for settings_showing 15 || fail "$encoding: the settings dialog did not open on a first run"
    wait_for tray_has_icon 5 || fail "$encoding: no tray icon while the first-run dialog is open"
    settings_showing || fail "$encoding: the settings dialog closed by itself"
    expect_config "$encoding" "BFirst was not cleared, or more changed" "[Option]" "BFirst=false" \
        "BStart=false" "SetTime=30" "RunTime=4" "[Other]" "Name=眼睛"

    # Saved with a new break length, the dialog writes what it shows: the file's other values.
    dialog=$(xdotool search --onlyvisible --name '^设置$' | head -n1)
    xdotool windowfocus --sync "$dialog" key Tab Tab Tab Tab ctrl+a 7 Tab space
    wait_for "config_lines $encoding | grep -qx RunTime=7" 5 || fail "$encoding: nothing saved"
    expect_config "$encoding" "the dialog did not show the file's values" "[Option]" \
        "BFirst=false" "BStart=false" "SetTime=30" "RunTime=7" "[Other]" "Name=眼睛"
    wait_for "xdotool search --onlyvisible --name '^Velunor$'" 5 || fail "$encoding: no 保存成功"
    xdotool key Return

    kill -TERM "$PROGRAM_PID"
    wait_program_exit 10
    ((PROGRAM_STATUS == 0)) || fail "$encoding: SIGTERM with the dialog open did not end the program"
    wait_for tray_empty 5 || fail "$encoding: the tray icon stayed after SIGTERM with the dialog open"

    # The second start shows no dialog.
    start_program
    wait_for tray_has_icon 15 || fail "$encoding: no tray icon on the second start"
    sleep 1.5
    ! settings_showing || fail "$encoding: the settings dialog opened again on the second start"

    # Another start of the same folder ends soon; the running copy shows its settings.
    running=$PROGRAM_PID
    start_program
    wait_program_exit 5
    PROGRAM_PID=$running
    wait_for settings_showing 5 || fail "$encoding: a second start did not bring up the settings"
    (($(tray_icon_count) == 1)) || fail "$encoding: expected one tray icon, found $(tray_icon_count)"

    # Escape closes the dialog without storing anything; the program stays in the tray.
    xdotool windowfocus --sync "$(xdotool search --onlyvisible --name '^设置$' | head -n1)" key Escape
    wait_for "! settings_showing" 5 || fail "$encoding: Escape did not close the settings dialog"
    program_running || fail "$encoding: closing the settings dialog ended the program"
    kill -TERM "$PROGRAM_PID"
    wait_program_exit 10
done
echo "PASS"
