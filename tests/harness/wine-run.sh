#!/usr/bin/env bash
# Runs one Windows program under Wine in the project's prefix. CTest uses it as
# the emulator of the cross-built tests; wine-session.sh provides the display.
source "$(dirname "$0")/wine-env.sh"
exec wine "$@"
