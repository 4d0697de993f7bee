#!/usr/bin/env bash
# git mergetool through quarn-editor --merge as the README sets it up, in a repository of its
# own: a conflict left by the merge driver opens in the editor's conflicts window; a window
# closed without saving (here: ended by a signal) exits non-zero, git keeps the conflict and
# the working file stays as it was.
set -euo pipefail
tool=$1
editor=$2
command -v git >/dev/null || { echo "git is not installed"; exit 77; }
command -v timeout >/dev/null || { echo "timeout is not installed"; exit 77; }
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"
export GIT_CONFIG_NOSYSTEM=1 HOME=$dir QT_QPA_PLATFORM=offscreen
git init -q -b main repo && cd repo
git config user.email test@example.org && git config user.name test
git config merge.quarn.driver "$tool merge3 %O %A %B -o %A"
echo '*.xml merge=quarn' > .gitattributes
# The README's lines, the editor ended after a few seconds as a user closing it would.
git config mergetool.quarn.cmd "timeout 5 $editor --merge \"\$BASE\" \"\$LOCAL\" \"\$REMOTE\" -o \"\$MERGED\"; s=\$?; echo \$s > $dir/status; exit \$s"
git config mergetool.quarn.trustExitCode true
fail() { echo "FAIL: $*"; exit 1; }
db() { printf '<SignalDatabase><SignalList>\n%s\n</SignalList></SignalDatabase>\n' "$1"; }

db '<Signal Name="Bravo" Modulation="CW"/>' > s.xml && git add . && git commit -qm base
git checkout -qb theirs
db '<Signal Name="Bravo" Modulation="CW"><Comment>theirs</Comment></Signal>' > s.xml
git commit -qam theirs
git checkout -q main
db '<Signal Name="Bravo" Modulation="CW"><Comment>ours</Comment></Signal>' > s.xml
git commit -qam ours
if git merge -q --no-edit theirs >/dev/null 2>&1; then fail "the conflict merged silently"; fi
cp s.xml before.xml
if git mergetool -t quarn --no-prompt s.xml >mergetool.log 2>&1; then
    fail "an editor closed without saving resolved the conflict: $(cat mergetool.log)"
fi
# The window stayed open until the end (timeout's 124), and nothing was written.
[ "$(cat "$dir/status")" = 124 ] || fail "the editor ended by itself: $(cat "$dir/status") $(cat mergetool.log)"
[ -n "$(git ls-files -u s.xml)" ] || fail "git no longer keeps the conflict"
cmp -s s.xml before.xml || fail "the working file changed"
echo "ok: git keeps the conflict when the conflicts window is closed without saving"
