#!/bin/sh
# Runs a test program on a private Xvfb display with the X11 platform.
# Usage: under-xvfb.sh PROGRAM [ARGUMENTS...]
for p in Xvfb xclip; do
  command -v "$p" >/dev/null 2>&1 || { echo "$p is missing: run scripts/install-deps.sh --test" >&2; exit 1; }
done
dir=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$dir"' EXIT INT TERM
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
xvfb=$!
i=0
while [ ! -s "$dir/display" ]; do
  i=$((i + 1))
  if [ $i -gt 100 ] || ! kill -0 "$xvfb" 2>/dev/null; then
    echo "Xvfb did not start:" >&2
    cat "$dir/xvfb.log" >&2
    exit 1
  fi
  sleep 0.1
done
DISPLAY=":$(head -n1 "$dir/display")" QT_QPA_PLATFORM=xcb RV_X11_CLIPBOARD=1 "$@"
