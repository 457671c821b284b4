#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build and the tests need and is not there yet.
# Safe to run again: it only calls apt when a package is missing.
# On a host whose kernel cannot run 32-bit programs the i386 packages still install,
# but their install scripts print "Exec format error"; that must not stop the set-up.
set -euo pipefail

packages=(
  cmake ninja-build make g++ clang clang-format libclang-rt-14-dev
  g++-mingw-w64-i686 mingw-w64-i686-dev g++-mingw-w64-x86-64 mingw-w64-x86-64-dev
  libz-mingw-w64-dev zlib1g-dev libssl-dev
  googletest libstb-dev
  wine wine32:i386 wine64 xvfb x11-utils xdotool imagemagick
  xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils
  python3
  wixl msitools osslsigncode openssl
)

missing_packages() {
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

mapfile -t missing < <(missing_packages)
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -q
# apt's exit code is not the judge: i386 install scripts fail on some hosts. What is
# installed afterwards is.
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}" || true
mapfile -t still < <(missing_packages | grep -v ':i386$' || true)
if [ ${#still[@]} -ne 0 ]; then
  echo "setup-deps: could not install: ${still[*]}" >&2
  exit 1
fi
