#!/usr/bin/env bash
# Installs what is missing, builds, and lists the sample database with the headless tool.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
build/tools/quarn-tool list "${@:-examples/signals.xml}"
