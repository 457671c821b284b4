#!/usr/bin/env bash
# Signs Windows programs and packages in place with an Authenticode
# signature (SHA-256):   codesign.sh FILE...
# With QV_SIGN_PKCS12 set, the maker's certificate and key come from that
# PKCS#12 file and its password from QV_SIGN_PASSWORD, which is handed to
# osslsigncode through a pipe, never on a command line. Otherwise the
# development certificate signs (development-certificate.sh). With
# QV_SIGN_TIMESTAMP_URL set, each signature is countersigned by that RFC 3161
# time-stamping server. A file signed already is signed afresh.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ $# -eq 0 ]; then
  echo "usage: codesign.sh FILE..." >&2
  exit 2
fi
if [ -n "${QV_SIGN_PKCS12:-}" ]; then
  if [ ! -r "$QV_SIGN_PKCS12" ] || [ -z "${QV_SIGN_PASSWORD+set}" ]; then
    echo "codesign: QV_SIGN_PKCS12 must name a readable PKCS#12 file and QV_SIGN_PASSWORD hold its password" >&2
    exit 2
  fi
else
  certificate=$("$here/development-certificate.sh")
fi
timestamp=()
if [ -n "${QV_SIGN_TIMESTAMP_URL:-}" ]; then timestamp=(-ts "$QV_SIGN_TIMESTAMP_URL"); fi

# osslsigncode with the signer's certificate and key and the other arguments.
sign() {
  if [ -n "${QV_SIGN_PKCS12:-}" ]; then
    osslsigncode sign -pkcs12 "$QV_SIGN_PKCS12" -readpass <(printf '%s' "$QV_SIGN_PASSWORD") "$@"
  else
    osslsigncode sign -certs "$certificate" -key "${certificate%.pem}.key" "$@"
  fi
}

for file in "$@"; do
  signed="$file.signing"
  rm -f "$signed"
  if ! sign -h sha256 -n "Quorvane Screen Saver" -i "http://www.quorvane.com/" "${timestamp[@]}" \
      -in "$file" -out "$signed" >/dev/null; then
    rm -f "$signed"
    echo "codesign: $file could not be signed" >&2
    exit 1
  fi
  mv "$signed" "$file"
  echo "signed $file"
done
