#!/usr/bin/env bash
# Checks the Windows installer (`make windows-installer`) under Wine, in a fresh prefix, as a user
# would meet it: a silent install, which is for the current user unless asked otherwise (Start-menu
# shortcut, Apps & features entry, "Open with" for .prj); one start of the installed window on the
# installed example (offscreen, ending by itself through TES_QUIT_AFTER_START), which opens the user's
# copy of it in Documents and writes nothing into the program's folder; the installed
# enviro-script.exe writing the same scripts, byte for byte, as the Linux build's, also with plants
# that differ, with point caches and with a view; then the registered silent uninstall, after which
# the program's folder and keys are gone and the user's settings, scripts and example stay. Last, an
# install for all users (/AllUsers: Program Files, HKLM) and its uninstall, which keeps a file the
# setup did not install.
#   check-windows-installer.sh MINGW_BUILD_FOLDER LINUX_BUILD_FOLDER
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
mingw=${1:?usage: check-windows-installer.sh MINGW_BUILD_FOLDER LINUX_BUILD_FOLDER}
linux=${2:?usage: check-windows-installer.sh MINGW_BUILD_FOLDER LINUX_BUILD_FOLDER}
setup=$(ls "$mingw"/TolvaneEnviroScripter-*-setup.exe)
scratch=$(mktemp -d)
export WINEPREFIX=$scratch/prefix
wineserver=/usr/lib/wine/wineserver64
command -v wineserver >/dev/null 2>&1 && wineserver=$(command -v wineserver)
trap '"$wineserver" -k 2>/dev/null || true; rm -rf "$scratch"' EXIT

step() { printf '== %s\n' "$*"; }
wine() { timeout 300 "$here/cmake/run-under-wine.sh" "$WINEPREFIX" "$@"; }
# reg.exe prints CR LF; `has KEY [VALUE]` fails when the key (or value) is missing.
has() { wine reg query "$1" ${2:+/v "$2"} >/dev/null 2>&1; }
absent() { if has "$@"; then echo "still there: $*"; exit 1; fi; }
# `value KEY NAME` prints a value; no NAME: the key's default value.
value() {
    local which=(/ve) name='(Default)'
    [ -z "${2:-}" ] || which=(/v "$2") name=$2
    wine reg query "$1" "${which[@]}" | tr -d '\r' | sed -n "s/^ *$name *REG_[A-Z_]* *//p"
}

uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\TolvaneEnviroScripter'
progid='HKCU\Software\Classes\TolvaneEnviroScripter.Project'
settings='HKCU\Software\Tolvane Enviro Scripter'

user=${USER:-$(id -un)}
step "silent install of $(basename "$setup"), for the current user by default, into the default folder"
wine "$setup" /S
"$wineserver" -w
# Wine links Documents to the Linux user's own when there is one: the check keeps to its prefix.
documents_folder=$WINEPREFIX/drive_c/users/$user/Documents
if [ -L "$documents_folder" ]; then rm "$documents_folder"; fi
mkdir -p "$documents_folder"
# The user's own programs folder (FOLDERID_UserProgramFiles); its name has spaces, which /D= (the
# last argument, unquoted) cannot take through Wine's quoting.
dir=$(value "$uninstall_key" InstallLocation)
[ "$dir" = "C:\\users\\$user\\AppData\\Local\\Programs\\Tolvane Enviro Scripter" ]
unix_dir=$WINEPREFIX/drive_c/users/$user/AppData/Local/Programs/Tolvane\ Enviro\ Scripter
for file in tolvane-enviro-scripter.exe enviro-script.exe TES_Help.html Qt6Widgets.dll platforms/qwindows.dll \
    styles/qwindowsvistastyle.dll qt-license/LGPL-3.0.txt examples/Valley/Valley.prj uninstall.exe; do
    test -f "$unix_dir/$file" || { echo "not installed: $file"; exit 1; }
done

step "Start-menu shortcut, Apps & features entry, Open with for .prj"
find "$WINEPREFIX/drive_c/users" -path '*Start Menu/Programs/Tolvane Enviro Scripter.lnk' | grep -q .
[ "$(value "$uninstall_key" DisplayName)" = "Tolvane Enviro Scripter" ]
value "$uninstall_key" QuietUninstallString | grep -qF "\"$dir\\uninstall.exe\""
has 'HKCU\Software\Classes\.prj\OpenWithProgids' TolvaneEnviroScripter.Project
[ "$(value "$progid\\shell\\open\\command")" = "\"$dir\\tolvane-enviro-scripter.exe\" \"%1\"" ]

step "the installed window starts on the installed example, opens the user's copy and ends by itself"
installed_files=$(cd "$unix_dir" && find . | sort)
WINEQT_QPA_PLATFORM=offscreen TES_QUIT_AFTER_START=1 wine "$dir\\tolvane-enviro-scripter.exe" \
    "$dir\\examples\\Valley\\Valley.prj"
