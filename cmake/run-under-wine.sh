#!/usr/bin/env bash
# Runs a cross-compiled Windows program under Wine, quietly, without a display and in a Wine prefix
# of its own (the build folder's), so the user's Wine settings are never touched:
#   run-under-wine.sh PREFIX PROGRAM.exe [ARGUMENTS...]
# The prefix is made on the first run; runs that start together wait for that.
set -euo pipefail
export WINEPREFIX="$1"
shift
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=" # no offer to install .NET or Gecko into the prefix
unset DISPLAY WAYLAND_DISPLAY
# Wine hands a variable named QT_* to the program only when it is given as WINEQT_*: the tests' QT_*
# settings (the offscreen platform) pass that way.
while IFS='=' read -r name _; do
    [[ $name == QT_* ]] && export "WINE$name=${!name}"
done < <(env)
# On Windows the offscreen platform reads the fonts of one folder (QT_QPA_FONTDIR), and Wine's
# C:\windows\Fonts is empty: the tests get the fonts the Linux tests get from fontconfig.
if [ -z "${QT_QPA_FONTDIR:-}" ] && [ -d /usr/share/fonts/truetype/dejavu ]; then
    export WINEQT_QPA_FONTDIR='Z:\usr\share\fonts\truetype\dejavu'
fi
# Wine turns the arguments into the program's UTF-16 command line by the locale's character set.
if ! locale charmap 2>/dev/null | grep -qi utf-8; then
    export LC_ALL=C.UTF-8
fi

wine=/usr/lib/wine/wine64 # Debian's wine64 package; PATH has it only with the wine package
command -v wine64 >/dev/null 2>&1 && wine=$(command -v wine64)

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/system.reg" ]; then
            "$wine" wineboot --init >/dev/null 2>&1 || true
            wineserver=/usr/lib/wine/wineserver64
            command -v wineserver >/dev/null 2>&1 && wineserver=$(command -v wineserver)
            "$wineserver" -w || true # until the prefix is written out
        fi
    ) 9>"$WINEPREFIX.lock"
fi
exec "$wine" "$@"
