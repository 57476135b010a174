# shellcheck shell=bash
# A desktop shell on Wayland without a screen (GNOME Shell or KWin), with Velunor installed by
# scripts/install into a fresh home, all of it run by a test user of its own (the shells refuse
# root, and a fresh home keeps earlier answers out). Sourced after velunor-e2e.sh:
#
#   desktop_init NAME TOOL...   skips (77) where a tool or the test user is missing; makes DIR
#   as_user CMD...              a command of the test user's in the session (DIR/run/session.env)
#   start_as_user NAME CMD...   the same in the background, its output in DIR/NAME.log
#   session_start CMD...        the shell in a session bus of its own, as the test user
#   install_program             scripts/install into the test user's home: PROGRAM_DIR
#   start_program_fast          Velunor with its wall clock running ten times fast
#   check WHAT CONDITION...     FAIL lines for what does not hold; desktop_done ends the test
#
# At the end every process whose environment names DIR's runtime folder is ended.

readonly test_user=velunor-desktop
DIR=
DESKTOP_VARS=()
failures=0

desktop_init() {
    local name=$1 tool
    shift
    for tool; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed (scripts/setup)" && exit 77; }
    done
    ((EUID == 0)) || { echo "SKIP: the desktop runs as a test user, which only root can switch to" && exit 77; }
    id -u "$test_user" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$test_user" ||
        { echo "SKIP: no test user $test_user could be made" && exit 77; }
    DIR=$(mktemp -d "${TMPDIR:-/tmp}/velunor-$name.XXXXXX")
    chmod 755 "$DIR" && chown "$test_user:" "$DIR"
    mkdir -p "$DIR/home" "$DIR/run" && chmod 700 "$DIR/run"
    [[ -d /tmp/.X11-unix ]] || install -d -m 1777 /tmp/.X11-unix  # Xwayland's sockets
    trap desktop_stop EXIT
    trap "exit 143" TERM INT  # a test killed for its time still ends its desktop
}

_user_env() {
    echo PATH=/usr/bin:/bin HOME="$DIR/home" USER="$test_user" XDG_RUNTIME_DIR="$DIR/run" LANG=C.UTF-8 \
        "${DESKTOP_VARS[@]}" $(cat "$DIR/run/session.env" 2>/dev/null)
}
as_user() { runuser -u "$test_user" -- env -i $(_user_env) "$@"; }
start_as_user() {
    local name=$1
    shift
    as_user "$@" </dev/null >>"$DIR/$name.log" 2>&1 &
}

# The shell's session bus goes to DIR/run/session.env once the bus is up. A bus of the test user's
# stands in for the system bus, whose services the shells only ask and can do without.
session_start() {
    chown -R "$test_user:" "$DIR/home" "$DIR/run"
    DESKTOP_VARS+=(DBUS_SYSTEM_BUS_ADDRESS="unix:path=$DIR/run/system_bus")
    start_as_user system-bus dbus-daemon --session --nofork --address="unix:path=$DIR/run/system_bus"
    wait_for '[[ -S $DIR/run/system_bus ]]' 5
    start_as_user session dbus-run-session -- sh -c \
        'echo "DBUS_SESSION_BUS_ADDRESS=$DBUS_SESSION_BUS_ADDRESS" >"$0.new" && mv "$0.new" "$0" && exec "$@"' \
        "$DIR/run/session.env" "$@"
}

desktop_stop() {
    local p pids i
    set +e  # processes end on their own meanwhile
    for ((i = 0; i < 30; i++)); do
        pids=$(for p in $(ps -u "$test_user" -o pid=); do
            { tr '\0' '\n' <"/proc/$p/environ"; } 2>/dev/null | grep -qxF "XDG_RUNTIME_DIR=$DIR/run" && echo "$p"
        done)
        [[ -n $pids ]] || break
        kill -"$( ((i < 20)) && echo TERM || echo KILL)" $pids 2>/dev/null
        sleep 0.2
    done
    mountpoint -q "$DIR/run/doc" 2>/dev/null && umount -l "$DIR/run/doc"
    [[ -n ${DESKTOP_KEEP:-} ]] && echo "kept: $DIR" || rm -rf "$DIR"
}

# As the user would: scripts/install, whose GNOME settings go to the test user's own dconf through a
# bus of its own. More GNOME settings can follow as "SCHEMA KEY VALUE" arguments.
install_program() {
    HOME=$DIR/home XDG_RUNTIME_DIR=$DIR/run dbus-run-session -- bash -c '
        "$0" --from "$1" && shift && while (($# >= 3)); do gsettings set "$1" "$2" "$3"; shift 3; done' \
        "$VELUNOR_SOURCE_DIR/scripts/install" "$VELUNOR_BUILD_DIR" "$@" >"$DIR/install.log" 2>&1 ||
        fail "scripts/install failed: $(tail -n 5 "$DIR/install.log")"
    PROGRAM_DIR=$DIR/home/.local/lib/velunor
}

# A break every minute (six seconds here), ten minutes long.
start_program_fast() {
    write_config "SetTime=1" "RunTime=10" "BFirst=false"
    chown -R "$test_user:" "$DIR/home"
    start_as_user velunor env FAKETIME="+0 x10" FAKETIME_DONT_FAKE_MONOTONIC=1 \
        LD_PRELOAD="$(echo /usr/lib/*/faketime/libfaketime.so.1)" "$PROGRAM_DIR/velunor"
}
keylog_window() { start_as_user "$1" python3 "$VELUNOR_SOURCE_DIR/tests/e2e/lib/desktops/keylog-window.py" "$1" "$DIR/$1.keys"; }
no_keys() { [[ ! -s $DIR/$1.keys ]]; }

check() {
    local what=$1
    shift
    "$@" || { echo "FAIL: $what" && failures=$((failures + 1)); }
}
desktop_done() {
    ((failures == 0)) || { tail -n 20 "$DIR/velunor.log" && exit 1; }
    echo "PASS"
}
