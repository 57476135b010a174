# shellcheck shell=bash
# What every end-to-end test of the program needs on top of the private desktop: a program folder
# of its own, the program started in it, and ways to look at its tray icon, menu and break window.
#
# Needs VELUNOR_BIN (the built executable) and VELUNOR_SOURCE_DIR (the project) in the environment.

set -euo pipefail
# shellcheck source=lib/desktop-env.sh
source "$(dirname "${BASH_SOURCE[0]}")/lib/desktop-env.sh"

PROGRAM_DIR=
PROGRAM_COMMAND=()
PROGRAM_CLASS=velunor # the X class of the program's windows
PROGRAM_PID=
PROGRAM_STATUS=

fail() {
    echo "FAIL: $*" >&2
    [[ -z $PROGRAM_DIR || ! -s $PROGRAM_DIR/velunor.log ]] ||
        { echo "--- program output (last lines)" && tail -n 20 "$PROGRAM_DIR/velunor.log"; } >&2
    exit 1
}

# A private desktop and a fresh program folder inside it: the executable with the music player
# built beside it, Music and Picture. The executable is copied, not linked, because the program
# finds its folder (and the player in it) from its own real path.
e2e_setup() {
    desktop_start || fail "the private desktop did not start"
    PROGRAM_DIR=$DESKTOP_DIR/${1:-Velunor}
    mkdir -p "$PROGRAM_DIR/Music" "$PROGRAM_DIR/Picture"
    [[ -n ${1:-} ]] || cp "$VELUNOR_BIN" "$(dirname "$VELUNOR_BIN")/velunor-player" "$PROGRAM_DIR/"
    PROGRAM_COMMAND=("$PROGRAM_DIR/velunor")
}

# The Windows program (VELUNOR_EXE) under Wine on the same private desktop, in a program folder
# whose name holds Chinese characters and a space.
e2e_setup_wine() {
    e2e_setup "护眼 休息"
    wine_start || fail "the Wine prefix could not be made"
    cp "$VELUNOR_EXE" "$PROGRAM_DIR/Velunor.exe"
    PROGRAM_COMMAND=(wine "$PROGRAM_DIR/Velunor.exe")
    PROGRAM_CLASS='velunor\.exe'
}

# config.ini with the given KEY=VALUE lines in section Option.
write_config() {
    printf '[Option]\n' >"$PROGRAM_DIR/config.ini"
    printf '%s\n' "$@" >>"$PROGRAM_DIR/config.ini"
}

# Three short tunes of distinct pitch, one of each kind the program plays: an MP3 at 440 Hz, a WMA
# at 660 Hz and a MIDI flute on A5 (880 Hz).
add_music() {
    local music=$PROGRAM_DIR/Music
    ffmpeg -loglevel error -nostdin -f lavfi -i "sine=frequency=440:duration=1.5" -ac 2 \
        -c:a libmp3lame "$music/a.mp3"
    ffmpeg -loglevel error -nostdin -f lavfi -i "sine=frequency=660:duration=1.5" -ac 2 \
        -c:a wmav2 "$music/b.wma"
    # One track: flute (program 73), note 81 on, held 960 ticks (1 s at 480 ticks a beat), off.
    printf 'MThd\x00\x00\x00\x06\x00\x00\x00\x01\x01\xe0MTrk\x00\x00\x00\x10\x00\xc0\x49\x00\x90\x51\x64\x87\x40\x80\x51\x00\x00\xff\x2f\x00' \
        >"$music/c.mid"
}

start_program() {
    (cd / && exec "${PROGRAM_COMMAND[@]}") </dev/null >"$PROGRAM_DIR/velunor.log" 2>&1 &
    PROGRAM_PID=$!
    desktop_track_pid "$PROGRAM_PID"
}

program_running() { kill -0 "$PROGRAM_PID" 2>/dev/null; }

# Waits for the program to end; its exit status goes to PROGRAM_STATUS.
wait_program_exit() {
    wait_for "! program_running" "${1:-10}" || fail "the program did not end"
    PROGRAM_STATUS=0
    wait "$PROGRAM_PID" || PROGRAM_STATUS=$?
}

# The stand-in screen saver, notification service and idle monitor (lib/desktop-services.py), their
# notices logged to NOTICES and the idle monitor's calls to monitor.log; with "actions" the
# notification service shows buttons.
start_desktop_services() {
    NOTICES=$DESKTOP_DIR/notices.log
    : >"$NOTICES"
    # Debian's D-Bus binding belongs to Debian's own Python.
    _desktop_spawn services.log /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/lib/desktop-services.py" \
        "$NOTICES" "$DESKTOP_DIR/monitor.log" "$@"
    wait_for "dbus-send --session --print-reply --dest=org.freedesktop.Notifications \
        /org/freedesktop/Notifications org.freedesktop.Notifications.GetCapabilities" 10 ||
        fail "the desktop services did not start"
}

tray_empty() { (($(tray_icon_count) == 0)); }

# The break window: the program's top-level window called Velunor that is larger than a pixel
# (Qt keeps a 1x1 helper window of the same name; xdotool's search ignores case, and the black
# covers of other monitors are called velunor).
break_window() {
    local id
    for id in $(xdotool search --name '^Velunor$' 2>/dev/null); do
        [[ $(xdotool getwindowname "$id" 2>/dev/null) == Velunor ]] || continue
        eval "$(xdotool getwindowgeometry --shell "$id")"
        ((WIDTH > 1 && HEIGHT > 1)) && echo "$id" && return 0
    done
    return 1
}

# The visible window with this exact name (of any program: dialogs and message boxes).
window_named() {
    xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1
}

window_viewable() { [[ $(xwininfo -id "$1" 2>/dev/null) == *'Map State: IsViewable'* ]]; }

