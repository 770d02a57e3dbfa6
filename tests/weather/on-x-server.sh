#!/bin/sh
# Runs a test program on Xvfb under openbox: window placement is the window
# manager's business, and the offscreen platform places synchronously and
# hides what a real one does.
# Usage: on-x-server.sh PROGRAM [ARGUMENTS...]
set -eu
for tool in Xvfb openbox xprop; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/install-deps)"; exit 1; }
done
work=$(mktemp -d)
xvfb_pid=
wm_pid=
cleanup() {
  for p in $wm_pid $xvfb_pid; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT INT TERM
mkdir -p "$work/runtime"
chmod 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"
unset WAYLAND_DISPLAY
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
i=0
while [ ! -s "$work/display" ]; do
  i=$((i + 1)); [ $i -le 100 ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
  sleep 0.1
done
export DISPLAY=":$(head -n1 "$work/display")"
export QT_QPA_PLATFORM=xcb
openbox >"$work/openbox.log" 2>&1 &
wm_pid=$!
i=0
until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
  i=$((i + 1)); [ $i -le 100 ] || { echo "openbox did not start"; cat "$work/openbox.log"; exit 1; }
  sleep 0.1
done
"$@"
