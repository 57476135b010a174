#!/usr/bin/env bash
# The Windows program's five dialogs at 100, 125, 150 and 200 % display scaling (96, 120, 144 and
# 192 dpi) under Wine: the dialog tool shows each alone and reports every text cut off and every
# control over another; there is none.
# shellcheck source=velunor-e2e.sh
source "$(dirname "$0")/velunor-e2e.sh"

DESKTOP_SCREEN=2560x1600x24 # room for the largest dialog at 200 %
e2e_setup_wine
for dpi in 96 120 144 192; do
    for dialog in settings about music-info music picture; do
        show_windows_dialog "$dialog" "$dpi"
        [[ ! -s $DIALOG_REPORT ]] || fail "$dialog at $dpi dpi: $(cat "$DIALOG_REPORT")"
        kill "$PROGRAM_PID"
        wait_program_exit 15
    done
done
desktop_stop
