#!/usr/bin/env bash
# A break holds the keyboard under a real window manager (openbox). A window that records the keys
# it gets (xev) is being typed into when the break appears; during the break Alt+Tab, letters and
# Escape reach none of it, Escape ends the break, and afterwards the keys go to that window again.
# shellcheck source=velunor-e2e.sh
source "$(dirname "$0")/velunor-e2e.sh"

# The keys the recorder got, one name each, in order.
recorded() { grep -A2 '^KeyPress' "$DESKTOP_DIR/keys.log" | grep -o 'keysym 0x[0-9a-f]*, [^)]*' | cut -d' ' -f3 | tr '\n' ' '; }

e2e_setup
window_manager_start
xev -name recorder -event keyboard >"$DESKTOP_DIR/keys.log" 2>&1 &
desktop_track_pid $!
wait_for "window_named recorder" 10 || fail "the recording window did not show"
xdotool windowactivate --sync "$(window_named recorder)"
# The wall clock runs twenty times fast: the break comes three seconds after the start and lasts
# thirty, the frames and the grab's retries keep real time.
write_config "SetTime=1" "RunTime=10"
FAKETIME="+0 x20" FAKETIME_DONT_FAKE_MONOTONIC=1 \
    LD_PRELOAD=$(echo /usr/lib/*/faketime/libfaketime.so.1) start_program
for ((i = 0; i < 100; i++)); do
    break_showing && break
    xdotool type --delay 50 a
done
break_showing || fail "no break came while the recorder was typed into"
sleep 0.5 # the grab is asked for until the mapped window gets it
before=$(recorded)
[[ $before == a\ * ]] || fail "the recorder did not get the keys typed before the break: $before"
xdotool key alt+Tab
xdotool type --delay 50 qwerty
sleep 0.5
got=$(recorded)
[[ $got == "$before" ]] || fail "keys typed during the break reached the recorder: ${got#"$before"}"
break_showing || fail "the break ended before Escape"
xdotool key Escape
wait_for "! break_showing" 5 || fail "Escape did not end the break"
sleep 0.5
xdotool type --delay 50 ok
# shellcheck disable=SC2016 # wait_for evaluates it anew each time
wait_for '[[ $(recorded) == "${before}o k " ]]' 5 || {
    got=$(recorded)
    fail "the recorder did not get the keys typed after the break: ${got#"$before"}"
}
echo "PASS"
