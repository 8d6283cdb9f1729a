#!/bin/sh
# Runs a copy of the program with --version and with --help in a folder of
# its own: each must print, succeed, and write nothing beside the program.
set -eu
program="$1"
version="$2"
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp "$program" "$folder/lorvenna"
cd "$folder"
out=$(./lorvenna --version)
[ "$out" = "lorvenna $version" ] || { echo "--version printed: $out"; exit 1; }
./lorvenna --help | grep -q '^usage: lorvenna' || { echo "--help printed no usage"; exit 1; }
./lorvenna --help --version ignored-argument >/dev/null
left=$(ls -A)
[ "$left" = "lorvenna" ] || { echo "files written: $left"; exit 1; }
echo "--help and --version print and write nothing"
