#!/bin/sh
# Builds the Windows installer with Debian's wixl from the files in the
# staging folder given, reproducibly: the files are dated at the last
# commit (SOURCE_DATE_EPOCH), wixl, which writes the time it runs into the
# installer, runs at that time, and the package code, which wixl makes up at
# random, is the one given.
#
#   msi.sh STAGING-FOLDER WXS-FILE OUTPUT PACKAGE-CODE
set -eu

stage=$1
wxs=$(realpath "$2")
out=$(realpath -m "$3")
package_code=$4
epoch=${SOURCE_DATE_EPOCH:-0}

touch -d "@$epoch" "$stage"/*
cd "$stage"
TZ=UTC faketime -f "@$(TZ=UTC date -d "@$epoch" '+%Y-%m-%d %H:%M:%S')" wixl -a x64 -o "$out" "$wxs"
msibuild "$out" -s "Fractal Tree" "The Fractal Tree developers" "x64;1033" "{$package_code}"
