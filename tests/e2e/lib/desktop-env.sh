# shellcheck shell=bash
# A private desktop for end-to-end tests: an Xvfb screen, a session bus, an XEmbed tray (trayer) and a
# PulseAudio server with one null sink, all living in one temporary folder and gone again on exit.
#
# It works as root in a fresh machine with no login session, no stdin and no prior state, which is how
# CI runs it. Source it, then:
#
#   desktop_start                 start everything; exports DISPLAY, DBUS_SESSION_BUS_ADDRESS, PULSE_SERVER,
#                                 HOME, XDG_* and DESKTOP_DIR; installs an EXIT trap calling desktop_stop
#   desktop_stop                  stop everything it started, restore the environment, remove DESKTOP_DIR
#   desktop_track_pid PID         have desktop_stop end PID too (e.g. the program under test)
#   record_start FILE             record what reaches the null sink into a WAV file
#   record_stop                   finish that recording
#   audio_rms FILE                print the RMS amplitude of a sound file (0 .. 1)
#   screenshot FILE               save the whole screen (PNG, JPG... by extension)
#   tray_icon_count               print how many icons sit in the tray
#   tray_has_icon                 succeed when the tray holds at least one icon
#   wait_for 'CMD' TIMEOUT        run CMD (eval'ed) until it succeeds or TIMEOUT seconds pass
#
# Set DESKTOP_KEEP=1 to keep DESKTOP_DIR (logs/ holds each server's output) after desktop_stop.
# DESKTOP_SCREEN (default 1280x800x24) sets the screen size.

DESKTOP_DIR=${DESKTOP_DIR:-}
DESKTOP_SINK=auto_null
_desktop_pids=()
_desktop_saved_env=()
_desktop_record_pid=

_desktop_log() {
    echo "desktop-env: $*" >&2
}

# Runs CMD until it succeeds. Polling at 0.1 s keeps tests quick without burning a core.
wait_for() {
    local cmd=$1 timeout=${2:-10}
    local deadline=$((SECONDS + ${timeout%.*} + 1))
    while ! eval "$cmd" >/dev/null 2>&1; do
        if ((SECONDS >= deadline)); then
            return 1
        fi
        sleep 0.1
    done
}

# Remembers a variable's value (or that it was unset) so desktop_stop can put the caller's environment back.
_desktop_set() {
    local name=$1 value=$2
    if [[ -v $name ]]; then
        _desktop_saved_env+=("$name=${!name}")
    else
        _desktop_saved_env+=("$name")
    fi
    export "$name=$value"
}

