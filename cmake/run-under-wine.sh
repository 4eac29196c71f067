#!/usr/bin/env bash
# Runs a cross-compiled Windows program under Wine, quietly and in a Wine prefix of the build's own,
# so no display and no user settings are involved.
set -euo pipefail
export WINEDEBUG=-all
export WINEPREFIX="${TES_WINE_PREFIX:-${TMPDIR:-/tmp}/tes-wine-prefix}"
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY
if command -v wine64 >/dev/null 2>&1; then
    exec wine64 "$@"
fi
exec /usr/lib/wine/wine64 "$@"
