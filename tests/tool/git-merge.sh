#!/usr/bin/env bash
# git merge through quarn-tool merge3 as the README sets it up, in a repository of its own:
# both sides' changes arrive; a side that replaced the database with another XML file, or
# changed what a save cannot keep, is a conflict that leaves ours in the working file; both
# branches adding the file merge both additions.
set -euo pipefail
tool=$1
command -v git >/dev/null || { echo "git is not installed"; exit 77; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
export GIT_CONFIG_NOSYSTEM=1 HOME=$dir
git init -q -b main repo && cd repo
git config user.email test@example.org && git config user.name test
git config merge.quarn.driver "$tool merge3 %O %A %B -o %A"
echo '*.xml merge=quarn' > .gitattributes
db() { # the signals given, one per argument, as a database file
    printf '<SignalDatabase><SignalList>\n'
    printf '%s\n' "$@"
    printf '</SignalList></SignalDatabase>\n'
}
a='<Signal Name="Alpha" Modulation="PSK-2"><Baudrate>100</Baudrate></Signal>'
b='<Signal Name="Bravo" Modulation="CW"/>'
fail() { echo "FAIL: $*"; exit 1; }
names() { "$tool" list --json "$1" | grep -o '"name": "[^"]*"' | tr '\n' ' '; }

db "$a" "$b" > s.xml && git add . && git commit -qm base
git checkout -qb theirs
db "${a/100/200}" "$b" > s.xml && git commit -qam "theirs: rate"
git checkout -q main
db "$a" "${b/\/>/><Comment>ours<\/Comment><\/Signal>}" > s.xml && git commit -qam "ours: comment"
git merge -q --no-edit theirs >/dev/null 2>&1 || fail "a clean merge conflicted"
"$tool" list s.xml | grep -q $'Alpha\tno-mode\tPSK-2\t\t200' || fail "theirs' rate is missing"
"$tool" list s.xml | grep -q 'ours$' || fail "ours' comment is missing"

# Theirs replaced the database with another XML file: a conflict, ours stays.
git checkout -qb other && printf '<project/>\n' > s.xml && git commit -qam "not a database"
git checkout -q main && db "$a" > s.xml && git commit -qam "ours: Bravo removed"
if git merge -q --no-edit other >/dev/null 2>&1; then fail "another XML file merged silently"; fi
[ "$(names s.xml)" = '"name": "Alpha" ' ] || fail "the working file is not ours: $(cat s.xml)"
git merge --abort

# A comment before the root that theirs added: merged in.
git checkout -qb commented && { echo '<!-- kept by theirs -->'; db "$a"; } > s.xml &&
    git commit -qam "theirs: comment"
git checkout -q main && db "$a" "$b" > s.xml && git commit -qam "ours: Bravo back"
git merge -q --no-edit commented >/dev/null 2>&1 || fail "theirs' comment conflicted"
grep -q '<!-- kept by theirs -->' s.xml || fail "theirs' comment is missing"

# An element outside the signals, which no save keeps: said, a conflict.
git checkout -qb vendor &&
    printf '<SignalDatabase><Vendor/><SignalList>%s</SignalList></SignalDatabase>\n' "$a" > s.xml &&
    git commit -qam "theirs: vendor element"
git checkout -q main && db "$a" > s.xml && git commit -qam "ours: Bravo removed again"
if git merge -q --no-edit vendor >/dev/null 2>&1; then fail "a dropped element merged silently"; fi
git merge --abort

# Both branches add a file: the base is empty, both additions arrive.
git checkout -qb add-theirs && db "$b" > t.xml && git add t.xml && git commit -qm "theirs adds t"
git checkout -q main && db "$a" > t.xml && git add t.xml && git commit -qm "ours adds t"
git merge -q --no-edit add-theirs >/dev/null 2>&1 || fail "both adding the file conflicted"
[ "$(names t.xml)" = '"name": "Alpha" "name": "Bravo" ' ] || fail "t.xml: $(names t.xml)"
echo "git merge: all cases as expected"
