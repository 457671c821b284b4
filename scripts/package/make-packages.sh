#!/usr/bin/env bash
# What `make package` (and `make sign`) runs once dist/ is built: every
# Windows program of dist/ is signed, the signed programs are packed into the
# two Windows Installer packages, and the packages are signed last. The
# Group Policy templates go beside them, to dist/policy/.
set -euo pipefail
cd "$(dirname "$0")/../.."
shopt -s nullglob
scripts/package/codesign.sh dist/*.scr dist/*.exe dist/x64/*.scr dist/x64/*.exe
scripts/package/make-msi.sh x86 dist build/windows/src/resources/saver.ico dist/QuorvaneSaver-x86.msi
scripts/package/make-msi.sh x64 dist/x64 build/windows-x64/src/resources/saver.ico \
  dist/QuorvaneSaver-x64.msi
scripts/package/codesign.sh dist/QuorvaneSaver-x86.msi dist/QuorvaneSaver-x64.msi
mkdir -p dist/policy/en-US
cp packaging/policy/QuorvaneSaver.admx dist/policy/
cp packaging/policy/en-US/QuorvaneSaver.adml dist/policy/en-US/
