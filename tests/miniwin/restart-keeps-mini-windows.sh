#!/bin/sh
# Starts the real plotter on Xvfb under openbox with mini windows 1 and 3
# shown in CHART.CFG, quits it with SIGTERM, and does so twice more: both
# windows must come back shown, at the same places and with the same zoom,
# although openbox decorates and maps them only after they were placed.
# Usage: restart-keeps-mini-windows.sh KESMAR_BINARY
set -eu
kesmar=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
. "$(dirname "$0")/../support/x11-session.sh"
x11_require xdotool python3
x11_work
mkdir -p "$work/folder/CHARTDATA" "$work/home"
: >"$work/folder/CHARTDATA/CHARTLIST.LST"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
x11_start

cfg="$work/folder/CHARTDATA/CHART.CFG"
# The record of window N: 44 bytes at 344 + 44 N.
record_of() { od -A n -t x1 -j $((344 + 44 * $1)) -N 44 "$cfg" | tr -d ' \n'; }

run_once() {
  (cd "$work/folder" && exec "$kesmar") >"$work/kesmar.log" 2>&1 &
  app_pid=$!
  timeout 30 xdotool search --sync --onlyvisible --name '^Kesmar$' >/dev/null || {
    echo "run $1: no Kesmar window"; cat "$work/kesmar.log"; exit 1; }
  if [ "$1" != 0 ]; then
    for m in 1 3; do
      timeout 30 xdotool search --sync --onlyvisible --name "^$m\\.MiniWindow\$" >/dev/null || {
        echo "run $1: mini window $m not shown"; cat "$work/kesmar.log"; exit 1; }
    done
  fi
  # Give the window manager time to map, decorate and place everything.
  sleep 2
  kill -TERM "$app_pid"
  i=0
  while kill -0 "$app_pid" 2>/dev/null; do
    i=$((i + 1)); [ $i -le 100 ] || { echo "run $1: SIGTERM did not end Kesmar"; cat "$work/kesmar.log"; exit 1; }
    sleep 0.1
  done
  wait "$app_pid" || { echo "run $1: Kesmar failed"; cat "$work/kesmar.log"; exit 1; }
  app_pid=
  [ -s "$cfg" ] || { echo "run $1: no CHART.CFG written"; exit 1; }
}

run_once 0
# Window 1: scale 0.5, offsets -600, 3200, shown, frame (300, 200)-(700, 500);
# window 3: scale 0.05, offsets -500, 3300, shown, frame (800, 300)-(1100, 600).
python3 - "$cfg" <<'PY'
import struct, sys
path = sys.argv[1]
data = bytearray(open(path, 'rb').read())
for n, rec in ((1, (0.5, -600.0, 3200.0, 1, 300, 200, 700, 500)),
               (3, (0.05, -500.0, 3300.0, 3, 800, 300, 1100, 600))):
    data[344 + 44 * n:388 + 44 * n] = struct.pack('<3d5i', *rec)
open(path, 'wb').write(bytes(data))
PY
saved1=$(record_of 1)
saved3=$(record_of 3)
for n in 1 2; do
  run_once $n
  for w in 1 3; do
    now=$(record_of $w)
    [ $w = 1 ] && want=$saved1 || want=$saved3
    if [ "$now" != "$want" ]; then
      echo "run $n changed the record of window $w (scale, offsets, shown, left, top, right, bottom):"
      echo "  saved: $want"
      echo "  now:   $now"
      exit 1
    fi
  done
done
echo "mini windows 1 and 3 kept over two restarts"

# The pickup window: a double click in the chart view opens it, a click into
# the view (outside it) takes the focus and closes it.
(cd "$work/folder" && exec "$kesmar") >"$work/kesmar.log" 2>&1 &
app_pid=$!
timeout 30 xdotool search --sync --onlyvisible --name '^Kesmar$' >/dev/null || { echo "pickup: no Kesmar window"; exit 1; }
sleep 2
xdotool mousemove 640 560 click --repeat 2 --delay 60 1
timeout 15 xdotool search --sync --onlyvisible --name '^temporary PickUp Window$' >/dev/null || {
  echo "pickup: a double click opened no pickup window"; exit 1; }
sleep 1
xdotool mousemove 60 980 click 1
i=0
while xdotool search --onlyvisible --name '^temporary PickUp Window$' >/dev/null 2>&1; do
  i=$((i + 1)); [ $i -le 50 ] || { echo "pickup: still open after a click into the chart view"; exit 1; }
  sleep 0.1
done
kill -TERM "$app_pid"
wait "$app_pid" || { echo "pickup: Kesmar failed"; cat "$work/kesmar.log"; exit 1; }
app_pid=
echo "pickup window opened by a double click and closed by a click into the view"
