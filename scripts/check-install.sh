#!/usr/bin/env bash
# Installs the build in $1 (default build) into a staging folder, checks every installed
# file with the freedesktop, AppStream and man tools, then builds the Debian package with
# cpack and runs lintian on it (no errors allowed). The package stays in the build folder.
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
    share/doc/quarn-editor/user-guide.md; do
  [ -f "$stage/usr/$file" ] || { echo "check-install: missing $file" >&2; exit 1; }
done
desktop-file-validate "$stage/usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$stage/usr/share/metainfo/$id.metainfo.xml"
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
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/quarn-editor_*.deb)
lintian --fail-on error "$deb"
echo "check-install: $deb and the staging install pass"
