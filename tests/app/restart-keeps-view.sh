#!/bin/sh
# Starts the real plotter three times on Xvfb under openbox, in a fresh
# program folder, and quits it with SIGTERM each time. The window manager
# maximises the frame after it is shown, so the view gets its final size only
# after the start-up; the view position in CHART.CFG must still come back
# exactly as it was saved. Offscreen hides this: it maximises synchronously.
# Usage: restart-keeps-view.sh KESMAR_BINARY
set -eu
kesmar=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
. "$(dirname "$0")/../support/x11-session.sh"
x11_require xdotool xwininfo
x11_work
mkdir -p "$work/folder/CHARTDATA" "$work/home"
# An empty chart list: no charts are needed, and without a list every start
# would show the whole world instead of the saved view.
: >"$work/folder/CHARTDATA/CHARTLIST.LST"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
x11_start

# The scale and both offsets: three doubles at byte 92 of CHART.CFG.
view_of() { od -A n -t x1 -j 92 -N 24 "$work/folder/CHARTDATA/CHART.CFG" | tr -d ' \n'; }

run_once() {
  (cd "$work/folder" && exec "$kesmar") >"$work/kesmar.log" 2>&1 &
  app_pid=$!
  win=$(timeout 30 xdotool search --sync --onlyvisible --name '^Kesmar$' | head -n1) || {
    echo "run $1: no Kesmar window"; cat "$work/kesmar.log"; exit 1; }
  # Wait for the window manager's maximising, then give the view time to act on it.
  i=0
  until [ "$(xwininfo -id "$win" | awk '/Width:/ {print $2}')" -ge 1200 ]; do
    i=$((i + 1)); [ $i -le 100 ] || { echo "run $1: the frame was never maximised"; exit 1; }
    sleep 0.1
  done
  sleep 1
  kill -TERM "$app_pid"
  i=0
  while kill -0 "$app_pid" 2>/dev/null; do
    i=$((i + 1)); [ $i -le 100 ] || { echo "run $1: SIGTERM did not end Kesmar"; exit 1; }
    sleep 0.1
  done
  wait "$app_pid" || { echo "run $1: Kesmar failed"; cat "$work/kesmar.log"; exit 1; }
  app_pid=
  [ -s "$work/folder/CHARTDATA/CHART.CFG" ] || { echo "run $1: no CHART.CFG written"; exit 1; }
}

# The first start has no KMR.INI and no CHART.CFG: it writes both. Then a
# zoomed-in view is put in: scale 1.0 minute per pixel, offsets -483, 2908.
run_once 0
printf '\000\000\000\000\000\000\360\077\000\000\000\000\000\060\176\300\000\000\000\000\000\270\246\100' |
  dd of="$work/folder/CHARTDATA/CHART.CFG" bs=1 seek=92 conv=notrunc status=none
saved=$(view_of)
[ "$saved" = 000000000000f03f0000000000307ec00000000000b8a640 ] || { echo "CHART.CFG not patched: $saved"; exit 1; }
for n in 1 2 3; do
  run_once $n
  now=$(view_of)
  if [ "$now" != "$saved" ]; then
    echo "run $n changed the saved view (scale, x offset, y offset as little-endian doubles):"
    echo "  saved: $saved"
    echo "  now:   $now"
    exit 1
  fi
done
echo "view kept over three restarts: $saved"
