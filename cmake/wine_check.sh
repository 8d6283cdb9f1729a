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
# A folder with an accented name: paths must pass through the system's
# wide-character calls intact.
windows_run="$work/Citt\303\240"
windows_run=$(printf "$windows_run")
mkdir "$work/linux" "$windows_run" "$work/texts"

# The program, copied into an empty folder and started there.
cp "$linux/lorvenna" "$work/linux/"
cp "$windows/lorvenna.exe" "$windows_run/"
(cd "$work/linux" && env -u DISPLAY ./lorvenna 2>/dev/null)
(cd "$windows_run" && xvfb-run -a wine ./lorvenna.exe)
rm "$work/linux/lorvenna" "$windows_run/lorvenna.exe"
for f in "$work"/linux/*; do
  cmp "$f" "$windows_run/$(basename "$f")"
done
[ "$(ls "$work/linux" | wc -l)" -eq 6 ] && [ "$(ls "$windows_run" | wc -l)" -eq 6 ]
echo "lorvenna.exe wrote the six files of the Linux run"

# The tool, compiling the embedded description texts.
# An accented scenario name reaches the records as the same bytes.
nome=$(printf "Citt\303\240")
"$linux/scenario-tool" init "$work/texts" --scenario "$nome"
cp -r "$work/texts" "$work/tool-linux"
cp -r "$work/texts" "$work/tool-windows"
"$linux/scenario-tool" compile "$work/tool-linux" --scenario "$nome" >/dev/null
wine "$windows/scenario-tool.exe" compile "$work/tool-windows" --scenario "$nome" >/dev/null
for f in "${nome}_linea.dat" "${nome}_2579bis.sim" "${nome}_2579bis.dat"; do
  cmp "$work/tool-linux/$f" "$work/tool-windows/$f"
done
echo "scenario-tool.exe compiled the binary files of the Linux tool"
