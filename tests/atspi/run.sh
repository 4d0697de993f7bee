#!/usr/bin/env bash
# One AT-SPI walk of the real editor on a private session bus and display (Xvfb), as a screen
# reader would see it: tests/atspi/walk.py. Skips (exit 77) where at-spi2-core, pyatspi or
# Xvfb are not installed. Usage: tests/atspi/run.sh EDITOR
set -euo pipefail
editor=$1
here=$(cd "$(dirname "$0")" && pwd)
if ! command -v Xvfb >/dev/null || ! command -v dbus-run-session >/dev/null ||
  [ ! -x /usr/libexec/at-spi-bus-launcher ] || ! /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
  echo "SKIP: needs Xvfb, dbus-run-session, at-spi2-core and python3-pyatspi"
  exit 77
fi
work=$(mktemp -d)
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
export HOME=$work XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data XDG_STATE_HOME=$work/state
export XDG_RUNTIME_DIR=$work/run
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# A file whose reading leaves a notice: a comment outside the records will not be saved.
cat >"$work/db.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<SignalDatabase><!-- kept nowhere --><SignalList>
  <Signal Name="Baudot 50" Mode="baudot" Modulation="FSK" Disabled="0">
    <Baudrate>50</Baudrate><Shift>170</Shift><CodecheckCounter>3</CodecheckCounter>
  </Signal>
</SignalList></SignalDatabase>
XML
# Xvfb picks a free display and names it.
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
dbus-run-session -- /usr/bin/python3 "$here/walk.py" "$editor" "$work/db.xml"
