#!/bin/sh
# The uninstall target as a user meets it: scenario-tool installed into a
# prefix of its own, a file of the user's put beside it, then
#   cmake --build BUILD --target uninstall
# must leave the user's file and nothing of the install. Any manifest of an
# earlier install from BUILD is put back afterwards.
#   uninstall_check.sh BUILD
set -eu
build=$1
work=$(mktemp -d)
saved="$work/saved"
mkdir "$saved"
for m in "$build"/install_manifest*.txt; do
  [ -e "$m" ] && mv "$m" "$saved/"
done
restore() {
  rm -f "$build"/install_manifest*.txt
  for m in "$saved"/install_manifest*.txt; do
    [ -e "$m" ] && mv "$m" "$build/"
  done
  rm -rf "$work"
}
trap restore EXIT

prefix="$work/prefix with space"
cmake --install "$build" --prefix "$prefix" >/dev/null
[ -x "$prefix/bin/scenario-tool" ] || { echo "the install put no scenario-tool in $prefix/bin"; exit 1; }
mkdir -p "$prefix/share/doc"
echo mine > "$prefix/share/doc/notes.txt"
cmake --build "$build" --target uninstall >/dev/null

left=$(cd "$prefix" && find . -mindepth 1 | sort | tr '\n' ' ')
expected="./share ./share/doc ./share/doc/notes.txt "
if [ "$left" != "$expected" ]; then
  echo "after uninstall, $prefix holds: $left"
  echo "expected only the user's file: $expected"
  exit 1
fi
echo "uninstall removed the install and kept the user's file"
