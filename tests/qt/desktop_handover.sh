#!/usr/bin/env bash
# Runs a Qt test on a real X server (Xvfb) with a stand-in xdg-open on PATH that writes its
# arguments to $FAKE_XDG_OPEN_LOG instead of opening anything.
#   desktop_handover.sh TEST-PROGRAM
set -eu
test_program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
cat >"$work/bin/xdg-open" <<'SCRIPT'
#!/bin/sh
printf '%s\n' "$@" >"$FAKE_XDG_OPEN_LOG.part" && mv "$FAKE_XDG_OPEN_LOG.part" "$FAKE_XDG_OPEN_LOG"
SCRIPT
chmod +x "$work/bin/xdg-open"
export FAKE_XDG_OPEN_LOG=$work/xdg-open.log
export PATH=$work/bin:$PATH HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/runtime
export QT_QPA_PLATFORM=xcb
unset DBUS_SESSION_BUS_ADDRESS BROWSER
exec xvfb-run -a "$test_program"
