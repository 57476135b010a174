#!/usr/bin/env bash
# Velunor on KWin under Wayland: the virtual backend with two outputs of 1920x1080, installed by
# scripts/install, its clock ten times fast. At a break the scene and a cover are full-screen on
# the two outputs; Meta+W, Alt+Tab and a workspace switch (Ctrl+F2) are held, with no question; a
# window opened during the break stays below it, and neither it nor the one before gets a key;
# Escape ends it. Skips where KWin is missing.
source "$(dirname "$0")/velunor-e2e.sh"
source "$(dirname "$0")/lib/wayland-desktop.sh"

desktop_init kwin kwin_wayland dbus-run-session wayland-scanner gcc
DESKTOP_VARS=(XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=KDE WAYLAND_DISPLAY=wayland-velunor
    KWIN_WAYLAND_NO_PERMISSION_CHECKS=1)
xml=/usr/share/plasma-wayland-protocols/fake-input.xml
wayland-scanner client-header "$xml" "$DIR/fake-input-client.h" && wayland-scanner private-code "$xml" "$DIR/fake-input.c"
gcc -o "$DIR/fakeinput" -I"$DIR" "$VELUNOR_SOURCE_DIR/tests/e2e/lib/desktops/fakeinput.c" "$DIR/fake-input.c" \
    $(pkg-config --cflags --libs wayland-client) || fail "the fake-input client did not build"
install_program
# The package's kwin_wayland carries a file capability that a container refuses; a copy has none.
install -m 755 "$(command -v kwin_wayland)" "$DIR/kwin_wayland"
session_start "$DIR/kwin_wayland" --virtual --width 1920 --height 1080 --output-count 2 --socket wayland-velunor
wait_for '[[ -S $DIR/run/wayland-velunor ]] && as_user gdbus call --session -d org.kde.KWin -o /KWin -m org.kde.KWin.supportInformation' 60 ||
    { echo "SKIP: KWin did not start: $(tail -n 3 "$DIR/session.log")" && exit 77; }
# evdev codes: 1 Escape, 15 Tab, 17 W, 29 Ctrl, 30 A, 56 Alt, 60 F2, 125 Meta
key() { as_user "$DIR/fakeinput" "$@" && sleep 0.5; }

# "caption output fs=BOOL active=BOOL" a line, bottom of the stack first; a KWin script prints them
# into KWin's output.
windows() {
    local mark=w$RANDOM$RANDOM
    cat >"$DIR/$mark.js" <<JS
workspace.clientList().filter(c => c.normalWindow).sort((a, b) => a.stackingOrder - b.stackingOrder)
    .forEach(c => print("$mark " + [c.caption, c.screen, "fs=" + c.fullScreen, "active=" + c.active].join(" ")));
print("$mark end");
JS
    as_user gdbus call --session -d org.kde.KWin -o /Scripting -m org.kde.kwin.Scripting.loadScript "$DIR/$mark.js" "$mark" >/dev/null
    as_user gdbus call --session -d org.kde.KWin -o /Scripting -m org.kde.kwin.Scripting.start >/dev/null
    wait_for 'grep -aq "$mark end" "$DIR/session.log"' 3
    as_user gdbus call --session -d org.kde.KWin -o /Scripting -m org.kde.kwin.Scripting.unloadScript "$mark" >/dev/null
    rm "$DIR/$mark.js"
    grep -a "^.*$mark " "$DIR/session.log" | sed "s/.*$mark //" | grep -v '^end$'
}
break_held() { [[ $(windows) == *"Velunor 0 fs=true active=true"* && $(windows) == *"velunor 1 fs=true"* ]]; }
start_as_user shortcuts dbus-monitor --session "interface='org.kde.kglobalaccel.Component',member='globalShortcutPressed'"
fired() { grep -c "string \"$1\"" "$DIR/shortcuts.log"; }

keylog_window before
wait_for '[[ $(windows) == *"before 0 fs=false active=true"* ]]' 10 || fail "the window of another program did not show"
key 125 17 && key 1 && key 56 15 && key 29 60
for shortcut in Overview "Walk Through Windows" "Switch to Desktop 2"; do
    wait_for '(($(fired "$shortcut") == 1))' 3 || fail "$shortcut did not fire before the break"
done
: >"$DIR/before.keys"

start_program_fast
check "the break is not full-screen on both outputs with the keyboard: $(windows)" wait_for break_held 30
key 125 17 && key 56 15 && key 29 60
check "a key left the break: $(windows)" break_held
check "a shortcut fired during the break" eval \
    '(($(fired Overview) + $(fired "Walk Through Windows") + $(fired "Switch to Desktop 2") == 3))'
keylog_window during
wait_for '[[ $(windows) == *during* ]]' 10 && key 30
check "a window opened during the break came above it or got the keyboard: $(windows)" \
    eval '[[ $(windows | sed -n "/^during /,\$p") == *"Velunor 0 fs=true active=true"* ]]'
check "keys typed during the break reached another window" eval 'no_keys before && no_keys during'
key 1
check "Escape did not end the break" wait_for '[[ $(windows) != *elunor* ]]' 3
as_user "$PROGRAM_DIR/velunor" --quit >/dev/null || fail "--quit did not end Velunor"
desktop_done
