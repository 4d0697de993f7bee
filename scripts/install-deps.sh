#!/usr/bin/env bash
# Installs the Debian packages (12 and 13 name them alike) that building, running and testing need, plus any
# packages named as arguments (the benchmark, fuzzing and CI scripts name their extras).
# Packages already present are left alone. Works as root and, through sudo, as a normal
# user; without either it names what is missing and the command to ask an administrator for.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libexpat1-dev libx11-dev
  # build: OpenDocument spreadsheets are zip archives
  libzip-dev
  # build: lupdate and lrelease for the translations
  qt6-l10n-tools qt6-tools-dev
  # run: the SVG plugins draw the icons; Qt's own dialogs in the user's language
  libqt6svg6 qt6-translations-l10n
  # test: the freedesktop, AppStream and man page checks; a private session bus
  desktop-file-utils shared-mime-info libxml2-utils appstream man-db dbus-daemon bash-completion
  # test: real merges through the merge driver
  git
  # test: a screen reader's view of the running editor (AT-SPI on a private display)
  at-spi2-core python3-pyatspi xvfb qt6-qpa-plugins
  # package: cpack's Debian generator asks file(1) and dpkg-shlibdeps
  file dpkg-dev
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  run() { "$@"; }
elif command -v sudo >/dev/null 2>&1; then
  run() { sudo "$@"; }
else
  echo "install-deps: these packages are missing: ${missing[*]}" >&2
  echo "install-deps: neither root nor sudo is available; ask an administrator to run:" >&2
  echo "  apt-get install --no-install-recommends ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
run apt-get update -q || true
run apt-get install -y -q --no-install-recommends "${missing[@]}"
