#!/bin/sh
# Rewrites reference/*.ref from the highlighters' current output after a deliberate change.
# Review the difference (git diff tests/viewer/reference) before committing it.
#   tests/viewer/update-references.sh [build dir, default build]
set -e
top=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$top/build}
cmake --build "$build" --target tst_highlighters
ZEZUZUDOD_UPDATE_REFERENCES=1 "$top/tests/run-test.sh" "$build/tests/viewer/tst_highlighters" goldenFiles
