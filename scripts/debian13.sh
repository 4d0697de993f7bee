#!/usr/bin/env bash
# Builds and tests the project on Debian 13 (Qt 6.8, GCC 14, a newer expat) in a chroot that
# debootstrap makes from this machine's configured Debian mirror: the README's install, build
# (warnings as errors) and test steps, run inside it. The chroot is kept in $QUARN_CHROOT
# (default /var/cache/quarn-ci/trixie) and reused by later runs; the sources are copied in
# afresh each time. Needs root (debootstrap, mount, chroot).
set -euo pipefail
cd "$(dirname "$0")/.."
root=${QUARN_CHROOT:-/var/cache/quarn-ci/trixie}

# The mirror this machine's own packages come from.
mirror=$(sed -n 's/^URIs: *\([^ ]*\).*/\1/p' /etc/apt/sources.list.d/*.sources 2>/dev/null |
  grep -v security | head -n 1 || true)
if [ -z "$mirror" ]; then
  mirror=$(awk '$1 == "deb" && $2 !~ /security/ { print $2; exit }' /etc/apt/sources.list 2>/dev/null || true)
fi
mirror=${mirror:-http://deb.debian.org/debian}

if [ ! -e "$root/.quarn-chroot" ]; then
  scripts/install-deps.sh debootstrap
  rm -rf "$root.new"
  mkdir -p "$(dirname "$root")"
  debootstrap --variant=minbase trixie "$root.new" "$mirror"
  touch "$root.new/.quarn-chroot"
  rm -rf "$root"
  mv "$root.new" "$root"
fi

mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" || true; done
}
trap cleanup EXIT
for place in proc dev/shm dev/pts; do
  mkdir -p "$root/$place"
  case $place in
    proc) mount -t proc proc "$root/proc" ;;
    dev/shm) mount -t tmpfs tmpfs "$root/dev/shm" ;;
    dev/pts) mount -t devpts devpts "$root/dev/pts" ;;
  esac
  mounted+=("$root/$place")
done
cp /etc/resolv.conf "$root/etc/resolv.conf"

# The sources as they are here, committed or not, without build folders.
rm -rf "$root/src"
mkdir -p "$root/src"
git ls-files -z --cached --others --exclude-standard |
  tar --null -T - -cf - | tar -xf - -C "$root/src"

chroot "$root" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  HOME=/root LANG=C.UTF-8 TERM=dumb bash -euo pipefail -c '
    cd /src
    . /etc/os-release
    echo "debian13: $PRETTY_NAME"
    scripts/install-deps.sh
    scripts/build.sh build
    QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure --parallel "$(nproc)"'
