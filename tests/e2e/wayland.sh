#!/usr/bin/env bash
# Velunor on Wayland: a headless sway with two outputs, 1280x720 on the left (Qt's primary screen)
# and 1920x1080 beside it, with a terminal that records what it is typed. A break is full-screen on
# the primary output and the other output is covered in black; keys typed during the break reach
# no other window, Mod4+3 (a workspace switch) does not leave it, neither from the scene nor from
# the cover after a click there, a window opened meanwhile does not come above it, and Escape ends
# it. A bar started after Velunor shows its icon, registered once, and activating the icon opens
# 设置. The launcher's 退出 action ends the running copy and takes its icon away; with none
# running, --quit says so and fails.
#
# sway refuses to run as root, so as root everything on the Wayland side runs as a test user of its
# own (made here when missing), otherwise as the user running the test. WAYLAND_SHOTS=FOLDER keeps
# a picture of the break there.
source "$(dirname "$0")/velunor-e2e.sh"

readonly test_user=velunor-wayland
for tool in sway swaymsg swaybar grim wtype foot dbus-run-session; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/setup)" && exit 77; }
done
if ((EUID == 0)) && ! id -u "$test_user" >/dev/null 2>&1; then
    useradd --system --no-create-home --shell /usr/sbin/nologin "$test_user" ||
        { echo "SKIP: sway will not run as root, and no user $test_user could be made" && exit 77; }
fi

DIR=$(mktemp -d "${TMPDIR:-/tmp}/velunor-wayland.XXXXXX")
PROGRAM_DIR=$DIR/Velunor
runner=()
((EUID != 0)) || runner=(runuser -u "$test_user" --)
sway_pid=
# dbus-run-session ends its bus only when sway ends by itself; a signal would leave the bus behind.
stop() {
    as_user swaymsg exit >/dev/null 2>&1 || true
    [[ -z $sway_pid ]] || wait_for "! _desktop_alive $sway_pid" 5 || _desktop_end TERM "$sway_pid"
    rm -rf "$DIR"
}
trap stop EXIT

# A command of the test user's inside the sway session.
as_user() {
    "${runner[@]}" env -i PATH="$PATH" HOME="$DIR" XDG_RUNTIME_DIR="$DIR/run" QT_QPA_PLATFORM=wayland \
        $(grep -E '^(WAYLAND_DISPLAY|SWAYSOCK|DBUS_SESSION_BUS_ADDRESS)=' "$DIR/env") "$@"
}
# Starts a command of the test user's in the background; its process id goes to the file.
start_as_user() {
    local pidfile=$1
    shift
    # shellcheck disable=SC2016 # expanded by the user's shell
    as_user sh -c 'echo $$ >"$0"; exec "$@"' "$pidfile" "$@" </dev/null >>"$PROGRAM_DIR/velunor.log" 2>&1 &
}

# One line per window: output, title, full-screen (0 or 1), visible, focused.
windows() {
    as_user swaymsg -t get_tree | python3 -c '
import json, sys
def walk(node, output):
    output = node["name"] if node["type"] == "output" else output
    if node["type"] in ("con", "floating_con") and node.get("pid"):
        print(output, node["name"], node["fullscreen_mode"], int(node["visible"]), int(node["focused"]))
    for child in node["nodes"] + node["floating_nodes"]:
        walk(child, output)
walk(json.load(sys.stdin), None)'
}
break_shown() {
    [[ $(windows) == *"HEADLESS-1 Velunor 1 1 1"* && $(windows) == *"HEADLESS-2 velunor 1 1 0"* ]]
}
# The scene in the middle of the primary output, black beside it and on all of the other output.
break_pictured() {
    as_user grim "$DIR/break.png"
    [[ $(brightest "$DIR/break.png" 1920x1080+1280+0) == 0 && $(brightest "$DIR/break.png" 100x720+0+0) == 0 &&
        $(brightest "$DIR/break.png" 800x600+240+60) != 0 ]]
}
brightest() { convert "$1" -crop "$2" +repage -colorspace Gray -format '%[fx:maxima]' info:; }
sni_items() {
    as_user gdbus call --session -d org.kde.StatusNotifierWatcher -o /StatusNotifierWatcher \
        -m org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierWatcher RegisteredStatusNotifierItems
}

mkdir -p "$DIR/run" "$PROGRAM_DIR/Music" "$PROGRAM_DIR/Picture"
chmod 755 "$DIR" && chmod 700 "$DIR/run"
cp "$VELUNOR_BIN" "$(dirname "$VELUNOR_BIN")"/{velunor-player,libvelunor-wayland.so} "$PROGRAM_DIR/"
# A break a second or two after the start, lasting long enough for the checks (the wall clock
# runs forty times fast for the program only).
write_config "SetTime=0" "RunTime=30"
: >"$DIR/env" && : >"$DIR/typed"
cat >"$DIR/sway.conf" <<CONF
exec env >$DIR/env
output HEADLESS-1 mode 1280x720 position 0 0
output HEADLESS-2 mode 1920x1080 position 1280 0
workspace 1 output HEADLESS-1
workspace 2 output HEADLESS-2
bindsym Mod4+3 workspace number 3
bar {
    id bar0
    swaybar_command true
}
CONF
((EUID != 0)) || chown -R "$test_user" "$DIR"

