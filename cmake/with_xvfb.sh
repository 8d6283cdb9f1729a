#!/bin/sh
# Runs a command inside an X server of its own, at 96 dpi. Exits 77, which
# CTest reports as skipped, when no X server can be started here.
if ! command -v xvfb-run >/dev/null 2>&1 || ! command -v Xvfb >/dev/null 2>&1; then
  echo "xvfb-run or Xvfb not found: the window tests are skipped"
  exit 77
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96 -noreset" "$@"
