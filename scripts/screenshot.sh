#!/usr/bin/env bash
# Renders the main window on the sample database, the edit dialog on its FSK multicarrier
# signal and that signal's carrier list into docs/*.png, and the main window again in a dark
# palette and in German (no display needed: the offscreen platform draws them).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh build
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p docs
shoot() {
  env -u LANGUAGE -u LC_ALL -u LC_MESSAGES XDG_CONFIG_HOME="$tmp/config" \
    XDG_DATA_HOME="$tmp/data" XDG_RUNTIME_DIR="$tmp" QT_QPA_PLATFORM=offscreen \
    QUARN_SCREENSHOTS="$PWD/docs" "$@" build/src/app/quarn-editor examples/signals.xml
}
shoot LANG=C.UTF-8
shoot LANG=C.UTF-8 QUARN_SCREENSHOTS_VARIANT=dark
shoot LANG=de_DE.UTF-8 QUARN_SCREENSHOTS_VARIANT=de
# Another version to compare with: a baud rate and a comment changed, a signal gone, one new.
sed -e '0,/<Baudrate>50</s//<Baudrate>45.45</' \
  -e 's|<Comment>Maritime ARQ, 100 Bd</Comment>|<Comment>Maritime ARQ</Comment>|' \
  -e 's|Name="Baudot 75 Bd 850 Hz"|Name="Baudot 75 Bd 850 Hz (new)"|' examples/signals.xml >"$tmp/other.xml"
shoot LANG=C.UTF-8 QUARN_SCREENSHOTS_VARIANT=compare QUARN_SCREENSHOTS_OTHER="$tmp/other.xml"
shoot LANG=C.UTF-8 QUARN_SCREENSHOTS_VARIANT=compare-dark QUARN_SCREENSHOTS_OTHER="$tmp/other.xml"
echo "wrote docs/main-window.png docs/edit-dialog.png docs/carrier-list.png" \
  "docs/main-window-dark.png docs/main-window-de.png docs/main-window-compare.png" \
  "docs/main-window-compare-dark.png"
