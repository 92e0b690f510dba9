#!/usr/bin/env bash
# The GUI smoke test: the Windows tool under Wine on the display in DISPLAY (Xvfb, no window
# manager), against the in-memory Excel. Reads the main window's title, takes a screenshot once
# the dropped workbook is listed, and checks the title, the light-blue background and a clean
# exit.
#   gui-smoke-test.sh <tabora_smoke.exe> <screenshot.png> <expected title>
set -euo pipefail
exe=$1 shot=$2 expected=$3
mkdir -p "$(dirname "$shot")"
log=$(mktemp)
trap 'rm -f "$log"' EXIT

wine "$exe" 10 >"$log" 2>&1 &
pid=$!

# Only a shown window: the window exists (unmapped) from its creation, before its load sets
# the caption.
window=""
for _ in $(seq 120); do
  window=$(xdotool search --onlyvisible --name 'Excel' 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  sleep 0.25
done
if [ -z "$window" ]; then
  echo "no main window appeared"; cat "$log"; kill "$pid" 2>/dev/null || true; exit 1
fi
title=$(xdotool getwindowname "$window")
sleep 3  # the workbook is dropped half a second after the start, then listed
import -window "$window" "$shot"

status=0
wait "$pid" || status=$?
cat "$log"
echo "title: $title"
echo "screenshot: $shot"

[ "$title" = "$expected" ] || { echo "expected title: $expected"; exit 1; }
[ "$status" -eq 0 ] || { echo "the tool exited with $status"; exit 1; }
if grep -q "wine: Unhandled" "$log"; then exit 1; fi
# The form and its frames are light blue (192, 192, 255) around the white boxes and list.
blue=$(convert "$shot" -fill black +opaque 'rgb(192,192,255)' -fill white -opaque 'rgb(192,192,255)' \
       -format '%[fx:mean]' info:)
echo "light-blue share: $blue"
awk -v share="$blue" 'BEGIN { exit !(share > 0.05) }' || { echo "no light-blue background"; exit 1; }
echo "GUI smoke test passed"
