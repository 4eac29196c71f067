#!/usr/bin/env bash
# Builds Qt for 64-bit Windows (MinGW-w64, posix threads, shared DLLs) from Debian's own qt6-base
# source package, the same version as the host's qt6-base-dev, whose moc, rcc and uic the build uses.
# Only what the program needs: Core, Gui, Widgets, Test, the `windows` and `offscreen` platform
# plugins, the WindowsVista style and PNG.
#
# The result goes into a cache folder outside the clone, named by the Qt version and a hash of this
# script (which holds the configure line), and is reused as long as both stay the same. It is built in
# a work folder beside it and renamed into place only once complete (stamp written last), so an
# interrupted or failed build never looks finished; the work folder stays until a build completes,
# so the next run resumes where the last one stopped. Prints the folder (the Qt prefix) on stdout;
# progress goes to stderr.
set -euo pipefail
exec 3>&1 1>&2 # only the prefix goes to stdout

qt_version=$(dpkg-query -W -f='${Version}' qt6-base-dev | sed 's/+.*//; s/^[0-9]*://')
cache=${TES_CACHE_DIR:-${XDG_CACHE_HOME:-$HOME/.cache}/tolvane-enviro-scripter}
hash=$(sha256sum "$0" | cut -c1-12)
prefix=$cache/qt-$qt_version-mingw-w64-$hash
stamp=.tes-complete

if [ -f "$prefix/$stamp" ]; then
    echo "$prefix" >&3
    exit 0
fi

mkdir -p "$cache"
# One build at a time; whoever waited finds the folder complete.
exec 9>"$cache/qt-$qt_version.lock"
flock 9
if [ -f "$prefix/$stamp" ]; then
    echo "$prefix" >&3
    exit 0
fi

work=$cache/qt-$qt_version-work
mkdir -p "$work"
started=$(date +%s)

# The source package, through a sources list of our own: the machine's apt set-up stays as it is.
# It names the same Debian archive the machine installs from, for source packages.
src=$cache/source
mkdir -p "$src/lists/partial" "$src/cache/archives/partial"
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
{
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        [ -f "$f" ] || continue
        awk -v suite="$codename" '$1 == "deb" && $0 ~ (" " suite " ") { $1 = "deb-src"; print }' "$f"
    done
} >"$src/sources.list"
: >"$src/deb822.sources"
for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    awk -v suite="$codename" 'BEGIN { RS = ""; ORS = "\n\n" }
        $0 ~ ("Suites:[^\n]*[ \t]" suite "([ \t]|\n|$)") { sub(/Types:[^\n]*/, "Types: deb-src"); print }' "$f" \
        >>"$src/deb822.sources"
done
mkdir -p "$src/parts"
[ -s "$src/deb822.sources" ] && cp "$src/deb822.sources" "$src/parts/debian.sources"
apt_private=(-o Dir::Etc::sourcelist="$src/sources.list" -o Dir::Etc::sourceparts="$src/parts"
    -o Dir::State::Lists="$src/lists" -o Dir::Cache="$src/cache" -o APT::Sandbox::User="$(id -un)")
tarball=$(ls "$src"/qt6-base_"$qt_version"*.orig.tar.xz 2>/dev/null | head -1 || true)
if [ -z "$tarball" ]; then
    echo "Fetching Debian's qt6-base source package"
    apt-get "${apt_private[@]}" -qq update || true
    (cd "$src" && apt-get "${apt_private[@]}" -qq source --download-only "qt6-base=$(dpkg-query -W -f='${Version}' qt6-base-dev)" ||
        apt-get "${apt_private[@]}" -qq source --download-only qt6-base)
    tarball=$(ls "$src"/qt6-base_"$qt_version"*.orig.tar.xz | head -1)
fi
source_dir=$work/qtbase-everywhere-src-$qt_version
if [ ! -d "$source_dir" ]; then
    echo "Unpacking $(basename "$tarball")"
    rm -rf "$work/unpack"
    mkdir "$work/unpack"
    tar -xf "$tarball" -C "$work/unpack"
    mv "$work"/unpack/qtbase-everywhere-src-* "$source_dir"
    rmdir "$work/unpack"
fi
lgpl=$(ls "$source_dir"/LICENSES/LGPL-3.0-only.txt "$source_dir"/LICENSE.LGPL3 2>/dev/null | head -1 || true)
[ -n "$lgpl" ] || { echo "No LGPL text in $source_dir"; exit 1; }

# The cross toolchain: posix threads (GCC 12's win32 threads have no std::mutex).
cat >"$work/toolchain.new" <<'EOF'
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
EOF
# Rewritten only when it changes, so a resumed build does not start again.
cmp -s "$work/toolchain.new" "$work/toolchain.cmake" || mv "$work/toolchain.new" "$work/toolchain.cmake"
rm -f "$work/toolchain.new"

# The tarball lacks wintab, hence no tablet events. The offscreen plugin needs freetype (bundled).
install_dir=$work/prefix
echo "Configuring Qt $qt_version for Windows"
cmake -G Ninja -S "$source_dir" -B "$work/build" -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$install_dir" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_QMAKE_TARGET_MKSPEC=win32-g++ -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DQT_BUILD_BENCHMARKS=OFF -DBUILD_WITH_PCH=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DINPUT_opengl=no \
    -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF -DFEATURE_vulkan=OFF \
    -DFEATURE_icu=OFF -DFEATURE_glib=OFF -DFEATURE_fontconfig=OFF -DFEATURE_zstd=OFF \
    -DFEATURE_pkg_config=OFF -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF \
    -DFEATURE_system_harfbuzz=OFF -DFEATURE_freetype=ON -DFEATURE_system_freetype=OFF \
    -DFEATURE_system_png=OFF -DFEATURE_jpeg=OFF -DFEATURE_tabletevent=OFF \
    -DFEATURE_use_gold_linker_alias=OFF \
    >"$work/configure.log" || { tail -50 "$work/configure.log"; exit 1; }
echo "Building Qt (about half an hour on two cores; log: $work/build.log)"
if ! cmake --build "$work/build" -j"$(nproc)" -- -k 0 >"$work/build.log" 2>&1; then
    grep -A30 '^FAILED' "$work/build.log" | grep -v 'warning:\|^ *|\|^ *[0-9]* |\|In file included\|^ *from ' | head -80
    exit 1
fi
rm -rf "$install_dir"
cmake --install "$work/build" >/dev/null
cp "$lgpl" "$install_dir/LGPL-3.0.txt"
echo "Debian 12 source package qt6-base $(dpkg-query -W -f='${Version}' qt6-base-dev) ($(basename "$tarball"))" \
    >"$install_dir/SOURCE.txt"

date -u +%FT%TZ >"$install_dir/$stamp" # last: the folder is complete
rm -rf "$prefix"
mv "$install_dir" "$prefix"
rm -rf "$work"
echo "Qt for Windows built in $((($(date +%s) - started) / 60)) minutes: $prefix"
echo "$prefix" >&3
