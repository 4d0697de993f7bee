#!/usr/bin/env bash
# check-layers.sh fails on includes that point the wrong way however they are written: a
# relative path into a higher layer, and a Qt module the layer does not link.
set -euo pipefail
script=$1
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
cp -r "$2" "$copy/src"
"$script" "$copy/src" || { echo "check-layers: the unplanted sources fail"; exit 1; }
sed -i '1a #include "../view/VantorView.h"' "$copy/src/model/SignalSort.h"
sed -i '1a #include <QWidget>' "$copy/src/document/VantorDoc.cpp"
if said=$("$script" "$copy/src" 2>&1); then
  echo "check-layers: planted includes passed"
  exit 1
fi
grep -q 'model/SignalSort.h includes ../view/VantorView.h from view' <<<"$said" &&
  grep -q 'document/VantorDoc.cpp includes <QWidget> from QtWidgets' <<<"$said" || {
  echo "check-layers said: $said"
  exit 1
}
echo "check-layers: both planted includes found"
