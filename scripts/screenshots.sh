#!/usr/bin/env bash
# make screenshots: renders every screen of the program, filled from a fresh
# demo installation folder, to PNG files. Needs no display (offscreen).
set -euo pipefail
build=$1; out=$2
bin="$(cd "$build/bin" && pwd)"
mkdir -p "$out"
out="$(cd "$out" && pwd)"
demo="$out/demo"

rm -rf "$demo"
"$bin/zoravinctl" init "$demo" --demo >/dev/null
# The offscreen platform's remarks about window hints are of no interest here.
QT_QPA_PLATFORM=offscreen "$bin/zoravin_screenshots" "$demo" "$out" \
  2> >(grep -v -e propagateSizeHints -e XDG_RUNTIME_DIR >&2)