diff "$documents_folder/Tolvane Enviro Scripter/Valley/Valley.prj" "$unix_dir/examples/Valley/Valley.prj"
[ "$(cd "$unix_dir" && find . | sort)" = "$installed_files" ] || { echo "written into $dir"; exit 1; }
# Loading a project remembers its folder: the copy's.
wine reg query "$settings" /s | tr -d '\r' | grep -qF "C:\\users\\$user\\Documents\\Tolvane Enviro Scripter\\Valley"

step "the installed enviro-script.exe writes what the Linux build's writes, scripts and caches"
documents=$WINEPREFIX/drive_c/users/Public/Documents
mkdir -p "$documents" "$scratch/linux"
cp -r "$here/examples/Valley" "$documents/"
cp -r "$here/examples/Valley" "$scratch/linux/"
wine "$dir\\enviro-script.exe" build 'C:\users\Public\Documents\Valley\Valley.prj' --all \
    --max-file 'C:\Models\Pine.max' >/dev/null
"$linux/bin/enviro-script" build "$scratch/linux/Valley/Valley.prj" --all --max-file 'C:\Models\Pine.max' >/dev/null
ls "$documents"/Valley/*.ms >/dev/null
diff -r "$scratch/linux/Valley" "$documents/Valley"
# And with plants that differ (the fast script) and point caches, from the same kinds table.
"$linux/bin/enviro-script" kinds "$scratch/linux/Valley/Valley.prj" --set 5 --max-file 'C:\Models\Oak.max' \
    --variant 'C:\Models\Oak_02.max|Oak_02|2' --turn 0:360 --scale 80:120 --seed 7
cp "$scratch/linux/Valley/Valley.tes.ini" "$documents/Valley/"
wine "$dir\\enviro-script.exe" build 'C:\users\Public\Documents\Valley\Valley.prj' --all --fast --cache both \
    --max-file 'C:\Models\Pine.max' >/dev/null
"$linux/bin/enviro-script" build "$scratch/linux/Valley/Valley.prj" --all --fast --cache both \
    --max-file 'C:\Models\Pine.max' >/dev/null
ls "$documents"/Valley/*.prt >/dev/null
diff -r "$scratch/linux/Valley" "$documents/Valley"
# And with a view, thinning, a far model and boxes: the same plants, objects and boxes.
"$linux/bin/enviro-script" kinds "$scratch/linux/Valley/Valley.prj" --view=-150,-150:0,0 --fov 100 --far 400
"$linux/bin/enviro-script" kinds "$scratch/linux/Valley/Valley.prj" --set 5 --keep 70 --far-from 150 \
    --far-model 'C:\Models\Oak_far.max|Oak_far' --box-from 220
cp "$scratch/linux/Valley/Valley.tes.ini" "$documents/Valley/"
wine "$dir\\enviro-script.exe" build 'C:\users\Public\Documents\Valley\Valley.prj' --all --fast --cache both \
    --max-file 'C:\Models\Pine.max' >/dev/null
"$linux/bin/enviro-script" build "$scratch/linux/Valley/Valley.prj" --all --fast --cache both \
    --max-file 'C:\Models\Pine.max' >/dev/null
grep -q 'boxMode' "$documents/Valley/Valley_MainVeg_05.ms"
diff -r "$scratch/linux/Valley" "$documents/Valley"

step "silent uninstall through the registered command"
uninstall=$(value "$uninstall_key" QuietUninstallString)
eval "set -- $(printf '%s' "$uninstall" | sed 's/\\/\\\\/g')"
wine "$@"
"$wineserver" -w # the uninstaller runs on from a copy of itself and removes the folder
[ ! -e "$unix_dir" ] || { find "$unix_dir"; echo "left behind"; exit 1; }
if find "$WINEPREFIX/drive_c/users" -name 'Tolvane Enviro Scripter.lnk' | grep .; then exit 1; fi
absent "$uninstall_key"
absent "$progid"
absent 'HKCU\Software\Classes\.prj\OpenWithProgids' TolvaneEnviroScripter.Project
has "$settings" # the user's settings stay
ls "$documents"/Valley/*.ms >/dev/null # and so do the user's scripts
test -f "$documents_folder/Tolvane Enviro Scripter/Valley/Valley.prj" # and the example's copy

step "silent install for all users, into Program Files, and its uninstall"
all_users_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\TolvaneEnviroScripter'
wine "$setup" /S /AllUsers
"$wineserver" -w
[ "$(value "$all_users_key" InstallLocation)" = 'C:\Program Files\Tolvane Enviro Scripter' ]
all_users_dir=$WINEPREFIX/drive_c/Program\ Files/Tolvane\ Enviro\ Scripter
test -f "$all_users_dir/tolvane-enviro-scripter.exe"
absent "$uninstall_key"
echo mine >"$all_users_dir/notes.txt"
uninstall=$(value "$all_users_key" QuietUninstallString)
eval "set -- $(printf '%s' "$uninstall" | sed 's/\\/\\\\/g')"
wine "$@"
"$wineserver" -w
absent "$all_users_key"
[ "$(cd "$all_users_dir" && find . | sort | tr '\n' ' ')" = ". ./notes.txt " ] || { find "$all_users_dir"; exit 1; }
step "installer checked"
