#!/bin/sh
# Runs the program, and scenario-tool's compile, with less and less address
# space. Each run must end well (0), or stop with status 2 and say it ran
# out of memory, leaving no temporary file; it must never abort. Runs too
# small for the system to load the program at all (127), or to start it so
# far that `--version` answers, say nothing of it.
set -eu
program="$1"
tool="$2"
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp "$program" "$folder/lorvenna"
"$tool" init "$folder/texts" >/dev/null
failures=0
check() {  # limit, status, what, folder to look in
  case "$2" in
    0 | 127) ;;
    2) grep -q "out of memory" "$folder/err" ||
         { echo "$3 at $1 KiB: status 2 without saying why:"; cat "$folder/err"; failures=1; } ;;
    *) echo "$3 at $1 KiB: status $2"; cat "$folder/err"; failures=1 ;;
  esac
  if ls "$4" | grep -q '\.part$'; then echo "$3 at $1 KiB left a temporary"; failures=1; fi
}
starts() {  # limit, program
  (ulimit -v "$1"; exec "$2" --version) >/dev/null 2>&1
}
kib=4000
while [ "$kib" -le 12000 ]; do
  if starts "$kib" "$folder/lorvenna"; then
    status=0
    (ulimit -v "$kib"; exec "$folder/lorvenna") >/dev/null 2>"$folder/err" || status=$?
    check "$kib" "$status" lorvenna "$folder"
    if [ "$status" -eq 2 ] && ls "$folder" | grep -q 'Lorvenna_linea.txt\|-\.txt$'; then
      echo "lorvenna at $kib KiB left a description text"; failures=1
    fi
  fi
  if starts "$kib" "$tool"; then
    status=0
    (ulimit -v "$kib"; exec "$tool" compile "$folder/texts") >/dev/null 2>"$folder/err" || status=$?
    [ "$status" -eq 1 ] && status=0  # a recorded code is the compile's own answer
    check "$kib" "$status" "scenario-tool compile" "$folder/texts"
  fi
  kib=$((kib + 40))
done
[ "$failures" -eq 0 ] && echo "every run ended well or said it ran out of memory"
exit "$failures"
