#!/bin/sh
# The settings sheet on a real X server with a window manager: Tab opens the
# sheet, "Select Charts" turns a chart off by double click, OK. The chart must
# be gone from the view at once, from CHARTLIST.LST, and after a restart.
# With SHOTS=DIR the three pages are saved there as PNGs.
# Usage: sheet-end-to-end.sh KESMAR_BINARY CHARTBUILD_BINARY
set -eu
kesmar=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
chartbuild=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
. "$(dirname "$0")/../support/x11-session.sh"
x11_require xdotool xwininfo import convert python3
x11_work

folder="$work/folder"
mkdir -p "$folder/CHARTDATA" "$work/home"
# EUROPA: a magenta area (layer 6 takes the record's colour, 11) over its
# whole box; WORLDMAP: one short coast line far away. Both are in the
# built-in chart set, so the first start lists them.
cat >"$work/europa.json" <<'JSON'
{"type":"FeatureCollection","features":[{"type":"Feature","properties":{"layer":6,"colour":11},
 "geometry":{"type":"Polygon","coordinates":[[[0,45],[20,45],[20,60],[0,60],[0,45]]]}}]}
JSON
cat >"$work/world.json" <<'JSON'
{"type":"FeatureCollection","features":[{"type":"Feature","properties":{"layer":4},
 "geometry":{"type":"LineString","coordinates":[[-120,-40],[-110,-40]]}}]}
JSON
"$chartbuild" --name EUROPA --box 0/20/45/60 --geojson "$work/europa.json" --out "$folder/CHARTDATA" >"$work/build.log" 2>&1 &&
"$chartbuild" --name WORLDMAP --box -180/180/-90/90 --geojson "$work/world.json" --out "$folder/CHARTDATA" >>"$work/build.log" 2>&1 ||
  { echo "chart build failed"; cat "$work/build.log"; exit 1; }
# The symbol library, for the sample symbols on the pages.
"$chartbuild" --symbols "$(dirname "$0")/../../data/buoyage-symbols.txt" --out "$folder/CHARTDATA" >>"$work/build.log" 2>&1 ||
  { echo "symbol library build failed"; cat "$work/build.log"; exit 1; }

export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config"
x11_start

win=
start() {
  (cd "$folder" && exec "$kesmar") >"$work/kesmar.log" 2>&1 &
  app_pid=$!
  win=$(timeout 30 xdotool search --sync --onlyvisible --name '^Kesmar$' | head -n1) || {
    echo "$1: no Kesmar window"; cat "$work/kesmar.log"; exit 1; }
  sleep 2
}
stop() {
  kill -TERM "$app_pid"
  i=0
  while kill -0 "$app_pid" 2>/dev/null; do
    i=$((i + 1)); [ $i -le 100 ] || { echo "$1: SIGTERM did not end Kesmar"; exit 1; }
    sleep 0.1
  done
  wait "$app_pid" || { echo "$1: Kesmar failed"; cat "$work/kesmar.log"; exit 1; }
  app_pid=
}
# Pixels of magenta (255, 0, 255) in a window.
magenta() {
  import -window "$1" "$work/shot.png"
  convert -precision 16 "$work/shot.png" -fill black +opaque '#FF00FF' -fill white -opaque '#FF00FF' \
    -format '%[fx:int(mean*w*h)]' info:
}
charts_in_list() {
  python3 -c 'import sys; d=open(sys.argv[1],"rb").read()
print(" ".join(sorted(d[i+93:i+162].split(b"\0")[0].decode() for i in range(0, len(d) - len(d) % 162, 162))))' \
    "$folder/CHARTDATA/CHARTLIST.LST"
}

# First start: writes CHART.CFG and CHARTLIST.LST (the built-in set). Then
# the view is put over EUROPA: scale 0.2, centre 10°E 52.5°N.
start "first start"
stop "first start"
python3 -c 'import struct,sys; f=open(sys.argv[1],"r+b"); f.seek(92); f.write(struct.pack("<3d", 0.2, -600.0, 3150.0))' \
  "$folder/CHARTDATA/CHART.CFG"
[ "$(charts_in_list)" = "EUROPA WORLDMAP" ] || { echo "list after the first start: $(charts_in_list)"; exit 1; }

start "second start"
before=$(magenta "$win")
[ "$before" -gt 100000 ] || { echo "EUROPA not drawn before the sheet ($before magenta pixels)"; exit 1; }

xdotool windowactivate --sync "$win" key Tab
sheet=$(timeout 10 xdotool search --sync --onlyvisible --name '^Detail Propertys$' | head -n1) || {
  echo "Tab did not open the sheet"; exit 1; }
sleep 1
shot() { [ -n "${SHOTS:-}" ] && mkdir -p "$SHOTS" && import -window "$sheet" "$SHOTS/$1.png" || true; }
shot 1-chart-details
xdotool key ctrl+Tab
sleep 1
# The used list's first row (EUROPA, sorted before WORLDMAP) lies at about
# (60, 20) in the page, below the dialog margin and the tab bar.
eval "$(xdotool getwindowgeometry --shell "$sheet")"
xdotool mousemove --window "$sheet" 70 63 click 1
sleep 0.3
shot 2-select-charts-before
xdotool mousemove --window "$sheet" 70 63 click --repeat 2 --delay 80 1
sleep 1
shot 2-select-charts-after
xdotool key ctrl+Tab
sleep 1
shot 3-colors
xdotool key Return
i=0
while xdotool search --onlyvisible --name '^Detail Propertys$' >/dev/null 2>&1; do
  i=$((i + 1)); [ $i -le 50 ] || { echo "OK did not close the sheet"; exit 1; }
  sleep 0.1
done
sleep 2
after=$(magenta "$win")
[ "$after" -eq 0 ] || { echo "EUROPA still drawn after OK ($after magenta pixels)"; exit 1; }
[ "$(charts_in_list)" = "WORLDMAP" ] || { echo "CHARTLIST.LST after OK: $(charts_in_list)"; exit 1; }
stop "second start"

start "third start"
again=$(magenta "$win")
[ "$again" -eq 0 ] || { echo "EUROPA back after the restart ($again magenta pixels)"; exit 1; }
stop "third start"
[ "$(charts_in_list)" = "WORLDMAP" ] || { echo "CHARTLIST.LST after the restart: $(charts_in_list)"; exit 1; }
echo "EUROPA turned off on the sheet: $before magenta pixels before, none after OK and after the restart"
