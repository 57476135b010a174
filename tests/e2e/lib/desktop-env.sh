# shellcheck shell=bash
# A private desktop for end-to-end tests: an Xvfb screen, a session bus, an XEmbed tray (trayer) and a
# PulseAudio server with one null sink, all living in one temporary folder and gone again on exit.
#
# It works as root in a fresh machine with no login session, no stdin and no prior state, which is how
# CI runs it. Source it, then:
#
#   desktop_start                 start everything and install an EXIT trap calling desktop_stop
#   desktop_stop                  stop everything it started and remove DESKTOP_DIR
#   desktop_track_pid PID         have desktop_stop end PID too (e.g. the program under test)
#   record_start FILE             record what reaches the null sink into a WAV file
#   record_stop                   finish that recording
#   audio_rms FILE                print the RMS amplitude of a sound file (0 .. 1)
#   screenshot FILE               save the whole screen (PNG, JPG... by extension)
#   tray_icon_count               print how many icons sit in the tray
#   tray_has_icon                 succeed when the tray holds at least one icon
#   wait_for 'CMD' TIMEOUT        run CMD (eval'ed) until it succeeds or TIMEOUT seconds pass
#   window_manager_start          openbox as the window manager, with its stock shortcuts (Alt+Tab)
#   wine_start                    a fresh Wine prefix inside DESKTOP_DIR for Windows programs, its
#                                 Chinese font names mapped to an installed face, window frames drawn
#                                 by Wine, and one wineserver kept up until desktop_stop
#
# desktop_start exports DISPLAY, DBUS_SESSION_BUS_ADDRESS, PULSE_SERVER (plus PULSE_RUNTIME_PATH,
# PULSE_STATE_PATH, PULSE_CLIENTCONFIG), HOME, XDG_CONFIG_HOME, XDG_DATA_HOME, XDG_CACHE_HOME,
# XDG_RUNTIME_DIR, XAUTHORITY, QT_QPA_PLATFORM=xcb, DESKTOP_DIR and DESKTOP_SINK (the null sink's name).
#
# Set DESKTOP_KEEP=1 to keep DESKTOP_DIR (logs/ holds each server's output) after desktop_stop.
# DESKTOP_SCREEN (default 1280x800x24) sets the screen size. DESKTOP_MONITORS splits it into monitors
# named monitor0, monitor1..., the first one primary, e.g. "1920x1080+0+0 1280x1024+1920+0"; the
# screen's own monitor stays listed beside them.

DESKTOP_DIR=${DESKTOP_DIR:-}
DESKTOP_SINK=auto_null
_desktop_pids=()
_desktop_record_pid=

# Says which server failed and where its output went; fails.
_desktop_fail() { echo "desktop-env: $1 (see $DESKTOP_DIR/logs/$2)" >&2 && return 1; }

