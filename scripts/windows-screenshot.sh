#!/usr/bin/env bash
# The picture of the window as a Windows user meets it: the installer (`make windows-installer`) run
# silently in a fresh Wine prefix, the installed window started with the `windows` platform plugin on
# Xvfb under openbox, the example loaded, the first kind chosen and given a Max file, then by keyboard
# alone each Browse (the project's, the Max file's, the Kinds dialog's) and Combine's Add File opened
# and cancelled and Process pressed (xdotool), the screen taken with ImageMagick, and again with the
# preview opened beside the window (OUTPUT-preview.png). The script Process writes must equal, byte
# for byte, what the Linux build's enviro-script writes for the same choices: were the keyboard lost
# after a dialog, Process would write none.
#   windows-screenshot.sh MINGW_BUILD_FOLDER LINUX_BUILD_FOLDER OUTPUT.png
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
mingw=${1:?usage: windows-screenshot.sh MINGW_BUILD_FOLDER LINUX_BUILD_FOLDER OUTPUT.png}
linux=${2:?usage: windows-screenshot.sh MINGW_BUILD_FOLDER LINUX_BUILD_FOLDER OUTPUT.png}
output=$(realpath "${3:?usage: windows-screenshot.sh MINGW_BUILD_FOLDER LINUX_BUILD_FOLDER OUTPUT.png}")
max_file='D:\Models\Pine.max'

if [ -z "${TES_INSIDE_XVFB:-}" ]; then
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    export WINEPREFIX=$scratch/prefix
    "$here/cmake/run-under-wine.sh" "$WINEPREFIX" "$(ls "$mingw"/TolvaneEnviroScripter-*-setup.exe)" /S /CurrentUser
    # Until the Wine server of the install, which has no display, has ended: the window's run would
    # otherwise join it and show nowhere.
    wineserver=/usr/lib/wine/wineserver64
    command -v wineserver >/dev/null 2>&1 && wineserver=$(command -v wineserver)
    "$wineserver" -w
    # One start and end of the window first, as a user's first start: the fonts a new Wine prefix
    # offers are settled by then.
    WINEQT_QPA_PLATFORM=offscreen TES_QUIT_AFTER_START=1 "$here/cmake/run-under-wine.sh" "$WINEPREFIX" \
        "C:\\users\\${USER:-$(id -un)}\\AppData\\Local\\Programs\\Tolvane Enviro Scripter\\tolvane-enviro-scripter.exe"
    "$wineserver" -w
    documents=$WINEPREFIX/drive_c/users/Public/Documents
    mkdir -p "$documents" "$scratch/linux"
    cp -r "$here/examples/Valley" "$documents/"
    cp -r "$here/examples/Valley" "$scratch/linux/"
    TES_INSIDE_XVFB=1 xvfb-run -a -s "-screen 0 1920x1080x24" "$0" "$@"
    "$wineserver" -w
    "$linux/bin/enviro-script" build "$scratch/linux/Valley/Valley.prj" --vegetation 1 --max-file "$max_file" >/dev/null
    diff -r "$scratch/linux/Valley" "$documents/Valley"
    echo "$output: the window's script equals the Linux build's"
    exit 0
fi

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
command -v wine64 >/dev/null 2>&1 && wine=$(command -v wine64)
openbox &
programs='C:\users\'"${USER:-$(id -un)}"'\AppData\Local\Programs\Tolvane Enviro Scripter'
"$wine" "${TES_WINDOWS_PROGRAM:-$programs\\tolvane-enviro-scripter.exe}" 'C:\users\Public\Documents\Valley\Valley.prj' &
program=$!

window=$(timeout 120 xdotool search --sync --name '^Tolvane Enviro Scripter$' | head -1)
sleep 5 # the project loads once the window is up
key() { xdotool key --clearmodifiers "$@"; sleep 1; }
# Fails unless the main window is the active one.
active() {
    local now
    now=$(xdotool getactivewindow 2>/dev/null || true)
    [ "$now" = "$window" ] && return
    echo "after $1 the window is not active but ${now:-none} ($(xdotool getwindowname "$now" 2>/dev/null))" >&2
    import -window root "${output%.png}-failed.png"
    exit 1
}
xdotool windowactivate --sync "$window"
# The window opens taller than drawn (531) where its lists need it; half of that goes above Frame2.
eval "$(xdotool getwindowgeometry --shell "$window")"
down=$(( (HEIGHT - 531) / 2 ))
# The Max file field: at (88, 20) in its frame, which stands at (8, 256 + down) in the window.
xdotool mousemove --window "$window" 200 $(( 284 + down )) click --repeat 3 1
xdotool type --delay 30 "$max_file"
key Tab
# The first kind, from the vegetation box (a load leaves none chosen): its edit part, then Down.
xdotool mousemove --window "$window" 400 $(( 207 + down )) click 1
key Down
key alt+p
sleep 3
import -window root "$output"
convert "$output" -trim +repage "$output" # the window alone, without the empty screen
key alt+v
sleep 3
preview=${output%.png}-preview.png
import -window root "$preview"
convert "$preview" -trim +repage "$preview"
xdotool windowactivate --sync "$window"
# From here on the keyboard alone: each file dialog cancelled gives the focus back.
key alt+b
key Escape
active "Browse"
key alt+w
key Escape
active "the Max file's Browse"
key alt+k
key alt+b
key Escape
key Escape
active "Kinds..."
key alt+c
key alt+a
key Escape
key alt+d
active "Combine's Add File"
key alt+x
wait "$program"