"${runner[@]}" env -i PATH="$PATH" HOME="$DIR" XDG_RUNTIME_DIR="$DIR/run" WLR_BACKENDS=headless \
    WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman WLR_HEADLESS_OUTPUTS=1 \
    dbus-run-session -- sway -c "$DIR/sway.conf" </dev/null >"$DIR/sway.log" 2>&1 &
sway_pid=$!
wait_for "grep -q SWAYSOCK '$DIR/env'" 15 || fail "sway did not start: $(tail -n 3 "$DIR/sway.log")"
as_user swaymsg create_output >/dev/null || fail "no second output"
start_as_user "$DIR/foot.pid" foot -T typed sh -c "stty raw -echo; cat >$DIR/typed"
wait_for '[[ $(windows) == *"HEADLESS-1 typed 0 1 1"* ]]' 10 || fail "the recording terminal did not show"

start_as_user "$DIR/velunor.pid" env FAKETIME="+0 x40" FAKETIME_DONT_FAKE_MONOTONIC=1 \
    LD_PRELOAD="$(echo /usr/lib/*/faketime/libfaketime.so.1)" "$PROGRAM_DIR/velunor"
wait_for break_shown 15 || fail "the break is not full-screen on both outputs: $(windows)"
# The outputs show the new windows a frame or two after sway has placed them.
wait_for break_pictured 5 || fail "the outputs do not show the break"
[[ -z ${WAYLAND_SHOTS:-} ]] || cp "$DIR/break.png" "$WAYLAND_SHOTS/break-wayland.png"

as_user wtype -s 300 'typed during the break'
as_user wtype -s 300 -M logo -k 3 -m logo
start_as_user "$DIR/other.pid" foot -T other sleep 60
sleep 1
break_shown || fail "the break was left or covered: $(windows)"
# A click on the other output gives its cover the keyboard; the shortcuts stay held there too.
as_user swaymsg 'seat seat0 cursor set 2000 500; seat seat0 cursor press button1; seat seat0 cursor release button1' >/dev/null
as_user wtype -s 300 -M logo -k 3 -m logo
sleep 1
[[ $(windows) == *"HEADLESS-2 velunor 1 1 1"* ]] || fail "Mod4+3 on the cover left the break: $(windows)"
as_user wtype -s 300 -k Escape
wait_for '[[ $(windows) != *elunor* ]]' 5 || fail "Escape did not end the break: $(windows)"
[[ ! -s $DIR/typed ]] || fail "keys typed during the break reached the terminal: $(cat "$DIR/typed")"

start_as_user "$DIR/registrations.pid" dbus-monitor --session "member='RegisterStatusNotifierItem'"
sleep 1
start_as_user "$DIR/bar.pid" swaybar -b bar0
wait_for '[[ $(sni_items) == *StatusNotifierItem* ]]' 10 || fail "no icon in a bar started later"
sleep 1
(($(grep -c member=RegisterStatusNotifierItem "$PROGRAM_DIR/velunor.log") == 1)) || fail "more than one icon registered"
item=$(sni_items | grep -o "[^']*/StatusNotifierItem" | head -n1)
as_user gdbus call --session -d "${item%%/*}" -o "/${item#*/}" -m org.kde.StatusNotifierItem.Activate 0 0 \
    >/dev/null || fail "the icon did not take the click"
wait_for '[[ $(windows) == *" 设置 "* ]]' 5 || fail "a click on the icon did not open 设置"

program=$PROGRAM_DIR/velunor
action=$(sed -n '/^\[Desktop Action quit\]/,/^$/s/^Exec=//p' "$VELUNOR_SOURCE_DIR/packaging/linux/velunor.desktop.in")
as_user sh -c "${action//@VELUNOR_EXEC@/\"$program\"}" || fail "the launcher's 退出 failed"
wait_for "! _desktop_alive $(cat "$DIR/velunor.pid")" 5 || fail "Velunor still runs after 退出"
wait_for '[[ $(sni_items) != *StatusNotifierItem* ]]' 5 || fail "the icon stayed after 退出"
! as_user "$program" --quit 2>"$DIR/quit.err" || fail "--quit with no Velunor running succeeded"
[[ -s $DIR/quit.err ]] || fail "--quit with no Velunor running said nothing"
echo "PASS"