# Runs CMD until it succeeds; TIMEOUT is in whole seconds.
# Polling every 0.1 s keeps tests quick without burning a core.
wait_for() {
    local timeout=${2:-10}
    local deadline=$((SECONDS + ${timeout%.*} + 1))
    until eval "$1" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

# A zombie still answers kill -0, so a child that has exited but is not yet reaped counts as gone.
_desktop_alive() { [[ $(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null) == [^Z]* ]]; }

# Sends the signal, then kills what is still there after five seconds. Only the program under test
# and the recorder may be the caller's own children; servers are reaped by init.
_desktop_end() {
    kill -"$1" "$2" 2>/dev/null || return 0
    wait_for "! _desktop_alive $2" 5 || kill -KILL "$2" 2>/dev/null
    wait "$2" 2>/dev/null || true
}

desktop_track_pid() { _desktop_pids+=("$1"); }

# Starts a server outside the caller's job table, so that a test's bare `wait` does not block on it,
# and in a session of its own, so that a Ctrl-C reaches it only through desktop_stop.
_desktop_spawn() {
    desktop_track_pid "$( (setsid "${@:2}" </dev/null >"$DESKTOP_DIR/logs/$1" 2>&1 & echo $!) )"
}

_desktop_start_x() {
    local displayfile=$DESKTOP_DIR/display
    : >"$displayfile"
    # -displayfd lets the server pick a free display number itself, so parallel runs never collide.
    # shellcheck disable=SC2016 # expanded by the inner shell
    _desktop_spawn xvfb.log bash -c 'exec Xvfb -displayfd 3 "$@" 3>"$0"' "$displayfile" \
        -screen 0 "${DESKTOP_SCREEN:-1280x800x24}" -nolisten tcp -noreset
    wait_for "[[ -s '$displayfile' ]]" 10 || _desktop_fail "Xvfb did not start" xvfb.log || return
    DISPLAY=":$(head -n1 "$displayfile")" && export DISPLAY
    wait_for "xdpyinfo" 10
}

_desktop_start_dbus() {
    local out
    out=$(dbus-daemon --session --fork --nopidfile --print-address=1 --print-pid=1 \
        --address="unix:path=$DESKTOP_DIR/bus" </dev/null 2>"$DESKTOP_DIR/logs/dbus.log") ||
        _desktop_fail "dbus-daemon did not start" dbus.log || return
    DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$out") && export DBUS_SESSION_BUS_ADDRESS
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
    export PULSE_RUNTIME_PATH=$dir PULSE_STATE_PATH=$dir/state PULSE_CLIENTCONFIG=$dir/client.conf \
        PULSE_SERVER=unix:$dir/native
    _desktop_spawn pulseaudio.log pulseaudio -n -F "$dir/default.pa" --daemonize=no \
        --exit-idle-time=-1 --use-pid-file=no --high-priority=no --realtime=no --log-target=stderr
    wait_for "pactl info" 10 || _desktop_fail "pulseaudio did not start" pulseaudio.log
}

# The panel (WM_CLASS "panel", "trayer") is where trayer docks icons; its other windows are helpers.
_desktop_trayer_window() {
    local id
    for id in $(xdotool search --classname '^panel$' 2>/dev/null); do
        xprop -id "$id" WM_CLASS 2>/dev/null | grep -q '"trayer"' && echo "$id" && return 0
    done
}

_desktop_start_tray() {
    _desktop_spawn trayer.log trayer --edge top --align right --widthtype request --height 24 \
        --SetDockType true --SetPartialStrut true --transparent false --tint 0x303030
    # shellcheck disable=SC2016 # wait_for evaluates it anew each time
    wait_for '[[ -n $(_desktop_trayer_window) ]]' 10 || _desktop_fail "trayer did not start" trayer.log
}

# Xvfb forgets the monitors once its last client has gone, so they are set while the tray is connected.
# xrandr wants a physical size as well: W/mmWxH/mmH+X+Y.
_desktop_set_monitors() {
    local geometry size primary='*' n=0
    for geometry in ${DESKTOP_MONITORS:-}; do
        size=${geometry%%+*}
        xrandr --setmonitor "${primary}monitor$((n++))" "${size%x*}/300x${size#*x}/200+${geometry#*+}" none || return
        primary=
    done
}

desktop_start() {
    [[ -z $DESKTOP_DIR || ! -d $DESKTOP_DIR ]] || _desktop_fail "already started" . || return
    DESKTOP_DIR=$(mktemp -d "${TMPDIR:-/tmp}/velunor-desktop.XXXXXX")
    mkdir -p "$DESKTOP_DIR"/{logs,home,config,data,cache,runtime}
    chmod 700 "$DESKTOP_DIR/runtime"
    export DESKTOP_DIR DESKTOP_SINK
    trap desktop_stop EXIT && trap 'exit 130' INT && trap 'exit 143' TERM

    # A home of its own keeps the user's real settings, autostart entries and sound state out of the
    # test. The environment stays set after desktop_stop: each scenario is a script of its own, and
    # the next desktop_start sets it all anew.
    export HOME=$DESKTOP_DIR/home XDG_CONFIG_HOME=$DESKTOP_DIR/config XDG_DATA_HOME=$DESKTOP_DIR/data \
        XDG_CACHE_HOME=$DESKTOP_DIR/cache XDG_RUNTIME_DIR=$DESKTOP_DIR/runtime QT_QPA_PLATFORM=xcb \
        XAUTHORITY=$DESKTOP_DIR/home/.Xauthority
    unset WAYLAND_DISPLAY

    { _desktop_start_x && _desktop_start_dbus && _desktop_start_pulse && _desktop_start_tray &&
        _desktop_set_monitors; } || { desktop_stop; return 1; }
}

window_manager_start() {
    _desktop_spawn openbox.log openbox --sm-disable
    wait_for "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'" 10 ||
        _desktop_fail "openbox did not start" openbox.log
}

# The prefix lives in the desktop's folder (HOME is there too, so its Desktop and Music are no links
# into the real home). No menu entries, no Mono or Gecko prompts, no debug chatter.
wine_start() {
    export WINEPREFIX=$DESKTOP_DIR/wine WINEDEBUG=-all WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree,mshtml="
    # A server that stays up makes each Wine program start in milliseconds instead of a second. It
    # is ready when the command returns; desktop_stop ends it.
    mkdir -p "$WINEPREFIX"
    wineserver -p >"$DESKTOP_DIR/logs/wineserver.log" 2>&1 ||
        _desktop_fail "wineserver did not start" wineserver.log || return
    wineboot -i >"$DESKTOP_DIR/logs/wineboot.log" 2>&1 || _desktop_fail "wineboot failed" wineboot.log || return
    # Chinese text shows as boxes unless the Chinese face names lead to a font that is there, and
    # menus and tray balloons in Wine's own face (Tahoma, 8 pt) borrow blurred Chinese letters: they
    # get the Chinese face at 9 pt (the value is a LOGFONTW). UTF-16, as the registry editor reads
    # names outside ASCII.
    local face font
    {
        printf 'Windows Registry Editor Version 5.00\r\n\r\n'
        printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
        for face in 宋体 黑体 SimSun SimHei NSimSun 新宋体 微软雅黑 "Microsoft YaHei" "Microsoft YaHei UI"; do
            printf '"%s"="WenQuanYi Zen Hei Sharp"\r\n' "$face"
        done
        font=$(python3 -c 'import struct; print(struct.pack("<5i8B64s", -12, 0, 0, 0, 400, 0, 0, 0, 134, 0, 0, 0, 0, "WenQuanYi Zen Hei Sharp".encode("utf-16-le")).hex(","))')
        printf '\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop\\WindowMetrics]\r\n"MenuFont"=hex:%s\r\n"StatusFont"=hex:%s\r\n' \
            "$font" "$font"
        printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Decorated"="N"\r\n'
    } | iconv -f UTF-8 -t UTF-16 >"$DESKTOP_DIR/wine-settings.reg" # with a byte-order mark
    wine reg import "$DESKTOP_DIR/wine-settings.reg" >>"$DESKTOP_DIR/logs/wineboot.log" 2>&1
}

desktop_stop() {
    local i
    record_stop
    # Every Windows program of the prefix goes with its server, and the server with them.
    [[ -z ${WINEPREFIX:-} || $WINEPREFIX != "$DESKTOP_DIR"/* ]] || wineserver -k 2>/dev/null || true
    # Newest first: the program under test goes before the servers it talks to.
    for ((i = ${#_desktop_pids[@]} - 1; i >= 0; i--)); do
        _desktop_end TERM "${_desktop_pids[i]}"
    done
    _desktop_pids=()
    trap - EXIT INT TERM
    [[ -z $DESKTOP_DIR || ! -d $DESKTOP_DIR || ${DESKTOP_KEEP:-0} == 1 ]] || rm -rf "$DESKTOP_DIR"
    DESKTOP_DIR=
    return 0
}

record_start() {
    record_stop
    parecord --device="$DESKTOP_SINK.monitor" --file-format=wav --rate=44100 --channels=2 \
        --latency-msec=50 "$1" </dev/null >>"$DESKTOP_DIR/logs/parecord.log" 2>&1 &
    _desktop_record_pid=$!
    # Sound played before the stream is connected would be lost; wait until the server lists it.
    wait_for "pactl list short source-outputs | grep -q ." 5
}

record_stop() {
    [[ -n $_desktop_record_pid ]] || return 0
    # SIGINT lets parecord close the file so the WAV header holds the right length.
    _desktop_end INT "$_desktop_record_pid"
    _desktop_record_pid=
    return 0
}

# The null sink's monitor delivers nothing at all while no stream plays, so an empty recording is silence.
audio_rms() {
    sox "$1" -n stat 2>&1 | awk '
        /^Samples read:/ { samples = $3 }
        /^RMS +amplitude:/ { rms = $3 }
        END { print (samples > 0 && rms ~ /^[0-9.]+$/) ? rms : 0 }'
}

screenshot() { import -display "$DISPLAY" -window root "$1"; }

# Trayer wraps each docked icon in a socket window of its own, so the icons are the panel's
# grandchildren: in xwininfo's tree each level is indented three more spaces.
# (xwininfo without a window asks for a click on one, so no tray is no icon.)
tray_icon_count() {
    local tray
    tray=$(_desktop_trayer_window)
    [[ -n $tray ]] || { echo 0 && return; }
    xwininfo -tree -id "$tray" 2>/dev/null | grep -c '^        0x' || true
}

tray_has_icon() { (($(tray_icon_count) > 0)); }
