#!/usr/bin/env bash
# Builds the Windows Installer package of one architecture with wixl from
# packaging/QuorvaneSaver.wxs, which lists the files:
#   make-msi.sh ARCH PROGRAMS ICON OUT.msi [VERSION]
# ARCH is x86 or x64; PROGRAMS the folder with QuorvaneSaver.scr, vqdtool.exe
# and, where it has been built, grabora.exe; ICON the saver's icon. VERSION
# (four numbers) defaults to the program's own (src/resources/ResourceIds.h).
# The product code follows from the architecture and the version: a package
# of the version already installed is that product again, never a second one.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
usage="usage: make-msi.sh x86|x64 PROGRAMS ICON OUT.msi [VERSION]"
arch=${1:?$usage} programs=${2:?$usage} icon=${3:?$usage} out=${4:?$usage}
version=${5:-$(sed -nE 's/^#define QV_VERSION_TEXT "([0-9.]+)"$/\1/p' "$root/src/resources/ResourceIds.h")}
case "$arch" in x86|x64) ;; *) echo "make-msi: $usage" >&2; exit 2 ;; esac
if ! [[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+\.[0-9]+$ ]]; then
  echo "make-msi: '$version' is not a version of four numbers" >&2
  exit 2
fi

# wixl finds the files named in the package relative to its folder.
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$programs/QuorvaneSaver.scr" "$programs/vqdtool.exe" "$stage/"
cp "$icon" "$stage/saver.ico"
defines=(-D "Arch=$arch" -D "Version=$version")
if [ -f "$programs/grabora.exe" ]; then
  cp "$programs/grabora.exe" "$stage/"
  defines+=(-D Recorder=yes)
fi
product_code=$(python3 -c 'import sys, uuid
print(str(uuid.uuid5(uuid.UUID("6505BBC1-5FA8-45C2-A233-FEFDE208980C"), sys.argv[1])).upper())' \
  "QuorvaneSaver-$arch-$version")
defines+=(-D "ProductCode=$product_code")

out_path=$(cd "$(dirname "$out")" && pwd)/$(basename "$out")
rm -f "$out_path"
(cd "$stage" && wixl -a "$arch" "${defines[@]}" -o "$out_path" "$root/packaging/QuorvaneSaver.wxs")
