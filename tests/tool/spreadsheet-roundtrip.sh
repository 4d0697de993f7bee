#!/usr/bin/env bash
# Export, then LibreOffice Calc (CSV to XLSX and back to CSV), then import: the same signals
# as the database exported (tests/data/import/roundtrip.xml), but for the one whose missing
# symbol rate the import refuses. Skips where soffice is not installed.
set -euo pipefail
tool=$1
db=$2
command -v soffice >/dev/null || { echo "soffice (LibreOffice Calc) is not installed"; exit 77; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
calc() { soffice -env:UserInstallation="file://$dir/profile" --headless "$@" >/dev/null 2>&1; }
"$tool" list --csv "$db" > rows.csv
calc --convert-to xlsx --infilter="CSV:44,34,76,1" rows.csv
mkdir back
calc --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1' --outdir back rows.xlsx
[ -s back/rows.csv ] || { echo "FAIL: LibreOffice wrote no CSV"; exit 1; }
status=0
"$tool" import back/rows.csv -o back.xml || status=$?
[ "$status" -eq 1 ] || { echo "FAIL: import exited $status"; exit 1; }
differences=$("$tool" diff "$db" back.xml || true)
[ "$differences" = "- NoRate" ] || { echo "FAIL: after LibreOffice: $differences"; exit 1; }
echo "LibreOffice round trip: the same signals"
