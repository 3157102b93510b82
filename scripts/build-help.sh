#!/bin/sh
# Rebuilds the program's help file content/ghelp.chm from the GB2312 sources
# in content/help with chmcmd (Free Pascal's CHM compiler). The built file is
# kept in the repository, so machines without chmcmd still ship the help.
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
src="$root/content/help"

if ! command -v chmcmd >/dev/null 2>&1; then
    echo "build-help.sh: chmcmd not found (Debian/Ubuntu: apt-get install fp-utils)" >&2
    exit 1
fi

cd "$src"
rm -f ghelp.chm
chmcmd ghelp.hhp
mv -f ghelp.chm "$root/content/ghelp.chm"
echo "Wrote $root/content/ghelp.chm"
