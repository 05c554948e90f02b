#!/usr/bin/env bash
# demo.sh <build dir> [--window]: the demo of the example tool, for ./dev demo.
#
# Without --window, the command-line job commissions the sample device description into a DCF
# in a scratch folder and the demo shows what changed against the EDS and the debug log.
# With --window, the window opens with the sample device file and the local update server as its
# update server (Help > Check for Updates); once it is closed, the demo shows what it wrote.
set -euo pipefail
build=$(cd "$1" && pwd)
window=${2:-}
tool=$build/examples/dcfconfig/dcfconfig
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
home=$(mktemp -d)
server=
cleanup() {
    # Under set -e a wait that reports the signal would end the cleanup early.
    if [ -n "$server" ]; then kill "$server" 2>/dev/null; wait "$server" 2>/dev/null || true; fi
    rm -rf "$home"
}
trap cleanup EXIT
# A display's authority file is found through HOME unless named.
export XAUTHORITY=${XAUTHORITY:-$HOME/.Xauthority}
export HOME=$home
unset XDG_CONFIG_HOME XDG_DOCUMENTS_DIR XDG_CACHE_HOME XDG_DATA_HOME
mkdir "$home/out"

if [ "$window" = --window ]; then
    "$here/../updateserver/make-certs.sh" "$home/certs"
    "$build/examples/updateserver/updateserver" --cert "$home/certs/server.pem" \
        --key "$home/certs/server.key" "$here/../updateserver/versions.conf" \
        >"$home/url" 2>/dev/null &
    server=$!
    for _ in $(seq 50); do
        [ -s "$home/url" ] && break
        sleep 0.1
    done
    url=$(head -n 1 "$home/url")
    dcf=$home/out/sample-io.dcf
    echo "--- the window opens with sample-io.eds; Help > Check for Updates asks $url"
    echo "--- close it to end the demo"
    status=0
    "$tool" --gui "$here/sample-io.eds" -o "$dcf" --update-url "$url" \
        --update-ca "$home/certs/ca.pem" >/dev/null || status=$?
    echo
    [ "$status" -eq 0 ] || echo "--- the window ended with exit code $status"
    if [ -f "$dcf" ]; then
        echo "--- the window wrote sample-io.dcf; what the commissioning changed:"
        diff -u --label sample-io.eds --label sample-io.dcf "$here/sample-io.eds" "$dcf" || true
    else
        echo "--- the window was closed without writing a DCF"
    fi
    exit 0
fi

mkdir -m 700 "$home/runtime"
export XDG_RUNTIME_DIR=$home/runtime
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
