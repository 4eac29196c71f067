#!/usr/bin/env bash
# Installs the Debian packages the build needs, and only those that are missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ make
    libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev zlib1g-dev
    qt6-base-dev libgl-dev fonts-dejavu-core fonts-liberation clang-format man-db
    # The locale sources a test makes a German locale (decimal comma) from.
    locales
)
# What `make package` and `make install-check` use to build and check the Debian package.
if [ "${TES_WITH_PACKAGING:-0}" = 1 ]; then
    packages+=(dpkg-dev file fakeroot lintian desktop-file-utils appstream shared-mime-info libglib2.0-bin)
fi
# What `make windows` uses to build Qt for Windows from Debian's sources (xz-utils unpacks them),
# cross-build, run the tests under Wine with Wine's own fonts (the ones a Windows user meets) and
# write the installer (nsis); `make windows-screenshot` drives the installed window on Xvfb under
# openbox with xdotool and ImageMagick. CI runs all but the screenshot.
if [ "${TES_WITH_WINDOWS:-0}" = 1 ] || [ -n "${CI:-}" ]; then
    packages+=(g++-mingw-w64-x86-64-posix wine64 fonts-wine googletest libz-mingw-w64-dev xz-utils nsis)
    packages+=(xvfb xauth openbox xdotool imagemagick)
fi
if [ "${TES_WITH_FUZZ:-0}" = 1 ]; then
    packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing missing packages: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
