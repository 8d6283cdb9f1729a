#!/bin/sh
# The Windows executables, run under Wine in an X server of their own, must
# write what the Linux executables write, byte for byte:
#   wine_check.sh LINUX_BUILD_DIR WINDOWS_BUILD_DIR
# Exits 77, which CTest reports as skipped, when Wine or Xvfb is missing.
set -eu
linux=$1
windows=$2
if ! command -v wine >/dev/null 2>&1 || ! command -v xvfb-run >/dev/null 2>&1; then
  echo "wine or xvfb-run not found: the Windows check is skipped"
  exit 77
fi
for f in "$linux/lorvenna" "$linux/scenario-tool"; do
  [ -x "$f" ] || { echo "$f is missing: build the default preset first"; exit 1; }
done
export WINEDEBUG=-all
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/linux" "$work/windows" "$work/texts"

# The program, copied into an empty folder and started there.
cp "$linux/lorvenna" "$work/linux/"
cp "$windows/lorvenna.exe" "$work/windows/"
(cd "$work/linux" && env -u DISPLAY ./lorvenna 2>/dev/null)
(cd "$work/windows" && xvfb-run -a wine ./lorvenna.exe)
rm "$work/linux/lorvenna" "$work/windows/lorvenna.exe"
for f in "$work"/linux/*; do
  cmp "$f" "$work/windows/$(basename "$f")"
done
[ "$(ls "$work/linux" | wc -l)" -eq 6 ] && [ "$(ls "$work/windows" | wc -l)" -eq 6 ]
echo "lorvenna.exe wrote the six files of the Linux run"

# The tool, compiling the embedded description texts.
"$linux/scenario-tool" init "$work/texts"
cp -r "$work/texts" "$work/tool-linux"
cp -r "$work/texts" "$work/tool-windows"
"$linux/scenario-tool" compile "$work/tool-linux" >/dev/null
wine "$windows/scenario-tool.exe" compile "$work/tool-windows" >/dev/null
for f in Lorvenna_linea.dat Lorvenna_2579bis.sim Lorvenna_2579bis.dat; do
  cmp "$work/tool-linux/$f" "$work/tool-windows/$f"
done
echo "scenario-tool.exe compiled the binary files of the Linux tool"
