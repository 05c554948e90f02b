#!/bin/sh
# Runs one test executable with the offscreen platform and a HOME of its own that is removed
# afterwards, so that settings and documents of the real user are never touched.
home=$(mktemp -d "${TMPDIR:-/tmp}/zezuzudod-test-home.XXXXXX") || exit 1
trap 'chmod -R u+w "$home" 2>/dev/null; rm -rf "$home"' EXIT
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_DOCUMENTS_DIR DISPLAY WAYLAND_DISPLAY
mkdir -m 700 "$home/runtime"
export XDG_RUNTIME_DIR=$home/runtime
# Only a build with the thread sanitizer reads this; Qt is not built with it (see the file).
export TSAN_OPTIONS="${TSAN_OPTIONS:+$TSAN_OPTIONS:}suppressions=$(cd "$(dirname "$0")" && pwd)/tsan.supp"
HOME=$home QT_QPA_PLATFORM=offscreen "$@"
