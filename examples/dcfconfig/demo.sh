#!/usr/bin/env bash
# The main job of ./dev demo: runs the example tool with a debug log and shows what it wrote.
set -euo pipefail
tool=$1
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home
unset XDG_CONFIG_HOME XDG_DOCUMENTS_DIR
mkdir -m 700 "$home/runtime"
export XDG_RUNTIME_DIR=$home/runtime

echo "\$ dcfconfig --debug-log"
"$tool" --debug-log
echo
for log in "$home"/Documents/varnio/*/*_DebugLog.dbo; do
    [ -f "$log" ] || continue
    echo "--- ${log#"$home"/}"
    cat "$log"
done
