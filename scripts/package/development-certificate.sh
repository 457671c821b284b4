#!/usr/bin/env bash
# Makes, once, the development code-signing certificate that the default build
# and the tests sign with: a self-signed OpenSSL certificate for code signing
# and its key, in build/codesign/ (never in dist/, never in the tree). It is
# trusted nowhere but by the tests, which verify against it as the root.
# Prints the certificate's path.
set -euo pipefail
folder="$(cd "$(dirname "$0")/../.." && pwd)/build/codesign"
certificate="$folder/development.pem" key="$folder/development.key"
if [ ! -s "$certificate" ] || [ ! -s "$key" ]; then
  mkdir -p "$folder"
  (umask 077 && openssl req -x509 -newkey rsa:3072 -nodes -sha256 -days 3650 \
    -subj "/O=Quorvane (development)/CN=Quorvane development code signing" \
    -addext "keyUsage=critical,digitalSignature" -addext "extendedKeyUsage=codeSigning" \
    -keyout "$key.new" -out "$certificate.new" 2>/dev/null)
  mv "$key.new" "$key"
  mv "$certificate.new" "$certificate"
fi
echo "$certificate"
