#!/bin/sh
# Every tool answers --help with its usage on standard output and status 0,
# and a tool without a display says nothing about runtime folders, with or
# without XDG_RUNTIME_DIR. Usage: tools-help.sh TOOL...
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
for tool in "$@"; do
  name=$(basename "$tool")
  for runtime in unset set; do
    if [ $runtime = unset ]; then
      env -u XDG_RUNTIME_DIR -u DISPLAY -u QT_QPA_PLATFORM "$tool" --help >"$work/out" 2>"$work/err"
    else
      env -u DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work" "$tool" --help >"$work/out" 2>"$work/err"
    fi
    status=$?
    [ $status -eq 0 ] || { echo "$name --help ($runtime runtime folder): exit status $status"; failed=1; }
    grep -qi usage "$work/out" || { echo "$name --help: no usage on standard output"; failed=1; }
    if [ -s "$work/err" ]; then
      echo "$name --help ($runtime runtime folder) wrote to standard error:"; cat "$work/err"; failed=1
    fi
  done
done
# A tool without a display that starts Qt's GUI part: no runtime-folder noise
# in a real run either.
for tool in "$@"; do
  case $(basename "$tool") in
    kesmar-render)
      (cd "$work" && env -u XDG_RUNTIME_DIR -u DISPLAY -u QT_QPA_PLATFORM "$tool" --size 64x48 pic.png) 2>"$work/err" >/dev/null
      if grep -qi "runtime" "$work/err"; then echo "kesmar-render warns about runtime folders:"; cat "$work/err"; failed=1; fi
      ;;
  esac
done
exit $failed
