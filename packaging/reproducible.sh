#!/bin/sh
# Builds the packages twice from the sources given, in two folders of their
# own and at two different times, and compares them byte for byte; diffoscope,
# where installed, tells what differs. The Windows and web builds'
# dependencies are built once and shared, at the paths given.
#
#   reproducible.sh SOURCE-FOLDER WINDOWS-DEPS-FOLDER WEB-DEPS-FOLDER
set -eu

source=$(realpath "$1")
windows_deps=$(realpath -m "$2")
web_deps=$(realpath -m "$3")
epoch=$(git -C "$source" log -1 --format=%ct)
work=$(mktemp -d "${TMPDIR:-/tmp}/fractal-tree-reproducible-XXXXXX")
trap 'rm -rf "$work"' EXIT

for copy in first second; do
  mkdir -p "$work/$copy"
  git -C "$source" ls-files -z | (cd "$source" && xargs -0 cp --parents -t "$work/$copy")
  (cd "$work/$copy" && SOURCE_DATE_EPOCH=$epoch make package WINDOWS_DEPS="$windows_deps" WEB_DEPS="$web_deps" PRESET=default >"$work/$copy.log" 2>&1) ||
    { tail -40 "$work/$copy.log"; exit 1; }
  sleep 2
done

status=0
for package in "$work/first/build/packages"/*; do
  name=$(basename "$package")
  if cmp -s "$package" "$work/second/build/packages/$name"; then
    echo "same: $name"
  else
    echo "differs: $name"
    status=1
    if command -v diffoscope >/dev/null; then
      diffoscope --text - "$package" "$work/second/build/packages/$name" | head -60 || true
    fi
  fi
done
exit $status