_desktop_restore_env() {
    local entry i
    for ((i = ${#_desktop_saved_env[@]} - 1; i >= 0; i--)); do
        entry=${_desktop_saved_env[i]}
        if [[ $entry == *=* ]]; then
            export "${entry%%=*}=${entry#*=}"
        else
            unset "$entry"
        fi
    done
    _desktop_saved_env=()
}

desktop_track_pid() {
    _desktop_pids+=("$1")
}

_desktop_start_x() {
    local displayfile=$DESKTOP_DIR/display
    : >"$displayfile"
    # -displayfd lets the server pick a free display number itself, so parallel runs never collide.
    Xvfb -displayfd 3 -screen 0 "${DESKTOP_SCREEN:-1280x800x24}" -nolisten tcp \
        -noreset 3>"$displayfile" </dev/null >"$DESKTOP_DIR/logs/xvfb.log" 2>&1 &
    desktop_track_pid $!
    if ! wait_for "[[ -s '$displayfile' ]]" 10; then
        _desktop_log "Xvfb did not start (see $DESKTOP_DIR/logs/xvfb.log)"
        return 1
    fi
    _desktop_set DISPLAY ":$(head -n1 "$displayfile")"
    wait_for "xdpyinfo" 10
}

_desktop_start_dbus() {
    local out
    out=$(dbus-daemon --session --fork --nopidfile --print-address=1 --print-pid=1 \
        --address="unix:path=$DESKTOP_DIR/bus" </dev/null 2>"$DESKTOP_DIR/logs/dbus.log") || {
        _desktop_log "dbus-daemon did not start (see $DESKTOP_DIR/logs/dbus.log)"
        return 1
    }
    _desktop_set DBUS_SESSION_BUS_ADDRESS "$(sed -n 1p <<<"$out")"
    desktop_track_pid "$(sed -n 2p <<<"$out")"
}

# PulseAudio refuses nothing as root when it is started in user mode with its own script: it only warns.
# Loading just a null sink and a private socket keeps it away from real hardware and from any other server.
_desktop_start_pulse() {
    local dir=$DESKTOP_DIR/pulse
    mkdir -p "$dir"
    cat >"$dir/default.pa" <<PA
load-module module-null-sink sink_name=$DESKTOP_SINK rate=44100 channels=2
load-module module-native-protocol-unix socket=$dir/native auth-anonymous=1
set-default-sink $DESKTOP_SINK
set-default-source $DESKTOP_SINK.monitor
PA
    # Clients must never autospawn a second daemon of their own if this one is slow to answer.
    printf 'autospawn = no\n' >"$dir/client.conf"
    _desktop_set PULSE_RUNTIME_PATH "$dir"
    _desktop_set PULSE_STATE_PATH "$dir/state"
    _desktop_set PULSE_CLIENTCONFIG "$dir/client.conf"
    _desktop_set PULSE_SERVER "unix:$dir/native"
    pulseaudio -n -F "$dir/default.pa" --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
        --high-priority=no --realtime=no --log-target=stderr \
        </dev/null >"$DESKTOP_DIR/logs/pulseaudio.log" 2>&1 &
    desktop_track_pid $!
    if ! wait_for "pactl info" 10; then
        _desktop_log "pulseaudio did not start (see $DESKTOP_DIR/logs/pulseaudio.log)"
        return 1
    fi
}

_desktop_trayer_window() {
    xdotool search --classname '^trayer$' 2>/dev/null | head -n1
}

_desktop_start_tray() {
    trayer --edge top --align right --widthtype request --height 24 --SetDockType true \
        --SetPartialStrut true --transparent false --tint 0x303030 \
        </dev/null >"$DESKTOP_DIR/logs/trayer.log" 2>&1 &
    desktop_track_pid $!
    if ! wait_for '[[ -n $(_desktop_trayer_window) ]]' 10; then
        _desktop_log "trayer did not start (see $DESKTOP_DIR/logs/trayer.log)"
        return 1
    fi
}

desktop_start() {
    if [[ -n $DESKTOP_DIR && -d $DESKTOP_DIR ]]; then
        _desktop_log "already started in $DESKTOP_DIR"
        return 1
    fi
    DESKTOP_DIR=$(mktemp -d "${TMPDIR:-/tmp}/velunor-desktop.XXXXXX")
    mkdir -p "$DESKTOP_DIR"/{logs,home,config,data,cache,runtime}
    chmod 700 "$DESKTOP_DIR/runtime"
    export DESKTOP_DIR DESKTOP_SINK
    trap 'desktop_stop' EXIT
    trap 'desktop_stop; exit 130' INT
    trap 'desktop_stop; exit 143' TERM

    # A home of its own keeps the user's real settings, autostart entries and sound state out of the test.
    _desktop_set HOME "$DESKTOP_DIR/home"
    _desktop_set XDG_CONFIG_HOME "$DESKTOP_DIR/config"
    _desktop_set XDG_DATA_HOME "$DESKTOP_DIR/data"
    _desktop_set XDG_CACHE_HOME "$DESKTOP_DIR/cache"
    _desktop_set XDG_RUNTIME_DIR "$DESKTOP_DIR/runtime"
    _desktop_set QT_QPA_PLATFORM xcb
    _desktop_set XAUTHORITY "$DESKTOP_DIR/home/.Xauthority"
    unset WAYLAND_DISPLAY

    _desktop_start_x && _desktop_start_dbus && _desktop_start_pulse && _desktop_start_tray || {
        desktop_stop
        return 1
    }
}

desktop_stop() {
    local i pid
    record_stop
    # Newest first: the program under test goes before the servers it talks to.
    for ((i = ${#_desktop_pids[@]} - 1; i >= 0; i--)); do
        pid=${_desktop_pids[i]}
        kill -TERM "$pid" 2>/dev/null || continue
        wait_for "! kill -0 $pid" 5 || kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    _desktop_pids=()
    trap - EXIT INT TERM
    _desktop_restore_env
    if [[ -n $DESKTOP_DIR && -d $DESKTOP_DIR && ${DESKTOP_KEEP:-0} != 1 ]]; then
        rm -rf "$DESKTOP_DIR"
    fi
    DESKTOP_DIR=
    return 0
}

record_start() {
    local file=$1
    record_stop
    parecord --device="$DESKTOP_SINK.monitor" --file-format=wav --rate=44100 --channels=2 \
        "$file" </dev/null >>"$DESKTOP_DIR/logs/parecord.log" 2>&1 &
    _desktop_record_pid=$!
    # Sound played before the stream is connected would be lost; wait until the server lists it.
    wait_for "pactl list short source-outputs | grep -q ." 5
}

record_stop() {
    [[ -n $_desktop_record_pid ]] || return 0
    # SIGINT lets parecord close the file so the WAV header holds the right length.
    kill -INT "$_desktop_record_pid" 2>/dev/null
    wait "$_desktop_record_pid" 2>/dev/null
    _desktop_record_pid=
    return 0
}

audio_rms() {
    sox "$1" -n stat 2>&1 | awk '/^RMS +amplitude:/ { print $3 }'
}

screenshot() {
    import -display "$DISPLAY" -window root "$1"
}

tray_icon_count() {
    local tray
    tray=$(_desktop_trayer_window)
    [[ -n $tray ]] || { echo 0; return 0; }
    xwininfo -tree -id "$tray"
}

tray_has_icon() {
    (($(tray_icon_count) > 0))
}
