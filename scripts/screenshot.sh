#!/usr/bin/env bash
# Renders the main window on the sample database into docs/main-window.png (no display
# needed: the offscreen platform draws it).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh build
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p docs
XDG_CONFIG_HOME="$tmp/config" XDG_DATA_HOME="$tmp/data" XDG_RUNTIME_DIR="$tmp" \
QT_QPA_PLATFORM=offscreen QUARN_SCREENSHOT="$PWD/docs/main-window.png" \
  build/src/app/quarn-editor examples/signals.xml
echo "wrote docs/main-window.png"
