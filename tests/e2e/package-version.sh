#!/usr/bin/env bash
# The Windows packages carry the version the program shows (its about box and --version take it
# from the same place).
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf 'MZ' >"$work/Velunor.exe"
"$VELUNOR_SOURCE_DIR/scripts/package" --exe "$work/Velunor.exe" --dist "$work/dist" >"$work/log" 2>&1 ||
    { cat "$work/log"; exit 1; }
shown=$("$VELUNOR_BIN" --version)
version=${shown#velunor }
[[ $shown == "velunor $version" && -n $version ]] || { echo "FAIL: --version said '$shown'"; exit 1; }
[[ -f $work/dist/Velunor-$version-win64.zip && -f $work/dist/Velunor-$version-win64-setup.exe ]] ||
    { echo "FAIL: no packages of version $version: $(ls "$work/dist")"; exit 1; }
echo "PASS"
