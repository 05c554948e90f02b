#!/usr/bin/env bash
# demo.sh <build dir>: starts the update server on 127.0.0.1 with a certificate authority made
# for the run, asks it about a product with a newer version and one that is up to date with
# both checkers, and stops the server again.
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
server_bin=$build/examples/updateserver/updateserver
check_bin=$build/examples/updateserver/updatecheck

work=$(mktemp -d)
server=
cleanup() {
    # Under set -e a wait that reports the signal would end the cleanup early.
    if [ -n "$server" ]; then kill "$server" 2>/dev/null; wait "$server" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT
export HOME=$work

"$here/make-certs.sh" "$work/certs"
"$server_bin" --cert "$work/certs/server.pem" --key "$work/certs/server.key" \
    "$here/versions.conf" >"$work/url" 2>"$work/server.log" &
server=$!
for _ in $(seq 50); do
    [ -s "$work/url" ] && break
    kill -0 "$server" 2>/dev/null || { cat "$work/server.log" >&2; exit 1; }
    sleep 0.1
done
url=$(head -n 1 "$work/url")
[ -n "$url" ] || { echo "the update server did not start" >&2; exit 1; }

echo "--- the update server listens on $url with a certificate of its own authority; it knows"
grep -v '^#' "$here/versions.conf"
echo
check() {
    echo "\$ updatecheck $*"
    "$check_bin" --base-url "$url" --ca "$work/certs/ca.pem" "$@"
}
check query 01777 2.3.3
check query 1778 1.2
check file Device 2.4.0
check file Sensor 1.2.0
echo
echo "--- what the server was asked"
sed 's/^updateserver: //' "$work/server.log"
