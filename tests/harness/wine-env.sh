# Sourced: the environment of every Wine run of this project.
# A private prefix (QV_WINEPREFIX, or build/wineprefix), no debug output,
# no Mono or Gecko installers, and no proxy from the environment (a proxy makes
# requests to 127.0.0.1 fail).
qv_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export WINEPREFIX=${QV_WINEPREFIX:-$qv_root/build/wineprefix}
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY no_proxy NO_PROXY
