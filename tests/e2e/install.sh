#!/usr/bin/env bash
# scripts/install for a user whose home is fresh: the launcher validates and starts the program
# into the tray, an update ends the running program and keeps the user's music, and
# --uninstall leaves no program, launcher, icon or start-at-logon entry behind but the music.
source "$(dirname "$0")/velunor-e2e.sh"

desktop_start || fail "the private desktop did not start"
export XDG_DATA_HOME=$HOME/.local/share
program_dir=$HOME/.local/lib/velunor
launcher=$XDG_DATA_HOME/applications/velunor.desktop
install_log=$DESKTOP_DIR/install.log
install() {
    "$VELUNOR_SOURCE_DIR/scripts/install" "$@" >>"$install_log" 2>&1 || fail "scripts/install $* failed: $(tail -n 5 "$install_log")"
}
installed_program_pid() {
    local exe
    for exe in /proc/[0-9]*/exe; do
        [[ $(readlink "$exe" 2>/dev/null) == "$program_dir/velunor" ]] && basename "${exe%/exe}" && return 0
    done
    return 1
}

install --from "$VELUNOR_BUILD_DIR"
desktop-file-validate "$launcher" || fail "the launcher does not validate"
[[ -s $XDG_DATA_HOME/icons/hicolor/scalable/apps/velunor.svg &&
    -s $XDG_DATA_HOME/icons/hicolor/48x48/apps/velunor.png ]] || fail "the icon is not in the theme"
[[ -d $program_dir/Music && -d $program_dir/Picture && -f $program_dir/版本说明.txt ]] ||
    fail "the program folder is incomplete: $(ls "$program_dir")"

(cd / && gio launch "$launcher") </dev/null >"$DESKTOP_DIR/logs/gio.log" 2>&1 || fail "gio launch failed"
wait_for installed_program_pid 10 || fail "the launcher started no program"
desktop_track_pid "$(installed_program_pid)"
wait_for tray_has_icon 15 || fail "the launched program showed no tray icon"

printf 'tune' >"$program_dir/Music/mine.mp3"
printf '[Option]\nSetTime=20\n' >"$program_dir/config.ini"
mkdir -p "$XDG_CONFIG_HOME/autostart"
printf '[Desktop Entry]\nType=Application\nName=Velunor\nExec="%s"\n' "$program_dir/velunor" \
    >"$XDG_CONFIG_HOME/autostart/Orvanta.desktop"
install --from "$VELUNOR_BUILD_DIR"
wait_for tray_empty 10 || fail "the update left the old program running"
[[ -f $program_dir/Music/mine.mp3 && $(cat "$program_dir/config.ini") == *SetTime=20* ]] ||
    fail "the update lost the user's music or settings"

install --uninstall
leftovers=$(find "$XDG_DATA_HOME" "$XDG_CONFIG_HOME/autostart" "$program_dir" -type f \
    ! -path "$program_dir/Music/*" ! -path "$program_dir/config.ini" 2>/dev/null || true)
[[ -z $leftovers ]] || fail "the uninstaller left $leftovers"
[[ -f $program_dir/Music/mine.mp3 && -f $program_dir/config.ini ]] || fail "the uninstaller took the user's files"
echo "PASS"
