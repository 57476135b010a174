#!/usr/bin/env bash
# Velunor on GNOME Shell under Wayland: headless, two monitors (1920x1080 primary, 1280x1024 beside
# it), installed by scripts/install, its clock ten times fast. Three breaks in one session:
#   1st: full-screen on both monitors; at most one "Allow inhibiting shortcuts" (answered Allow);
#        Super, Alt+Tab and a workspace switch held; a window opened now stays below the break and
#        neither it nor the one before gets a key; Escape ends it
#   2nd: no question any more
#   3rd: due while the Activities overview is open: full-screen with the keyboard
# and afterwards no notice of Velunor's in the message list. Skips where GNOME Shell is missing.
source "$(dirname "$0")/velunor-e2e.sh"
source "$(dirname "$0")/lib/wayland-desktop.sh"

desktop_init gnome gnome-shell gjs dbus-run-session gsettings
DESKTOP_VARS=(XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME XDG_SESSION_DESKTOP=gnome)
ext=$DIR/home/.local/share/gnome-shell/extensions
mkdir -p "$ext" && cp -r "$VELUNOR_SOURCE_DIR/tests/e2e/lib/desktops/unsafe@velunor-tests" "$ext/"
install_program org.gnome.desktop.session idle-delay 0 \
    org.gnome.shell welcome-dialog-last-shown-version "'$(gnome-shell --version | cut -d' ' -f3)'"
# scripts/install switched its own extension on; the test's unsafe mode (Eval answers) joins it.
HOME=$DIR/home dbus-run-session -- sh -c 'gsettings set org.gnome.shell enabled-extensions \
    "$(gsettings get org.gnome.shell enabled-extensions | sed "s/@as //; s/]$/, '"'unsafe@velunor-tests'"']/; s/\[, /[/")"'

session_start gnome-shell --headless --wayland --virtual-monitor 1920x1080 --virtual-monitor 1280x1024
ev() {
    as_user gdbus call --session -d org.gnome.Shell -o /org/gnome/Shell -m org.gnome.Shell.Eval "$1" |
        sed -n "s/^(true, '\(.*\)')$/\1/p" | sed 's/^"\(.*\)"$/\1/'
}
wait_for '[[ $(ev Main.layoutManager._startingUp) == false ]]' 60 ||
    { echo "SKIP: GNOME Shell did not start: $(tail -n 3 "$DIR/session.log")" && exit 77; }
mkfifo "$DIR/keys" && chown "$test_user:" "$DIR/keys"
start_as_user keys python3 "$VELUNOR_SOURCE_DIR/tests/e2e/lib/desktops/gnome-keys.py" "$DIR/keys"
wait_for 'grep -q started "$DIR/keys.log"' 10 || fail "no RemoteDesktop session: $(cat "$DIR/keys.log")"
key() {
    timeout 30 sh -c 'echo "$0" >"$1"' "$*" "$DIR/keys" || fail "the keys went nowhere: $(tail -n 3 "$DIR/keys.log")"
    sleep 0.7
}

# "title monitor FS|- FOCUS|-" a line, bottom of the stack first
windows() {
    ev 'global.get_window_actors().map(a => a.meta_window).map(w => [w.title, w.get_monitor(), w.is_fullscreen() ? "FS" : "-", w.has_focus() ? "FOCUS" : "-"].join(" ")).join(";")' |
        tr ';' '\n'
}
overview() { [[ $(ev Main.overview.visible) == true ]]; }
workspace() { ev 'global.workspace_manager.get_active_workspace_index()'; }
break_held() { [[ $(windows) == *"Velunor 0 FS FOCUS"* && $(windows) == *"velunor 1 FS"* ]] && ! overview; }
# Answers every "Allow inhibiting shortcuts" that shows within four seconds with Allow (Return) and
# counts them.
questions() {
    local n=0 i dialogs='Main.layoutManager.modalDialogGroup.get_children().filter(c => c.visible'
    for ((i = 0; i < 8; i++)); do
        n=$((n + $(ev "$dialogs && !c.counted && (c.counted = true)).length")))
        [[ $(ev "$dialogs).length") == 0 ]] || key Return
        sleep 0.5
    done
    echo "$n"
}

key Escape  # GNOME starts in its overview
# What the break must hold, working before it.
key Super_L && overview || fail "Super did not open the overview before the break"
key Escape && key Super_L Page_Down
[[ $(workspace) == 1 ]] || fail "Super+Page Down did not switch workspaces before the break"
key Super_L Page_Up
keylog_window before
wait_for '[[ $(windows) == *"before 0 - FOCUS"* ]]' 10 || fail "the window of another program did not show"

start_program_fast
wait_for '[[ $(windows) == *elunor* ]]' 30 || fail "no break: $(windows)"
questions=$(questions)
check "$questions questions at the first break" eval '((questions <= 1))'
check "the first break is not full-screen on both monitors with the keyboard: $(windows)" wait_for break_held 5
key Super_L && key Alt_L Tab && key Super_L Page_Down
check "a key left the break: $(windows), workspace $(workspace)" eval 'break_held && [[ $(workspace) == 0 ]]'
keylog_window during
wait_for '[[ $(windows) == *during* ]]' 10 && key a
check "a window opened during the break came above it or got the keyboard: $(windows)" \
    eval '[[ $(windows | sed -n "/^during /,\$p") == *"Velunor 0 FS FOCUS"* ]] && break_held'
check "keys typed during the break reached another window" eval 'no_keys before && no_keys during'
key Escape
check "Escape did not end the break" wait_for '[[ $(windows) != *elunor* ]]' 3

wait_for '[[ $(windows) == *elunor* ]]' 15 || fail "no second break"
check "a question at the second break, after Allow" eval '(($(questions) == 0))'
key Escape
wait_for '[[ $(windows) != *elunor* ]]' 3 && key Super_L
check "the overview did not open between the breaks" overview
check "a break due while the overview was open is not in front with the keyboard: $(windows)" \
    wait_for break_held 15
key Escape
notices='Main.messageTray.getSources().filter(s => /elunor/i.test(s.title)).reduce((n, s) => n + s.notifications.length, 0)'
check "notices of Velunor's left in the message list" eval '[[ $(ev "$notices") == 0 ]]'
as_user "$PROGRAM_DIR/velunor" --quit >/dev/null || fail "--quit did not end Velunor"
desktop_done
