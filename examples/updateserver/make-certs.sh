#!/bin/sh
# make-certs.sh <dir>: a private certificate authority and the certificates the update server and
# its tests need, all with P-256 keys (quick to make):
#   ca.pem                    the authority that clients are told to trust
#   server.pem, server.key    127.0.0.1 and localhost, signed by ca.pem
#   expired.pem               the same names and key, signed by ca.pem, valid only in 2020
#   wronghost.pem             only the name update.invalid, signed by ca.pem
#   untrusted.pem             127.0.0.1 and localhost, signed by an authority nobody trusts
# Every certificate uses server.key.
set -eu
dir=$1
mkdir -p "$dir"
cd "$dir"
work=$(mktemp -d ./tmp.XXXXXX)
trap 'rm -rf "$work"' EXIT

key() { openssl ecparam -name prime256v1 -genkey -noout -out "$1"; }
authority() { # authority <key> <cert> <name>
    key "$1"
    openssl req -x509 -new -key "$1" -subj "/CN=$3" -days 3650 -sha256 -out "$2" \
        -addext basicConstraints=critical,CA:TRUE -addext keyUsage=critical,keyCertSign,cRLSign
}
sign() { # sign <ca cert> <ca key> <out> <subjectAltName>
    printf 'subjectAltName=%s\nbasicConstraints=CA:FALSE\nextendedKeyUsage=serverAuth\n' "$4" \
        >"$work/ext"
    openssl x509 -req -in "$work/server.csr" -CA "$1" -CAkey "$2" -CAcreateserial \
        -CAserial "$work/serial" -days 3650 -sha256 -extfile "$work/ext" -out "$3" 2>/dev/null
}

authority "$work/ca.key" ca.pem "Update Test Authority"
authority "$work/other.key" "$work/other.pem" "Unknown Authority"
key server.key
openssl req -new -key server.key -subj /CN=localhost -out "$work/server.csr"

names=IP:127.0.0.1,DNS:localhost
sign ca.pem "$work/ca.key" server.pem "$names"
sign ca.pem "$work/ca.key" wronghost.pem DNS:update.invalid
sign "$work/other.pem" "$work/other.key" untrusted.pem "$names"

# x509 -req cannot date a certificate in the past; the ca command can.
touch "$work/index.txt"
cat >"$work/ca.cnf" <<CNF
[ca]
default_ca = test
[test]
database = $work/index.txt
new_certs_dir = $work
serial = $work/caserial
default_md = sha256
policy = any
unique_subject = no
x509_extensions = server
[any]
commonName = supplied
[server]
subjectAltName = $names
basicConstraints = CA:FALSE
extendedKeyUsage = serverAuth
CNF
echo 01 >"$work/caserial"
openssl ca -batch -notext -config "$work/ca.cnf" -cert ca.pem -keyfile "$work/ca.key" \
    -in "$work/server.csr" -out expired.pem \
    -startdate 20200101000000Z -enddate 20200102000000Z 2>/dev/null
