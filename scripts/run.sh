#!/usr/bin/env bash
# Installs what is missing, builds, and opens the sample database in the editor. Without a
# display it says so and lists the database with the headless tool instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
file=${1:-examples/signals.xml}
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
  exec build/src/app/quarn-editor "$file"
fi
echo "run.sh: no display (DISPLAY and WAYLAND_DISPLAY are not set): the editor needs a" >&2
echo "run.sh: desktop session. Listing $file with quarn-tool instead." >&2
exec build/tools/quarn-tool list "$file"
