#!/usr/bin/env bash
# The Windows program's five dialogs at 100, 125, 150 and 200 % display scaling (96, 120, 144 and
# 192 dpi) under Wine: the dialog tool shows, checks and closes each in turn, and finds no text cut
# off and no control over another.
# shellcheck source=velunor-e2e.sh
source "$(dirname "$0")/velunor-e2e.sh"

DESKTOP_SCREEN=2560x1600x24 e2e_setup_wine # room for the largest dialog at 200 %
cp "$VELUNOR_DIALOG_SHOTS" "$PROGRAM_DIR/"
# Unmanaged windows: without a window manager Wine waits two seconds for one at each closing.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
for dpi in 96 120 144 192; do
    wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
    timeout 60 wine "$PROGRAM_DIR/velunor-dialog-shots.exe" all "Z:${DESKTOP_DIR//\//\\}\\$dpi.txt" \
        >/dev/null 2>&1 || fail "at $dpi dpi: $(cat "$DESKTOP_DIR/$dpi.txt")"
done
desktop_stop
