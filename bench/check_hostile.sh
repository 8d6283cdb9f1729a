#!/bin/sh
# Measures `scenario-tool check` on hostile texts: the embedded scenario with
# one line of 20,000 bytes that are no UTF-8 (checked with --encoding utf-8),
# and with 5 MB of comment lines. Prints each run's time, peak memory and
# output size. Usage: check_hostile.sh SCENARIO_TOOL [WORK_DIR]
set -eu
tool="$1"
work="${2:-$(mktemp -d)}"
mkdir -p "$work"
rm -rf "$work/bad-bytes" "$work/comments"
"$tool" init "$work/bad-bytes" >/dev/null
"$tool" init "$work/comments" >/dev/null
line=Lorvenna_linea.txt
# 20,000 bytes 0xFF on one line, at the end of the line text.
head -c 20000 /dev/zero | tr '\000' '\377' >>"$work/bad-bytes/$line"
printf '\r\n' >>"$work/bad-bytes/$line"
# 5 MB of lines "#", each a comment warning.
yes '#' | head -c 5000000 >>"$work/comments/$line"
measure() {
  name="$1"; shift
  /usr/bin/time -f "%e %M" -o "$work/time" "$@" >"$work/out" 2>/dev/null || true
  read -r seconds kib <<EOT
$(tail -n 1 "$work/time")
EOT
  printf '%-28s %8ss %10s KiB max RSS %12s bytes of output\n' "$name" "$seconds" "$kib" \
    "$(wc -c <"$work/out")"
  tail -n 1 "$work/out" | cut -c 1-160
}
measure "20,000 bad bytes, text" "$tool" check "$work/bad-bytes" --encoding utf-8
measure "20,000 bad bytes, json" "$tool" check "$work/bad-bytes" --encoding utf-8 --format json
measure "5 MB of comments, text" "$tool" check "$work/comments"
measure "5 MB of comments, sarif" "$tool" check "$work/comments" --format sarif
