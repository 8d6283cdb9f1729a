#!/bin/sh
# Checks the naming rule with clang-tidy over every source file of a build
# folder's compile_commands.json. Usage: check_naming.sh BUILD_DIR
set -eu
build="$1"
root=$(cd "$(dirname "$0")/.." && pwd)
runner=$(command -v run-clang-tidy || command -v run-clang-tidy-14 || true)
[ -n "$runner" ] || { echo "run-clang-tidy is not installed (Debian: clang-tidy)"; exit 1; }
# Every layer's sources, at any depth (cmake/layers.cmake names them).
layers=$(cmake -DPRINT=1 -P "$root/cmake/check_layers.cmake" | paste -sd '|')
"$runner" -quiet -p "$build" -extra-arg=-Wno-unknown-warning-option -j "$(nproc)" \
  "^$root/($layers)/" \
  >"$build/naming.log" 2>&1 || status=$?
grep -E "warning:|error:" "$build/naming.log" | sort -u || true
[ "${status:-0}" -eq 0 ] && echo "naming: no finding" || exit 1