break_showing() {
    local id
    id=$(break_window) && window_viewable "$id"
}

# Fails with the message when a break shows before the shell's clock reaches SECONDS.
no_break_until() {
    while ((SECONDS < $1)); do
        ! break_showing || fail "$2"
        sleep 1
    done
}

tray_icon_window() {
    local tray
    tray=$(_desktop_trayer_window) && [[ -n $tray ]] &&
        xwininfo -tree -id "$tray" | awk '/^        0x/ && !found { print $1; found = 1 }'
}

# A visible popup of the program: an override-redirect window of its class larger than the icon,
# other than the window EXCEPT (a submenu beside its menu).
menu_window() {
    local id
    for id in $(xdotool search --onlyvisible --classname "^$PROGRAM_CLASS\$" 2>/dev/null); do
        [[ $id != "${1:-}" ]] || continue
        eval "$(xdotool getwindowgeometry --shell "$id")"
        ((HEIGHT >= 50)) && [[ $(xwininfo -id "$id") == *'Override Redirect State: yes'* ]] && echo "$id" && return 0
    done
    return 1
}

# A tray balloon of the Windows program: Wine's shell shows it as an override-redirect window.
wine_notice_window() {
    local id
    for id in $(xdotool search --onlyvisible --classname '^explorer\.exe$' 2>/dev/null); do
        [[ $(xwininfo -id "$id") == *'Override Redirect State: yes'* ]] && echo "$id" && return 0
    done
    return 1
}

# Opens the tray menu with a right-click on the icon, as a user would. A click that comes while a
# popup that just closed still holds the pointer is lost, so it is tried again.
open_tray_menu() {
    local icon attempt
    icon=$(tray_icon_window) || fail "no tray icon to click"
    eval "$(xdotool getwindowgeometry --shell "$icon")"
    for attempt in 1 2 3 4 5; do
        xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 3
        wait_for menu_window 2 && return 0
    done
    fail "the tray menu did not open"
}

# Picks a tray menu item by its position from the bottom: 1 is 退出, 2 关于, 3 帮助, 4 设置.
choose_from_tray_menu() {
    open_tray_menu
    # shellcheck disable=SC2046 # one Up a word
    xdotool key $(printf 'Up %.0s' $(seq "$1")) Return
}

# As choose_from_tray_menu, with a click on the item: where the keyboard stays with the window
# under the pointer (Wine without a window manager), keys would not reach the menu. Items count from
# the top (1 is 暂停提醒), or from the bottom when negative (-1 is 退出): 20 px rows in a 3 px border.
click_tray_menu_item() {
    local item=$1 menu edge
    open_tray_menu
    menu=$(menu_window) || fail "the tray menu went away"
    eval "$(xdotool getwindowgeometry --shell "$menu")"
    edge=$((item > 0 ? Y - 7 : Y + HEIGHT + 7))
    xdotool mousemove $((X + WIDTH / 2)) $((edge + 20 * item)) click 1
}

# Succeeds when the screenshot shows the break scene with the background picture's top-left corner
# at X,Y: the picture's pixels around it, and the clock in its blue at (420, 370) of the picture;
# the margin left of it (at 10, 400 of the screen) keeps the black the back buffer started with.
scene_at() {
    local shot=$1 left=$2 top=$3 point x y clock
    for point in "900 60" "600 700" "60 740" "1000 400"; do
        read -r x y <<<"$point"
        colours_close "$(pixel_at "$shot" $((left + x)) $((top + y)))" \
            "$(pixel_at "$VELUNOR_SOURCE_DIR/res/background.jpg" "$x" "$y")" ||
            why "screen pixel at $((left + x)),$((top + y)) is not the background's at $x,$y" || return
    done
    clock=$(colour_count "$shot" "200x40+$((left + 420))+$((top + 370))" '#3366CC')
    ((clock > 50)) || why "no clock in its blue at (420, 370) of the picture: $clock pixels" || return
    colours_close "$(pixel_at "$shot" 10 400)" "0 0 0" 0 || why "the margin left of the picture is not black"
}

# Says on standard error why a check failed; fails.
why() { echo "$*" >&2 && return 1; }

# How many pixels of a part (WxH+X+Y) of a picture file have the colour.
colour_count() {
    convert "$1" -crop "$2" +repage -fill black +opaque "$3" -fill white -opaque "$3" -precision 16 \
        -format '%[fx:round(mean*w*h)]' info:
}

# "R G B" of one pixel of a picture file.
pixel_at() {
    convert "$1" -format '%[fx:int(255*p{'"$2,$3"'}.r)] %[fx:int(255*p{'"$2,$3"'}.g)] %[fx:int(255*p{'"$2,$3"'}.b)]' info:
}

# Succeeds when two "R G B" colours differ by at most TOLERANCE (8) in every channel.
colours_close() {
    awk -v a="$1" -v b="$2" -v t="${3:-8}" \
        'BEGIN { split(a, x, " "); split(b, y, " "); for (i = 1; i <= 3; i++) if ((x[i] - y[i])^2 > t^2) exit 1 }'
}

# The RMS amplitude of a sound file within a frequency band (Hz).
band_rms() {
    # A steep band edge (10 Hz) keeps the neighbouring tunes out of the band.
    sox "$1" -n sinc -t 10 "$2-$3" stat 2>&1 | awk '/^RMS +amplitude:/ { print $3 }'
}

# Seconds from the time T ($EPOCHREALTIME) to now, or to the time THEN.
since() { awk -v t="$1" -v now="${2:-$EPOCHREALTIME}" 'BEGIN { print now - t }'; }

# Succeeds when the first number is larger than the second.
greater() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'; }
