#!/usr/bin/env bash
# Runs a test program on a private display (Xvfb) and session bus with the AT-SPI bus, where
# Qt's accessibility bridge carries its events as it does for a screen reader: the parts of
# the window's suites that listen to those events skip offscreen. Skips (exit 77) where Xvfb,
# dbus-run-session or at-spi2-core are not installed. Usage: tests/atspi/bridge.sh PROGRAM [ARG...]
set -euo pipefail
if ! command -v Xvfb >/dev/null || ! command -v dbus-run-session >/dev/null ||
  [ ! -x /usr/libexec/at-spi-bus-launcher ]; then
  echo "SKIP: needs Xvfb, dbus-run-session and at-spi2-core"
  exit 77
fi
work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work/run XDG_STATE_HOME=$work/state XDG_CONFIG_HOME=$work/config
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
if ! kill -0 "$xvfb" 2>/dev/null || [ ! -s "$work/display" ]; then
  echo "SKIP: Xvfb could not start a display here"
  exit 77
fi
export DISPLAY=:$(head -n 1 "$work/display") QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
# The AT-SPI bus is started on the session bus before the program asks for it.
dbus-run-session -- bash -c '/usr/libexec/at-spi-bus-launcher --launch-immediately & sleep 0.5; "$@"; status=$?; kill %1 2>/dev/null; exit $status' bridge "$@"
