#!/usr/bin/env bash
# Checks the Debian package in a build folder (`make package`) as an installation would use it: Lintian
# on the .deb; then, unpacked into a scratch root, the menu entry, the metainfo, the file type, the
# manual pages, one start of the installed window on the installed example (offscreen, ending by
# itself through TES_QUIT_AFTER_START), and the installed enviro-script, whose output (text, scripts,
# picture) must equal the build folder's.
set -euo pipefail
build=${1:?usage: check-package.sh BUILD_FOLDER}
deb=$(ls "$build"/tolvane-enviro-scripter_*.deb)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root=$scratch/root
share=$root/usr/share

step() { printf '== %s\n' "$*"; }

step "lintian $(basename "$deb")"
lintian --fail-on error "$deb"

dpkg -x "$deb" "$root"

step "desktop entry and metainfo"
desktop-file-validate "$share"/applications/org.tolvane.EnviroScripter.desktop
appstreamcli validate --no-net "$share"/metainfo/org.tolvane.EnviroScripter.metainfo.xml

step "file type: Tolvane projects by their first bytes, other .prj files stay plain text"
mkdir -p "$scratch/mime/mime/packages"
cp /usr/share/mime/packages/freedesktop.org.xml "$share"/mime/packages/*.xml "$scratch/mime/mime/packages/"
XDG_DATA_DIRS=$scratch/mime update-mime-database "$scratch/mime/mime"
printf 'PROJCS["WGS_1984_UTM_Zone_33N",GEOGCS["GCS_WGS_1984"]]\n' >"$scratch/gis.prj"
content_type() {
    XDG_DATA_DIRS=$scratch/mime XDG_DATA_HOME=$scratch/none gio info -a standard::content-type "$1" |
        sed -n 's/^ *standard::content-type: //p'
}
[ "$(content_type "$share/tolvane-enviro-scripter/examples/Valley/Valley.prj")" = application/x-tolvane-project ]
[ "$(content_type "$scratch/gis.prj")" = text/plain ]

step "manual pages"
for page in "$share"/man/man1/*.1.gz; do
    warnings=$(MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || { echo "$page: $warnings"; exit 1; }
done

step "help and example where the installed program looks"
test -f "$root/usr/bin/../share/tolvane-enviro-scripter/TES_Help.html"
example=$share/tolvane-enviro-scripter/examples/Valley

step "the installed window starts on the example and ends by itself"
mkdir -m 700 "$scratch/home" "$scratch/runtime"
mkdir "$scratch/home/Documents" # as a desktop has it; without one the copy goes to the home folder
HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config XDG_RUNTIME_DIR=$scratch/runtime \
    QT_QPA_PLATFORM=offscreen TES_QUIT_AFTER_START=1 \
    timeout 60 "$root/usr/bin/tolvane-enviro-scripter" "$example/Valley.prj"
# The installed example is opened from the user's copy in Documents, whose folder is remembered; the
# installed one is not written to.
copy="$scratch/home/Documents/Tolvane Enviro Scripter/Valley"
test -f "$copy/Valley.prj"
grep -rqF "DefaultDir=$copy" "$scratch/home/.config"

step "the installed enviro-script writes what the build folder's writes"
for which in installed built; do
    cp -r "$example" "$scratch/$which"
done
run() {
    local exe=$1 dir=$2
    "$exe" info "$dir/Valley.prj" >"$dir/info.out"
    "$exe" build "$dir/Valley.prj" --all --max-file 'C:\Models\Pine.max' | sed "s|$dir/||" >"$dir/build.out"
    QT_QPA_PLATFORM=offscreen "$exe" preview "$dir/Valley.prj" --png "$dir/Valley.png" --size 256x256 >/dev/null
}
run "$root/usr/bin/enviro-script" "$scratch/installed"
run "$build/bin/enviro-script" "$scratch/built"
diff -r "$scratch/built" "$scratch/installed"
ls "$scratch/installed"/*.ms >/dev/null
"$root/usr/bin/enviro-script" --version
step "package checked"
