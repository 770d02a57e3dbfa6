#!/bin/sh
# Runs a test program on Xvfb under openbox: window placement is the window
# manager's business, and the offscreen platform places synchronously and
# hides what a real one does.
# Usage: on-x-server.sh PROGRAM [ARGUMENTS...]
set -eu
. "$(dirname "$0")/../support/x11-session.sh"
x11_start
"$@"
