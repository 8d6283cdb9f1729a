#!/bin/sh
# Formats the manual page as man does for a terminal, with every warning of
# groff on: the page must format without one.
set -eu
command -v groff >/dev/null || { echo "groff is missing: skipped"; exit 77; }
warnings=$(groff -man -Tutf8 -ww -z "$1" 2>&1)
[ -z "$warnings" ] || { echo "$warnings"; exit 1; }
echo "groff formats $1 without a warning"
