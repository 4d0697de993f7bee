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
echo "wrote docs/main-window.png docs/edit-dialog.png docs/carrier-list.png" \
  "docs/main-window-dark.png docs/main-window-de.png"
