# Sourced: the environment of every Wine run of this project, for the build
# named by QV_WINDOWS_ARCH (default: what host-arch.sh picks for this host).
# Each build has a prefix of its own (QV_WINEPREFIX overrides it), and `wine`
# on the PATH is that build's loader: /usr/bin/wine would pick the 32-bit one
# whenever it is installed, even where the kernel cannot run it. No debug
# output, no Mono or Gecko installers, and no proxy from the environment (a
# proxy makes requests to 127.0.0.1 fail).
qv_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$qv_root/scripts/wine/host-arch.sh"
QV_WINDOWS_ARCH=$(qv_windows_arch) || return 1 2>/dev/null || exit 1
export QV_WINDOWS_ARCH
if [ "$QV_WINDOWS_ARCH" = x64 ]; then
  export WINEARCH=win64
  qv_wine_loader=/usr/lib/wine/wine64
  export WINEPREFIX=${QV_WINEPREFIX:-$qv_root/build/wineprefix-x64}
else
  export WINEARCH=win32
  qv_wine_loader=/usr/lib/wine/wine
  export WINEPREFIX=${QV_WINEPREFIX:-$qv_root/build/wineprefix}
fi
qv_wine_bin="$qv_root/build/wine-bin-$QV_WINDOWS_ARCH"
if [ ! -x "$qv_wine_bin/wine" ]; then
  mkdir -p "$qv_wine_bin"
  printf '#!/bin/sh\nexec %s "$@"\n' "$qv_wine_loader" >"$qv_wine_bin/wine.$$"
  chmod +x "$qv_wine_bin/wine.$$"
  mv "$qv_wine_bin/wine.$$" "$qv_wine_bin/wine"
fi
# First on the PATH, ahead of the loader of another build an outer run chose.
PATH=$(tr ':' '\n' <<<"$PATH" | grep -v "^$qv_root/build/wine-bin-" | paste -sd:)
export PATH="$qv_wine_bin:$PATH"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY no_proxy NO_PROXY
