#!/usr/bin/env bash
# Checks that every layer of src/ includes only its own headers and those of the layers
# below it (docs/architecture.md draws them). Prints each include that points the wrong way.
set -euo pipefail
cd "$(dirname "$0")/../src"
declare -A allowed=(
  [model]="model"
  [io]="io"
  [format]="format io model"
  [document]="document format io model"
  [ui]="ui"
  [dialogs]="dialogs ui model"
  [view]="view dialogs document format io model ui"
  [app]="app view dialogs document format io model ui"
)
declare -A owner=()
for layer in "${!allowed[@]}"; do
  for header in "$layer"/*.h; do
    [ -e "$header" ] && owner[$(basename "$header")]=$layer
  done
done
status=0
for layer in "${!allowed[@]}"; do
  for file in "$layer"/*.h "$layer"/*.cpp; do
    [ -e "$file" ] || continue
    while read -r header; do
      home=${owner[$header]:-}
      [ -z "$home" ] && continue # a generated header or one of the platform's
      case " ${allowed[$layer]} " in
        *" $home "*) ;;
        *) echo "check-layers: $file includes $header from $home" >&2; status=1 ;;
      esac
    done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
  done
done
exit $status
