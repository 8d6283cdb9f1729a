#!/bin/sh
# Meets the release packages as a user does, away from the build trees:
#   package_check.sh PACKAGE_BUILD_DIR LINUX_BUILD_DIR
# PACKAGE_BUILD_DIR holds what `cmake --workflow --preset package` made;
# LINUX_BUILD_DIR is a build of the default preset, whose programs write the
# files the packaged ones must write, byte for byte.
#   - the Debian package: lintian finds no error; installed on this machine,
#     scenario-tool runs `init` and `compile` from /usr/bin; then removed;
#   - the Linux archive: unpacked into a fresh folder, lorvenna runs there;
#   - the Windows zip: unpacked into a folder with an accented name, both
#     executables run under Wine (skipped where there is no zip or no Wine).
# Run as root (it installs and removes the Debian package).
set -eu
packages=$(cd "$1" && pwd)
linux=$(cd "$2" && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$packages/CMakeCache.txt")
work=$(mktemp -d)
installed=""
cleanup() {
  [ -z "$installed" ] || apt-get remove -y -q scenario-tool >/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# What the build's own programs write: the six files of lorvenna's run, and
# the three binary files scenario-tool compiles from the texts `init` writes.
mkdir "$work/expected" "$work/expected-tool"
cp "$linux/lorvenna" "$work/expected/"
(cd "$work/expected" && env -u DISPLAY ./lorvenna 2>/dev/null && rm lorvenna)
"$linux/scenario-tool" init "$work/expected-tool" >/dev/null
"$linux/scenario-tool" compile "$work/expected-tool" >/dev/null
same_run() {  # folder, what: the folder holds exactly the six files expected
  for f in "$work"/expected/*; do
    cmp "$f" "$1/$(basename "$f")"
  done
  echo "$2 wrote the six files of the build's run"
}
same_compile() {  # folder, what
  for f in Lorvenna_linea.dat Lorvenna_2579bis.sim Lorvenna_2579bis.dat; do
    cmp "$work/expected-tool/$f" "$1/$f"
  done
  echo "$2 compiled the binary files of the build's tool"
}

# The Debian package.
deb="$packages/scenario-tool_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { echo "$deb is missing"; exit 1; }
lintian --fail-on error --display-level '>=warning' "$deb"
echo "lintian: no error in $(basename "$deb")"
installed=yes
apt-get install -y -q "$deb" >/dev/null
[ "$(command -v scenario-tool)" = /usr/bin/scenario-tool ]
mkdir "$work/deb"
# Debian's scenario-tool uses the system's libraries; the portable one none.
file -L /usr/bin/scenario-tool | grep -q "dynamically linked"
(cd "$work/deb" && /usr/bin/scenario-tool init texts >/dev/null &&
  /usr/bin/scenario-tool compile texts >/dev/null)
same_compile "$work/deb/texts" "the installed scenario-tool"
/usr/bin/scenario-tool --version | grep -q "$version"
for f in /usr/share/doc/scenario-tool/copyright /usr/share/doc/scenario-tool/reference.md; do
  [ -f "$f" ] || { echo "the package did not install $f"; exit 1; }
done
apt-get remove -y -q scenario-tool >/dev/null
installed=""
[ ! -e /usr/bin/scenario-tool ] || { echo "/usr/bin/scenario-tool outlived its package"; exit 1; }
echo "the Debian package installs, runs and removes cleanly"

# The portable Linux folder.
archive="$packages/lorvenna-$version-linux-x86_64.tar.gz"
mkdir "$work/linux"
tar -xzf "$archive" -C "$work/linux"
folder="$work/linux/lorvenna-$version-linux-x86_64"
for f in lorvenna scenario-tool README.md reference.md LICENSE; do
  [ -f "$folder/$f" ] || { echo "$(basename "$archive") lacks $f"; exit 1; }
done
file "$folder/scenario-tool" | grep -q "statically linked"
(cd "$folder" && env -u DISPLAY ./lorvenna 2>/dev/null)
same_run "$folder" "the unpacked lorvenna"
cp -r "$work/expected-tool" "$work/linux-tool"
rm "$work"/linux-tool/*.dat "$work"/linux-tool/*.sim
"$folder/scenario-tool" compile "$work/linux-tool" >/dev/null
same_compile "$work/linux-tool" "the unpacked scenario-tool"

# The Windows zip, in a folder with an accented name: paths must pass through
# the system's wide-character calls intact.
zip="$packages/lorvenna-$version-windows-x86_64.zip"
if [ ! -f "$zip" ]; then
  echo "SKIPPED: no Windows zip (no MinGW-w64 where the packages were made)"
  exit 0
fi
if ! command -v wine >/dev/null 2>&1 || ! command -v xvfb-run >/dev/null 2>&1; then
  echo "SKIPPED: the Windows zip's run (no wine or xvfb-run)"
  exit 0
fi
export WINEDEBUG=-all
windows=$(printf "$work/Citt\303\240")
mkdir "$windows"
(cd "$windows" && unzip -q "$zip")
folder="$windows/lorvenna-$version-windows-x86_64"
for f in lorvenna.exe scenario-tool.exe README.md reference.md LICENSE; do
  [ -f "$folder/$f" ] || { echo "$(basename "$zip") lacks $f"; exit 1; }
done
(cd "$folder" && xvfb-run -a wine ./lorvenna.exe)
same_run "$folder" "the unzipped lorvenna.exe"
cp -r "$work/expected-tool" "$windows/tool"
rm "$windows"/tool/*.dat "$windows"/tool/*.sim
wine "$folder/scenario-tool.exe" compile "$windows/tool" >/dev/null
same_compile "$windows/tool" "the unzipped scenario-tool.exe"
