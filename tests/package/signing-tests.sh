#!/usr/bin/env bash
# The signatures that `make package` leaves in dist/: every Windows program
# and both packages verify against the development certificate as the root,
# and fail once one byte of them changes; the signed savers still carry the
# demo, which vqdtool reads before the signature, and vqdtool refuses to embed
# into them. The maker's way of signing, a PKCS#12 file and its password from
# the environment, is tried with the development certificate in that form.
#   signing-tests.sh VQDTOOL
# One line per check, then "signing: N passed, N failed".
set -u
vqdtool=${1:?usage: signing-tests.sh VQDTOOL}
cd "$(dirname "$0")/../.."
certificate=build/codesign/development.pem
passed=0
failed=0
check() {
  local what=$1
  shift
  if "$@" >/dev/null 2>&1; then
    echo "pass: $what"
    passed=$((passed + 1))
  else
    echo "FAIL: $what"
    failed=$((failed + 1))
  fi
}
refused() { ! "$@"; }

shopt -s nullglob
files=(dist/*.scr dist/*.exe dist/x64/*.scr dist/x64/*.exe dist/*.msi)
if [ ${#files[@]} -lt 6 ] || [ ! -s "$certificate" ]; then
  echo "FAIL: dist/ holds no signed programs and packages: make package makes them"
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for file in "${files[@]}"; do
  check "$file verifies" osslsigncode verify -CAfile "$certificate" -in "$file"
  changed="$work/$(basename "$file")"
  cp "$file" "$changed"
  offset=$(($(stat -c %s "$file") / 2))
  byte=$(od -An -tu1 -j "$offset" -N1 "$file" | tr -d ' ')
  printf "\\x$(printf %02x $((255 - byte)))" | dd of="$changed" bs=1 seek="$offset" conv=notrunc 2>/dev/null
  check "$file fails once byte $offset changes" refused osslsigncode verify -CAfile "$certificate" -in "$changed"
done

demo_records=$("$vqdtool" info build/host/demo.vqd | sed -n 's/^records: *//p')
for saver in dist/QuorvaneSaver.scr dist/x64/QuorvaneSaver.scr; do
  "$vqdtool" info "$saver" >"$work/info" 2>&1
  check "$saver is read by vqdtool" test $? -eq 0
  check "$saver carries the demo's $demo_records records" grep -qx "records: *$demo_records" "$work/info"
  check "$saver has its recording before the signature" grep -q '^signature: ' "$work/info"
  check "vqdtool embed refuses $saver" refused "$vqdtool" embed "$saver" build/host/demo.vqd -o "$work/embedded.scr"
done

# The development certificate as a PKCS#12 file with a password.
openssl pkcs12 -export -in "$certificate" -inkey "${certificate%.pem}.key" \
  -passout pass:release-test -out "$work/maker.p12"
cp dist/x64/vqdtool.exe "$work/tool.exe"
check "a PKCS#12 file and its password sign" env QV_SIGN_PKCS12="$work/maker.p12" \
  QV_SIGN_PASSWORD=release-test scripts/package/codesign.sh "$work/tool.exe"
check "what they signed verifies" osslsigncode verify -CAfile "$certificate" -in "$work/tool.exe"
cp "$work/tool.exe" "$work/before.exe"
check "a wrong password signs nothing" refused env QV_SIGN_PKCS12="$work/maker.p12" \
  QV_SIGN_PASSWORD=wrong scripts/package/codesign.sh "$work/tool.exe"
check "and leaves the file as it was" cmp "$work/tool.exe" "$work/before.exe"

echo "signing: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
