#!/usr/bin/env bash
# One AT-SPI walk of the real editor on a private session bus and display (Xvfb), as a screen
# reader would see it: tests/atspi/walk.py, through tests/atspi/bridge.sh. Skips (exit 77)
# where at-spi2-core, pyatspi or Xvfb are not installed. Usage: tests/atspi/run.sh EDITOR
set -euo pipefail
editor=$1
here=$(cd "$(dirname "$0")" && pwd)
if ! command -v Xvfb >/dev/null || ! command -v dbus-run-session >/dev/null ||
  [ ! -x /usr/libexec/at-spi-bus-launcher ] || ! /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
  echo "SKIP: needs Xvfb, dbus-run-session, at-spi2-core and python3-pyatspi"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work XDG_DATA_HOME=$work/data
# A file whose reading leaves a notice: a comment outside the records will not be saved.
cat >"$work/db.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<SignalDatabase><!-- kept nowhere --><SignalList>
  <Signal Name="Baudot 50" Mode="baudot" Modulation="FSK" Disabled="0">
    <Baudrate>50</Baudrate><Shift>170</Shift><CodecheckCounter>3</CodecheckCounter>
  </Signal>
</SignalList></SignalDatabase>
XML
# On a display of its own with the AT-SPI bus, as the accessibility suite's bridge test.
"$here/bridge.sh" /usr/bin/python3 "$here/walk.py" "$editor" "$work/db.xml"
