#!/bin/sh
# Completes scenario-tool command lines with the generated script, in bash
# itself, as a user's Tab would, in a folder holding one folder and one file.
set -eu
script=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
command -v bash >/dev/null || { echo "bash is missing: skipped"; exit 77; }
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder"
mkdir myscenario
touch route.svg

failed=0
# expect WORDS... -- LINES: completing the last of WORDS offers LINES, in order.
expect() {
  words=""
  while [ "$1" != "--" ]; do
    words="$words '$1'"
    shift
  done
  shift
  want=$(printf '%s\n' "$@")
  got=$(bash -c ". '$script'
    COMP_WORDS=($words); COMP_CWORD=\$((\${#COMP_WORDS[@]} - 1))
    _scenario_tool; printf '%s\n' \"\${COMPREPLY[@]}\"" 2>&1)
  if [ "$got" != "$want" ]; then
    echo "completing:$words"
    echo "  offered: $(echo "$got" | tr '\n' ' ')"
    echo "  wanted:  $(echo "$want" | tr '\n' ' ')"
    failed=1
  fi
}

expect scenario-tool ch -- check
expect scenario-tool --v -- --version
expect scenario-tool check my -- myscenario
expect scenario-tool check myscenario --format "" -- text json sarif
expect scenario-tool check myscenario --format = j -- json
expect scenario-tool check --encoding utf -- utf-8
expect scenario-tool check myscenario --no-warn mis -- missing-comma missing-field
expect scenario-tool check myscenario --w -- --warnings-as-errors
expect scenario-tool check --scenario myscenario "" -- myscenario
expect scenario-tool check --scenario "" --
expect scenario-tool diff myscenario my -- myscenario
expect scenario-tool compile myscenario --no-line --d -- --delete-texts
expect scenario-tool plot myscenario -o rou -- route.svg
expect scenario-tool watch --plot = rou -- route.svg
expect scenario-tool watch --plot=rou -- --plot=route.svg
expect scenario-tool explain segn -- segnale
expect scenario-tool explain lunghezza -- "lunghezza percorso"
expect scenario-tool explain segnale "" -- --help
expect scenario-tool lsp "" -- --help
expect scenario-tool nosuch "" --
[ "$failed" = 0 ] && echo "the completion offers what the command table has"
exit "$failed"
