#!/usr/bin/env bash
# Renders the main window on the sample database, the edit dialog on its FSK multicarrier
# signal and that signal's carrier list into docs/*.png (no display needed: the offscreen
# platform draws them).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh build
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p docs
XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data" XDG_RUNTIME_DIR="$tmp" \
QT_QPA_PLATFORM=offscreen QUARN_SCREENSHOTS="$PWD/docs" \
  build/src/app/quarn-editor examples/signals.xml
echo "wrote docs/main-window.png docs/edit-dialog.png docs/carrier-list.png"
