#!/usr/bin/env bash
# Checks that every layer of src/ (or of the folder given as $1) includes only its own headers
# and those of the layers below it (docs/architecture.md draws them), and only the Qt modules
# its library links. Each include is resolved to its file: by path relative to the including
# file first, then by name among the layers' headers; a Qt header by the module folder that
# holds it. Prints each include that points the wrong way.
set -euo pipefail
src=$(cd "${1:-$(dirname "$0")/../src}" && pwd)
cd "$src"
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
# The Qt modules each layer's library may use (none for the model).
declare -A modules=(
  [model]=""
  [io]="QtCore"
  [format]="QtCore"
  [document]="QtCore QtGui"
  [ui]="QtCore QtGui QtWidgets"
  [dialogs]="QtCore QtGui QtWidgets"
  [view]="QtCore QtGui QtWidgets"
  [app]="QtCore QtGui QtWidgets QtDBus QtNetwork"
)
declare -A owner=()
for layer in "${!allowed[@]}"; do
  for header in "$layer"/*.h; do
    [ -e "$header" ] && owner[$(basename "$header")]=$layer
  done
done
qt=$(ls -d /usr/include/*/qt6 /usr/include/qt6 2>/dev/null | head -n 1 || true)

# The layer of an included file, or empty when it is not one of src/'s.
layer_of() {
  local file=$1
  case $file in
    "$src"/*/*) file=${file#"$src"/}; echo "${file%%/*}" ;;
    *) echo "" ;;
  esac
}

status=0
fail() {
  echo "check-layers: $1" >&2
  status=1
}
for layer in "${!allowed[@]}"; do
  for file in "$layer"/*.h "$layer"/*.cpp; do
    [ -e "$file" ] || continue
    while read -r kind header; do
      if [ "$kind" = '"' ]; then
        home=""
        if [ -e "$(dirname "$file")/$header" ]; then
          home=$(layer_of "$(realpath "$(dirname "$file")/$header")")
          [ -n "$home" ] || fail "$file includes $header from outside src"
        elif [[ $header == */* ]]; then
          fail "$file includes $header, which is no file of its layers"
          continue
        else
          home=${owner[$header]:-}
        fi
        [ -z "$home" ] && continue # a generated header (moc, ui) or one of the platform's
        case " ${allowed[$layer]} " in
          *" $home "*) ;;
          *) fail "$file includes $header from $home" ;;
        esac
      elif [ -n "$qt" ] && [[ $header == Q* || $header == Qt*/* ]]; then
        found=$(ls -d "$qt"/Qt*/"${header##*/}" 2>/dev/null | head -n 1 || true)
        [[ $header == Qt*/* ]] && found="$qt/$header"
        [ -e "$found" ] || continue
        module=${found#"$qt"/}
        module=${module%%/*}
        case " ${modules[$layer]} " in
          *" $module "*) ;;
          *) fail "$file includes <$header> from $module" ;;
        esac
      fi
    done < <(sed -n 's/^#include \(["<]\)\([^">]*\)[">].*/\1 \2/p' "$file")
  done
done
exit $status
