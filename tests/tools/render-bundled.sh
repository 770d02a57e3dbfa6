#!/bin/sh
# kesmar-render over the bundled chart set: a PNG of the German Bight and the
# printed page as PDF, in a copy of the program folder. No chart file may
# fail to open. Skipped (exit 0) when the chart set was not built.
set -eu
render=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
charts="$2/CHARTDATA"
[ -f "$charts/NORDS-S.LIN" ] || { echo "bundled charts not built, skipped"; exit 0; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$charts" "$work/CHARTDATA"
cd "$work"
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work"
"$render" --size 640x480 --view 54.3,7.0,0.25 --vessel 54.18,7.89 bight.png 2>errors.txt
"$render" page.pdf 2>>errors.txt
if grep -q "OPEN ERROR" errors.txt; then cat errors.txt; exit 1; fi
[ -s bight.png ] || { echo "no picture written"; exit 1; }
# Point information of the Elbe safe-water buoy (BSH position 53.9993N
# 8.108467E); nothing and exit status 1 in mid-Atlantic.
info=$("$render" --size 800x600 --view 53.9993,8.108467,0.005 --info 400,300)
tab=$(printf '\t')
for want in "     POS:${tab}53°59.958N  /    8°06.508E" "   TYPE:${tab}Mittenfahrwasser Bakentonne" \
            "COLOR:${tab}rot / weiss " "    TEXT:${tab}Iso.W.10s Elbe"; do
  echo "$info" | grep -qxF "$want" || { echo "point information lacks '$want'"; echo "$info"; exit 1; }
done
if "$render" --size 800x600 --view 45,-30,0.005 --info 400,300 >none.txt 2>>errors.txt; then
  echo "a point found in mid-Atlantic"; exit 1
fi
[ ! -s none.txt ] || { echo "text printed without a point"; exit 1; }
command -v pdftotext >/dev/null || exit 0
text=$(pdftotext page.pdf -)
for want in "Kesmar V 1.0" "TOP / LEFT:" "BOT / RIGHT:"; do
  echo "$text" | grep -qF "$want" || { echo "page text lacks '$want'"; echo "$text"; exit 1; }
done
