#!/usr/bin/env bash
# screenshots.sh <dcfconfig> <folder> [tool options...]: starts the tool on the offscreen platform
# with the sample device file and saves a picture of each of its windows into <folder>. A fresh
# HOME keeps the user's settings out of the pictures and the pictures out of the settings.
set -euo pipefail
tool=$1
out=$2
shift 2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/dcfconfig.XXXXXX")
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"
mkdir -p "$out"
cp "$here/sample-io.eds" "$work/"

env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_CONFIG_HOME -u XDG_CACHE_HOME -u XDG_DATA_HOME \
    HOME="$work" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=1 \
    "$tool" --screenshots "$out" --lang en "$work/sample-io.eds" -o "$work/sample-io-node5.dcf" \
    "$@" >"$work/log" 2>&1 || { cat "$work/log" >&2; exit 1; }
