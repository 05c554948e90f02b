#!/usr/bin/env bash
# The main job of ./dev demo: the example tool commissions the sample device description into a
# DCF in a scratch folder; the demo shows what changed against the EDS and the debug log.
set -euo pipefail
tool=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME=$home
unset XDG_CONFIG_HOME XDG_DOCUMENTS_DIR
mkdir -m 700 "$home/runtime"
export XDG_RUNTIME_DIR=$home/runtime
mkdir "$home/out"
dcf=$home/out/sample-io-node5.dcf

args=(--node-id 5 --baudrate 250 --net-number 1 --network-name "Line 1" --node-name "io-left"
      --set 1017:0=1000 --set 1800:1='$NODEID+0x180' --set 1800:2=0xFE --set 6200:1=0x0F
      --set 2000:0=25)
echo "\$ dcfconfig sample-io.eds $(printf '%q ' "${args[@]}")-o sample-io-node5.dcf --debug-log"
"$tool" "$here/sample-io.eds" "${args[@]}" -o "$dcf" --debug-log
echo
echo "--- what the commissioning changed (the rest of the file is byte for byte the EDS)"
diff -u --label sample-io.eds --label sample-io-node5.dcf "$here/sample-io.eds" "$dcf" || true
echo
# The commissioning values persist: a second device of the same network needs only its node-ID.
dcf6=$home/out/sample-io-node6.dcf
echo "\$ dcfconfig sample-io.eds --node-id 6 --node-name io-right -o sample-io-node6.dcf"
"$tool" "$here/sample-io.eds" --node-id 6 --node-name io-right -o "$dcf6" >/dev/null
echo "--- its commissioning section, the network's values taken from the last run"
sed -n '/^\[DeviceComissioning\]/,/^\s*$/p' "$dcf6"
echo
for log in "$home"/Documents/varnio/*/*_DebugLog.dbo; do
    [ -f "$log" ] || continue
    echo "--- ${log#"$home"/}"
    cat "$log"
    echo
done
