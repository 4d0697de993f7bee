#!/usr/bin/env bash
# Export, then LibreOffice Calc (CSV to XLSX and back to CSV; ODS to XLSX and back to ODS), then
# import: the same signals as the database exported (tests/data/import/roundtrip.xml), but for
# the one whose missing symbol rate the import refuses. Skips where soffice is not installed.
set -euo pipefail
tool=$1
db=$2
command -v soffice >/dev/null || { echo "soffice (LibreOffice Calc) is not installed"; exit 77; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
calc() { soffice -env:UserInstallation="file://$dir/profile" --headless "$@" >/dev/null 2>&1; }
# Through the spreadsheet and back: $1 the export's form, $2 the form between.
through() {
    rm -rf out back back.xml && mkdir out back
    if [ "$1" = csv ]; then
        "$tool" list --csv "$db" > out/rows.csv
        calc --convert-to "$2" --infilter="CSV:44,34,76,1" --outdir out out/rows.csv
        calc --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1' --outdir back "out/rows.$2"
    else
        "$tool" list --ods "$db" > out/rows.ods
        calc --convert-to "$2" --outdir out out/rows.ods
        calc --convert-to ods --outdir back "out/rows.$2"
    fi
    [ -s "back/rows.$1" ] || { echo "FAIL: LibreOffice wrote no $1 from $2"; exit 1; }
    status=0
    "$tool" import "back/rows.$1" -o back.xml || status=$?
    [ "$status" -eq 1 ] || { echo "FAIL: $1 through $2: import exited $status"; exit 1; }
    differences=$("$tool" diff "$db" back.xml || true)
    [ "$differences" = "- NoRate" ] || { echo "FAIL: $1 through $2: $differences"; exit 1; }
}
through csv xlsx
through ods xlsx
echo "LibreOffice round trip: the same signals"
