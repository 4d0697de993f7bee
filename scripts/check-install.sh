#!/usr/bin/env bash
# Installs the build in $1 (default build) into a staging folder, checks every installed
# file with the freedesktop, AppStream and man tools, then builds the Debian package with
# cpack and runs lintian --pedantic on it (no errors, no hardening tags allowed). The package stays in the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cmake --install "$build" --prefix "$stage/usr" >/dev/null
id=com.korvel.QuarnEditor
for file in \
    bin/quarn-editor bin/quarn-tool \
    share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/mime/packages/$id.xml \
    share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/256x256/apps/$id.png \
    share/icons/hicolor/scalable/mimetypes/application-x-quarn-signal-database.svg \
    share/man/man1/quarn-editor.1.gz share/man/man1/quarn-tool.1.gz \
    share/doc/quarn-editor/copyright share/doc/quarn-editor/changelog.gz \
    share/doc/quarn-editor/user-guide.md share/bash-completion/completions/quarn-tool; do
  [ -f "$stage/usr/$file" ] || { echo "check-install: missing $file" >&2; exit 1; }
done
desktop-file-validate "$stage/usr/share/applications/$id.desktop"
appstreamcli validate --pedantic --no-net "$stage/usr/share/metainfo/$id.metainfo.xml"
for page in "$stage"/usr/share/man/man1/*.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || { echo "check-install: $page: $warnings" >&2; exit 1; }
done
# Both programs answer --help and --version without a display.
for program in quarn-editor quarn-tool; do
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$stage/usr/bin/$program" --version |
    grep -q "^$program (Quarn Editor) "
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$stage/usr/bin/$program" --help |
    grep -q "quarn-"
done
# The MIME package makes GIO and Qt tell a signal database (with or without byte-order mark
# and declaration) from other XML, in one database with the system's types as the package
# gets it. (Qt 6.4 weighs the *.xml globs of separate data folders wrongly: installed under
# another prefix, Qt may take any XML file for a signal database; GIO does not.) The user's
# own data folder is left out: a registration there would stand in the way.
samples=$(mktemp -d)
trap 'rm -rf "$stage" "$samples"' EXIT
mkdir -p "$samples/share/mime/packages"
cp "$stage/usr/share/mime/packages/$id.xml" /usr/share/mime/packages/freedesktop.org.xml \
  "$samples/share/mime/packages/"
update-mime-database "$samples/share/mime"
printf '\xef\xbb\xbf<?xml version="1.0"?>\n<SignalDatabase><SignalList/></SignalDatabase>\n' \
  >"$samples/bom.xml"
printf '<SignalDatabase xmlns:v="urn:v"><SignalList><v:x/></SignalList></SignalDatabase>\n' \
  >"$samples/bare.xml"
cp examples/signals.xml "$samples/signals.xml"
printf '<?xml version="1.0"?>\n<config><value/></config>\n' >"$samples/config.xml"
for sample in bom bare signals config; do
  expected=application/x-quarn-signal-database
  [ "$sample" = config ] && expected=application/xml
  detected=$(XDG_DATA_HOME="$samples/home" XDG_DATA_DIRS="$samples/share" \
    gio info -a standard::content-type "$samples/$sample.xml" | sed -n 's/.*content-type: //p')
  [ "$detected" = "$expected" ] ||
    { echo "check-install: gio says $sample.xml is $detected, not $expected" >&2; exit 1; }
  detected=$(XDG_DATA_HOME="$samples/home" XDG_DATA_DIRS="$samples/share" \
    "$build/tests/app/mime-type-of" "$samples/$sample.xml")
  [ "$detected" = "$expected" ] ||
    { echo "check-install: Qt says $sample.xml is $detected, not $expected" >&2; exit 1; }
done
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/quarn-editor_*.deb)
# No errors, and none of the hardening tags (the release flags of dpkg-buildflags).
report=$(lintian --pedantic --fail-on error "$deb" 2>&1) || { echo "$report" >&2; exit 1; }
if grep -E '(^|: )hardening-' <<<"$report" >&2; then
  echo "check-install: the programs lack hardening" >&2
  exit 1
fi
echo "check-install: $deb and the staging install pass"
