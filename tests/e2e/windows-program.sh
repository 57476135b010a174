#!/usr/bin/env bash
# Velunor.exe under Wine, from a program folder whose name holds Chinese characters and a space.
# It imports only DLLs of Windows itself and stays small. Without config.ini the icon docks and the
# file stays absent; a second start of the same folder opens the running one's settings and ends;
# 退出 in the tray menu ends the program and takes the icon away. With SetTime 1 and RunTime 1 a
# break covers the screen within a minute or so, Enter leaves it, Escape hides it and the icon
# stays, and a close request to the hidden window (taskkill) ends the program as 退出 does.
source "$(dirname "$0")/velunor-e2e.sh"

readonly SCREEN_W=1280 SCREEN_H=800
readonly SYSTEM_DLLS=' advapi32 comctl32 comdlg32 dsound gdi32 gdiplus kernel32 msvcrt ole32 oleaut32 shell32 shlwapi user32 '

for dll in $(x86_64-w64-mingw32-objdump -p "$VELUNOR_EXE" | awk '/DLL Name:/ { print tolower($3) }'); do
    [[ $SYSTEM_DLLS == *" ${dll%.dll} "* ]] || fail "Velunor.exe needs $dll, which Windows does not bring"
done
x86_64-w64-mingw32-strip -o "${TMPDIR:-/tmp}/Velunor-stripped.$$.exe" "$VELUNOR_EXE"
size=$(stat -c %s "${TMPDIR:-/tmp}/Velunor-stripped.$$.exe")
rm -f "${TMPDIR:-/tmp}/Velunor-stripped.$$.exe"
((size <= 3 * 1024 * 1024)) || fail "the stripped Velunor.exe has $size bytes, more than 3 MB"

e2e_setup_wine
start_program
wait_for tray_has_icon 30 || fail "no tray icon appeared"
sleep 2.5 # two schedule ticks re-add the icon: it must not double
(($(tray_icon_count) == 1)) || fail "expected one tray icon, found $(tray_icon_count)"
! break_showing || fail "a break showed although the work interval is ten minutes"
[[ ! -e $PROGRAM_DIR/config.ini ]] || fail "the program wrote config.ini"

timeout 20 "${PROGRAM_COMMAND[@]}" </dev/null >/dev/null 2>&1 || fail "a second start did not end"
wait_for "xdotool search --onlyvisible --name '^设置\$'" 10 || fail "a second start opened no settings"
(($(tray_icon_count) == 1)) || fail "a second start left $(tray_icon_count) tray icons"
xdotool windowfocus "$(xdotool search --onlyvisible --name '^设置$' | head -n1)" key Escape

click_tray_menu_item 1
wait_program_exit 15
wait_for tray_empty 5 || fail "the tray icon stayed after 退出"

write_config "SetTime=1" "RunTime=1"
start_program
wait_for tray_has_icon 30 || fail "no tray icon appeared for the second start"
wait_for break_showing 75 || fail "no break came a minute after the start"
window=$(break_window)
eval "$(xdotool getwindowgeometry --shell "$window")"
[[ "$X,$Y,$WIDTH,$HEIGHT" == "0,0,$SCREEN_W,$SCREEN_H" ]] ||
    fail "the break window does not cover the screen: ${WIDTH}x$HEIGHT at $X,$Y"
sleep 0.5
screenshot "$DESKTOP_DIR/break.png"
scene_at "$DESKTOP_DIR/break.png" $(((SCREEN_W - 1024) / 2)) $(((SCREEN_H - 768) / 2)) ||
    fail "no break scene centred"
colours_close "$(pixel_at "$DESKTOP_DIR/break.png" 10 400)" "0 0 0" 0 || fail "the margin is not black"
# With no window manager Wine leaves the X focus where it was: it is given as a user's click would.
# Enter does nothing; Escape ends the break.
xdotool windowfocus "$window" sleep 0.5 key Return
! wait_for "! window_viewable $window" 3 || fail "Enter ended the break"
xdotool key Escape
wait_for "! window_viewable $window" 5 || fail "Escape did not hide the break window"
(($(tray_icon_count) == 1)) || fail "the tray icon went with the break"

wine taskkill /im Velunor.exe >/dev/null 2>&1
wait_program_exit 15
wait_for tray_empty 5 || fail "the tray icon stayed after a close request"
echo "PASS"
