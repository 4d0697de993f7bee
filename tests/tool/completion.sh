#!/usr/bin/env bash
# The bash completion of quarn-tool offers its commands, the options of each, the filters,
# the sort keys (with :desc) and XML files. Skipped (77) without bash-completion.
set -uo pipefail
framework=/usr/share/bash-completion/bash_completion
[ -r "$framework" ] || { echo "bash-completion is not installed"; exit 77; }
# shellcheck disable=SC1090
source "$framework"
source "$1"
cd "$(mktemp -d)" && touch a.xml b.txt && mkdir folder
status=0
offers() { # offers EXPECTED WORD...
  local expected=$1
  shift
  COMP_WORDS=(quarn-tool "$@")
  COMP_CWORD=$(($# ))
  COMP_LINE="quarn-tool $*"
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  _quarn_tool quarn-tool "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
  local got
  got=$(printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' ')
  if [ "$got" != "$expected" ]; then
    echo "FAIL: quarn-tool $*: got '$got', expected '$expected'"
    status=1
  fi
}
offers 'check convert ' c
offers 'report ' r
offers 'diff ' d
offers 'find ' f
offers '--tolerance --tones ' find --to
offers '--csv ' list --c
offers 'fsk fsk-multicarrier ' list --filter fsk
offers 'bandwidth baud ' list --sort ba
# Bash breaks the word at the colon: what follows it is offered.
offers 'desc ' list --sort shift:d
offers '-- -o ' convert in.xml -
offers 'a.xml folder ' check ''
offers '--dry-run ' merge --d
offers '--report ' merge3 a.xml --r
[ $status -eq 0 ] && echo "completion: every case passed"
exit $status
