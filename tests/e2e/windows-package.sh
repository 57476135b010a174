#!/usr/bin/env bash
# The Windows installer under Wine, in a fresh prefix: a silent install puts the program folder in
# place with its shortcut and uninstall entry, the program starts into the tray, an update install
# ends it and keeps the user's music, and the silent uninstaller ends it again and removes the
# program, the shortcut, the uninstall entry and its start-at-logon value, but not the music.
#
# Packages the Velunor.exe of the Windows build (VELUNOR_EXE).
source "$(dirname "$0")/velunor-e2e.sh"

desktop_start || fail "the private desktop did not start"
"$VELUNOR_SOURCE_DIR/scripts/package" --exe "$VELUNOR_EXE" --dist "$DESKTOP_DIR/dist" \
    >"$DESKTOP_DIR/logs/package.log" 2>&1 || fail "scripts/package failed: $(tail -n 5 "$DESKTOP_DIR/logs/package.log")"
setup_exe=$(echo "$DESKTOP_DIR"/dist/Velunor-*-win64-setup.exe)

wine_start || fail "the Wine prefix could not be made"
user_dir=$(echo "$WINEPREFIX"/drive_c/users/*/AppData/Local)
PROGRAM_DIR=$user_dir/Programs/Velunor
shortcut=$(dirname "$user_dir")/Roaming/Microsoft/Windows/Start\ Menu/Programs/Velunor.lnk
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velunor'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'

start_installed_program() {
    wine "$PROGRAM_DIR/Velunor.exe" </dev/null >>"$DESKTOP_DIR/logs/velunor.log" 2>&1 &
    desktop_track_pid $!
    wait_for tray_has_icon 20 || fail "the installed program showed no tray icon"
}

wine "$setup_exe" /S || fail "the silent install failed"
for file in Velunor.exe 版本说明.txt help.html uninstall.exe Music Picture; do
    [[ -e $PROGRAM_DIR/$file ]] || fail "the install left out $file"
done
[[ -f $shortcut ]] || fail "no Start-menu shortcut"
[[ $(wine reg query "$uninstall_key" /v UninstallString) == *uninstall.exe* ]] || fail "no uninstall entry"

start_installed_program
printf 'tune' >"$PROGRAM_DIR/Music/mine.mp3"
wine "$setup_exe" /S || fail "the update install failed"
wait_for tray_empty 10 || fail "the update install left the old program running"
[[ -f $PROGRAM_DIR/Music/mine.mp3 ]] || fail "the update install lost the user's music"

start_installed_program
wine reg add "$run_key" /v Orvanta /d "\"$(winepath -w "$PROGRAM_DIR/Velunor.exe")\"" /f >/dev/null
wine "$PROGRAM_DIR/uninstall.exe" /S || fail "the silent uninstall failed"
# The uninstaller works on from a copy of itself for about a second after it returns.
wait_for "[[ ! -e '$PROGRAM_DIR/uninstall.exe' ]]" 15 || fail "the uninstaller did not finish"
wait_for tray_empty 10 || fail "the uninstaller left the program running"
leftovers=$(find "$PROGRAM_DIR" -type f ! -path "$PROGRAM_DIR/Music/mine.mp3" 2>/dev/null || true)
[[ -z $leftovers && ! -e $shortcut ]] || fail "the uninstaller left $leftovers $shortcut"
! wine reg query "$uninstall_key" >/dev/null 2>&1 || fail "the uninstall entry stayed"
! wine reg query "$run_key" /v Orvanta >/dev/null 2>&1 || fail "the start-at-logon value stayed"
[[ -f $PROGRAM_DIR/Music/mine.mp3 ]] || fail "the uninstaller took the user's music"
echo "PASS"
