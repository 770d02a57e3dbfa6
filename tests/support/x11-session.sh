# Sourced by the tests that need a real X server with a window manager:
# a private Xvfb display under openbox, torn down on exit.
#
#   . "$(dirname "$0")/../support/x11-session.sh"
#   x11_require Xvfb openbox xprop xdotool   # the tools the test uses
#   x11_work                                 # $work: a fresh folder
#   app_pid=...                              # killed on exit, if set
#   x11_start                                # DISPLAY, QT_QPA_PLATFORM=xcb
#
# KEEP_WORK=1 keeps $work (logs, program folder) for a look afterwards.

work=
xvfb_pid=
wm_pid=
app_pid=

x11_require() {
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "missing $tool (scripts/install-deps)"; exit 1; }
  done
}

x11_cleanup() {
  for p in $app_pid $wm_pid $xvfb_pid; do kill "$p" 2>/dev/null || true; done
  wait 2>/dev/null || true
  [ -n "$work" ] || return 0
  if [ -n "${KEEP_WORK:-}" ]; then echo "kept $work"; else rm -rf "$work"; fi
}

# $work with a private runtime folder; the cleanup trap is set from here on.
x11_work() {
  work=$(mktemp -d)
  trap x11_cleanup EXIT
  trap 'exit 1' INT TERM
  mkdir -p "$work/runtime"
  chmod 700 "$work/runtime"
  export XDG_RUNTIME_DIR="$work/runtime"
  unset WAYLAND_DISPLAY
}

# Xvfb on a free display, answering, then openbox managing its screen.
x11_start() {
  x11_require Xvfb openbox xprop
  [ -n "$work" ] || x11_work
  # -displayfd picks a free display number: no clash with other test runs.
  # -noreset: the server would otherwise reset when the probe below leaves
  # as its only client, and refuse openbox meanwhile.
  Xvfb -displayfd 3 -noreset -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  _i=0
  while [ ! -s "$work/display" ]; do
    _i=$((_i + 1)); [ $_i -le 100 ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$work/display")"
  export QT_QPA_PLATFORM=xcb
  _i=0
  until xprop -root >/dev/null 2>&1; do
    _i=$((_i + 1)); [ $_i -le 100 ] || { echo "Xvfb does not answer"; cat "$work/xvfb.log"; exit 1; }
    sleep 0.1
  done
  openbox >"$work/openbox.log" 2>&1 &
  wm_pid=$!
  _i=0
  until xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; do
    _i=$((_i + 1))
    if [ $_i -gt 100 ] || ! kill -0 "$wm_pid" 2>/dev/null; then
      echo "openbox did not start"; cat "$work/openbox.log"; exit 1
    fi
    sleep 0.1
  done
}
