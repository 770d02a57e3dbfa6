#!/bin/sh
# Runs a test program on a private Xvfb display under openbox, so that
# window placement and activation go through a real window manager.
# Usage: run-on-x11.sh PROGRAM [ARGS...]
set -eu
. "$(dirname "$0")/../support/x11-session.sh"
x11_require xdotool
x11_work
export HOME="$work" XDG_CONFIG_HOME="$work/.config"
x11_start
"$@"
