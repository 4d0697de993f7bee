#!/usr/bin/env bash
# Times quarn-tool check, report, convert, merge, import, diff and merge3 beside a bare expat walk (xmlwf) and libxml2's
# streaming reader (xmllint --stream), on the bench's own generated file and on a mix in
# which three signals in four name a decoder mode this version does not know. Medians of
# three runs; peak memory from GNU time (its KiB given as MB of 10^6 bytes). Usage: scripts/bench-tool.sh [COUNT...]
# (default 100000 1000000). Files go to $QUARN_BENCH_DIR (default /tmp/quarn-bench).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh libbenchmark-dev libpugixml-dev libxml2-dev expat libxml2-utils time bc
cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUARN_BUILD_BENCH=ON \
  -DQUARN_WERROR=ON -DQUARN_BUILD_TESTS=OFF >/dev/null
cmake --build build-bench --parallel "$(nproc)" >/dev/null
dir=${QUARN_BENCH_DIR:-/tmp/quarn-bench}
mkdir -p "$dir"
tool=build-bench/tools/quarn-tool
generate=build-bench/bench/quarn-generate

# Seconds and peak kB of one command: the median of three runs (by time).
measure() {
  for _ in 1 2 3; do
    /usr/bin/time -f '%e %M' -o "$dir/time.txt" "$@" >/dev/null 2>&1 || true
    tail -n 1 "$dir/time.txt" # after "Command exited with non-zero status", if any
  done | sort -n | sed -n 2p
}

# Each figure beside its goal and the reference it is measured against in the same run.
printf '| file | signals | MB | xmlwf s / MB | xmllint --stream s | check s / MB | check × xmlwf (goal ≤ 1.5) | check peak × file (goal ≤ 0.9) | report s (goal ≤ 2× check) | convert s (goal ≤ 1.5× xmllint) | merge of two s / MB (goal ≤ both + 64 MB) | import of its CSV s (CSV MB) / peak × CSV (goal ≤ 2) |\n'
printf '|---|---|---|---|---|---|---|---|---|---|---|---|\n'
counts=("$@")
[ ${#counts[@]} -eq 0 ] && counts=(100000 1000000)
for count1 in "${counts[@]}"; do
  {
    own="$dir/own-$count1.xml"
    mix="$dir/mix-$count1.xml"
    other="$dir/mix2-$count1.xml"
    [ -f "$own" ] || "$generate" "$count1" "$own" 1
    # Three modes in four renamed to names this version does not know (a newer decoder's).
    [ -f "$mix" ] || awk 'BEGIN { n = 0 } /<Signal / && n++ % 4 != 0 {
        sub(/Mode="[^"]*"/, "Mode=\"zz-newer-" (n % 7) "\"") } { print }' "$own" >"$mix"
    [ -f "$other" ] || { "$generate" "$count1" "$dir/own2-$count1.xml" 2 &&
      awk 'BEGIN { n = 0 } /<Signal / && n++ % 4 != 0 {
        sub(/Mode="[^"]*"/, "Mode=\"zz-newer-" (n % 7) "\"") } { print }' \
        "$dir/own2-$count1.xml" >"$other"; }
    for kind in own mix; do
      file="$dir/$kind-$count1.xml"
      second=$([ "$kind" = own ] && echo "$dir/own2-$count1.xml" || echo "$other")
      [ -f "$second" ] || "$generate" "$count1" "$second" 2
      mb=$(( $(stat -c %s "$file") / 1000000 ))
      read -r wf wfk < <(measure xmlwf "$file")
      read -r xl _ < <(measure xmllint --stream --noout "$file")
      read -r ck ckk < <(measure "$tool" check "$file")
      read -r rp _ < <(measure "$tool" report "$file")
      read -r cv _ < <(measure "$tool" convert "$file" -o "$dir/out.xml")
      read -r mg mgk < <(measure "$tool" merge "$file" "$second" -o "$dir/out.xml")
      csv="$dir/$kind-$count1.csv"
      [ -f "$csv" ] || "$tool" list --csv "$file" >"$csv"
      csvmb=$(echo "$(stat -c %s "$csv") / 1000000" | bc -l)
      read -r im imk < <(measure "$tool" import "$csv" -o "$dir/out.xml")
      both=$(( ($(stat -c %s "$file") + $(stat -c %s "$second")) / 1000000 + 64 ))
      printf '| %s | %s | %s | %s / %s | %s | %s / %s | %.2f | %.2f | %s (%.2f×) | %s (%.2f×) | %s / %s (goal %s) | %s (%.0f) / %.2f |\n' \
        "$kind" "$count1" "$mb" "$wf" "$((wfk * 1024 / 1000000))" "$xl" "$ck" "$((ckk * 1024 / 1000000))" \
        "$(echo "$ck / $wf" | bc -l)" "$(echo "$ckk * 1024 / $(stat -c %s "$file")" | bc -l)" \
        "$rp" "$(echo "$rp / $ck" | bc -l)" "$cv" "$(echo "$cv / $xl" | bc -l)" "$mg" "$((mgk * 1024 / 1000000))" \
        "$both" "$im" "$csvmb" "$(echo "$imk * 1024 / 1000000 / $csvmb" | bc -l)"
    done
  }
done

# Comparing and merging versions: diff of the file and a version with one signal in ten
# changed, and merge3 of two such versions, against opening both files (two checks).
printf '\n| signals | open both s | diff s (× open both) | merge3 s (× open both) | merge review s (goal ≤ 2× open both) |\n'
printf '|---|---|---|---|---|\n'
for count1 in "${counts[@]}"; do
  base="$dir/own-$count1.xml"
  ours="$dir/ours-$count1.xml"
  theirs="$dir/theirs-$count1.xml"
  [ -f "$ours" ] || awk 'BEGIN { n = 0 } /<Baudrate>/ && n++ % 10 == 0 {
      sub(/<Baudrate>[^<]*/, "<Baudrate>123") } { print }' "$base" >"$ours"
  [ -f "$theirs" ] || awk 'BEGIN { n = 0 } /<Baudrate>/ && n++ % 10 == 5 {
      sub(/<Baudrate>[^<]*/, "<Baudrate>321") } { print }' "$base" >"$theirs"
  read -r c1 _ < <(measure "$tool" check "$base")
  read -r c2 _ < <(measure "$tool" check "$ours")
  read -r df _ < <(measure "$tool" diff "$base" "$ours")
  read -r m3 _ < <(measure "$tool" merge3 "$base" "$ours" "$theirs" -o "$dir/out.xml")
  # What File > Merge's review is made of: both read and every signal of the other weighed.
  read -r rv _ < <(measure "$tool" merge --dry-run "$base" "$ours")
  both=$(echo "$c1 + $c2" | bc -l)
  printf '| %s | %.2f | %s (%.2f×) | %s (%.2f×) | %s (%.2f×) |\n' "$count1" "$both" "$df" \
    "$(echo "$df / $both" | bc -l)" "$m3" "$(echo "$m3 / $both" | bc -l)" "$rv" \
    "$(echo "$rv / $both" | bc -l)"
done
