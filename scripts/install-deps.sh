#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the benchmarks need; packages
# already present are left alone. Works as root and, through sudo, as a normal user.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools libgl-dev libxml2-dev libexpat1-dev libx11-dev
  libxml2-utils desktop-file-utils shared-mime-info
  libbenchmark-dev libpugixml-dev clang libclang-rt-14-dev qt6-svg-dev
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
  echo "install-deps: these packages are missing and neither root nor sudo is available:" >&2
  echo "  ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
run apt-get update -q || true
run apt-get install -y -q --no-install-recommends "${missing[@]}"
